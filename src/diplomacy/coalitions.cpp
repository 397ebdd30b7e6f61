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

} // namespace

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
