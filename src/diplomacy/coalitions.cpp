// Dissolution of coalitions when their target makes peace with a member.
#include "diplomacy/coalitions.h"

#include "diplomacy/diplomacy_text.h"
#include "context/game.h"

#include <algorithm>

namespace vh {

namespace {

bool hasMember(const Coalition& c, int house) {
    const int n = std::clamp<int>(c.memberCount, 0, Coalition::kMaxMembers);
    return std::find(c.members, c.members + n, house) != c.members + n;
}

constexpr size_t kMemberTextBytes = 949;

} // namespace

std::vector<CoalitionRow> coalitionRows(const WorldState& w) {
    std::vector<CoalitionRow> rows;
    const int count = std::clamp(w.coalitionCount, 0, static_cast<int>(w.coalitions.size()));
    for (int i = 0; i < count; ++i) {
        const Coalition& c = w.coalitions[i];
        CoalitionRow row;
        row.name = withHouse(w, "反%s連合", c.target);
        size_t bytes = 0;
        const int n = std::clamp<int>(c.memberCount, 0, Coalition::kMaxMembers);
        for (int m = 0; m < n && bytes <= kMemberTextBytes; ++m) {
            const int house = c.members[m];
            if (house < 0 || house >= kMaxHouses) continue;
            if (!row.members.empty()) {
                row.members += ", ";
                bytes += 2;
            }
            row.members += houseNameText(w, house);
            bytes += fieldText(w.houses[house].name).size();
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void dissolveCoalitionsOnAlliance(Game& game, int a, int b) {
    WorldState& w = game.world;
    int i = 0;
    while (i < w.coalitionCount) {
        const Coalition& c = w.coalitions[i];
        const bool ends = (c.target == a && hasMember(c, b)) || (c.target == b && hasMember(c, a));
        if (!ends) {
            ++i;
            continue;
        }
        game.notify(withHouse(w, "反%s連合は消滅しました", c.target));
        for (int j = i; j + 1 < w.coalitionCount; ++j)
            w.coalitions[j] = w.coalitions[j + 1];
        --w.coalitionCount;
        w.coalitions[w.coalitionCount] = Coalition{};
    }
}

} // namespace vh
