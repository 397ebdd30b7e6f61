// Illness of old generals: the chance grows month by month towards the end of a life, the last
// general of a house is spared until he is eighty, and the troops of the dead go to the bravest.
#include "simulation/month_events.h"

#include "context/game_text.h"
#include "world/ranked_list.h"

#include <algorithm>

namespace vh {

namespace {

double illnessChance(int year, int month, int lifeEnd) {
    if (year > lifeEnd + 1) return 0.9;
    const int m = 12 * (lifeEnd - year) - month + 25;
    const double p = m > 0 ? 1.0 / m : 1.0;
    return p >= 1.0 ? 0.9 : p;
}

// Hands the dead general's troops to the others of his house, bravest first. True when anything
// changed hands.
bool handOverTroops(WorldState& w, int dead, int house) {
    General& d = w.generals[dead];
    int foot = d.foot, cavalry = d.cavalry, guns = d.guns;
    if (foot <= 0 && cavalry <= 0 && guns <= 0) return false;
    std::vector<int> others;
    for (int i = 0; i < w.generalCount; ++i)
        if (i != dead && w.generals[i].house == house) others.push_back(i);
    if (others.empty()) return false;
    RankedList list(static_cast<int>(others.size()));
    for (int i : others)
        list.add(i, w.generals[i].valor);
    list.sortDescending();
    const int unit = std::max(1, w.settings.heiUnit);
    const int footCap = 5000 / unit, cavalryCap = 2000 / unit;
    bool handed = false;
    for (int pos = 0; pos < list.size(); ++pos) {
        General& g = w.generals[list.item(pos)];
        auto take = [&](int16_t& own, int& pool, int cap) {
            const int n = std::clamp(cap - own, 0, std::max(pool, 0));
            own = static_cast<int16_t>(own + n);
            pool -= n;
            handed = handed || n > 0;
        };
        take(g.foot, foot, footCap);
        take(g.cavalry, cavalry, cavalryCap);
        take(g.guns, guns, g.foot);
    }
    d.foot = static_cast<int16_t>(std::max(foot, 0));
    d.cavalry = static_cast<int16_t>(std::max(cavalry, 0));
    d.guns = static_cast<int16_t>(std::max(guns, 0));
    return handed;
}

} // namespace

void illnessDeaths(Game& game) {
    WorldState& w = game.world;
    std::vector<int> members(w.houseCount, 0);
    for (int i = 0; i < w.generalCount; ++i)
        if (w.generals[i].house >= 0 && w.generals[i].house < w.houseCount) ++members[w.generals[i].house];
    const int year = w.date.year, month = w.date.month;
    for (int i = 0; i < w.generalCount; ++i) {
        General& g = w.generals[i];
        const int house = g.house;
        if (house < 0 || house >= w.houseCount) continue;
        if (year < g.lifeEnd - 1) continue;
        // The last general of a house is spared until he is past 79; the count follows the deaths
        // of this month, so two old generals cannot leave a house empty between them.
        if (members[house] <= 1 && year - g.birthYear <= 79) continue;
        if (game.rng.unit() > illnessChance(year, month, g.lifeEnd)) continue;
        g.house = kHouseLost;
        g.flags &= ~kFlagInField;
        --members[house];
        const bool handed = handOverTroops(w, i, house);
        const std::string who = nameText(w, g.name);
        std::string text = houseNameText(w, house) + " の " + who + " が病没しました";
        if (handed) text += "\n（" + who + " の兵は他の武将に配分しました）";
        game.notify(text);
    }
}

} // namespace vh
