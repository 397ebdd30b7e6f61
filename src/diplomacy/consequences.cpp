// Sieges lifted and generals sent home after relations change.
// The general records stay primary: every move here also keeps the castle lists in step.
#include "diplomacy/consequences.h"

#include "diplomacy/figures.h"
#include "diplomacy/relations.h"
#include "world/castle_rules.h"
#include "world/ranked_list.h"

#include <algorithm>

namespace vh {

namespace {

template <class Count> void dropFrom(int32_t* list, Count& count, int general) {
    const int n = std::min<int>(count, Castle::kMaxGenerals);
    for (int i = 0; i < n; ++i) {
        if (list[i] != general) continue;
        for (int j = i; j + 1 < n; ++j)
            list[j] = list[j + 1];
        --count;
        return;
    }
}

// The general leaves his house as a ronin: off his castle's lists and out of the field.
void turnRonin(WorldState& w, int general) {
    General& g = w.generals[general];
    if (g.castle >= 0 && g.castle < w.castleCount) {
        Castle& k = w.castles[g.castle];
        if (onSortie(g)) {
            dropFrom(k.besiegers, k.besiegerCount, general);
            if (k.besiegerCount == 0) k.besiegedBy = -1;
        } else {
            dropFrom(k.generals, k.generalCount, general);
        }
    }
    // He will seek service with the largest houses friendly to the one he leaves.
    const int former = g.house;
    std::fill(std::begin(g.refugeHouses), std::end(g.refugeHouses), int16_t{-1});
    if (former >= 0 && former < w.houseCount) {
        RankedList friends(w.houseCount);
        for (int h = 0; h < w.houseCount; ++h)
            if (h != former && houseAlive(w, h) && isFriendlyKind(kindAbout(w, h, former)))
                friends.add(h, kokuOf(w, h));
        friends.sortDescending();
        for (int i = 0; i < friends.size() && i < General::kRefugeSlots; ++i)
            g.refugeHouses[i] = static_cast<int16_t>(friends.item(i));
    }
    g.flags &= ~kFlagInField;
    g.house = kHouseRonin;
    g.corps = -1;
}

} // namespace

bool sendGeneralHome(WorldState& w, int general) {
    General& g = w.generals[general];
    const int from = g.castle;
    const bool inField = onSortie(g);
    if (from >= 0 && retreatGeneral(w, general, from, true)) {
        // The castle he left is no longer besieged once the last besieger has gone.
        if (inField && w.castles[from].besiegerCount == 0) w.castles[from].besiegedBy = -1;
        return true;
    }
    turnRonin(w, general);
    return false;
}

void liftSieges(WorldState& w, const std::function<bool(int, int)>& between) {
    for (int c = 0; c < w.castleCount; ++c) {
        Castle& k = w.castles[c];
        if (k.besiegerCount == 0 || k.besiegedBy < 0) continue;
        const int ownerSide = sideThroughLord(w, k.owner);
        const int besiegerSide = sideThroughLord(w, k.besiegedBy);
        if (!between(ownerSide, besiegerSide)) continue;
        // Copied first: each retreat takes its general off the list.
        std::vector<int> besiegers(k.besiegers,
                                   k.besiegers + std::min<int>(k.besiegerCount, Castle::kMaxGenerals));
        for (int g : besiegers)
            if (g >= 0 && g < w.generalCount && w.generals[g].castle == c && onSortie(w.generals[g]))
                sendGeneralHome(w, g);
        k.besiegerCount = 0;
        k.besiegedBy = -1;
    }
}

void liftSiegesBetween(WorldState& w, int a, int b) {
    const int sa = sideThroughLord(w, a), sb = sideThroughLord(w, b);
    liftSieges(w, [&](int o, int s) { return (o == sa && s == sb) || (o == sb && s == sa); });
}

void liftFriendlySieges(WorldState& w) {
    liftSieges(w, [&](int o, int s) {
        if (o < 0 || s < 0 || o >= w.houseCount || s >= w.houseCount) return false;
        return o == s || isFriendlyKind(kindAbout(w, o, s));
    });
}

void sendStrayGeneralsHome(WorldState& w, const std::vector<int>& houses) {
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if (r.house < 0 || onSortie(r) || r.castle < 0 || r.castle >= w.castleCount) continue;
        if (std::find(houses.begin(), houses.end(), r.house) == houses.end()) continue;
        if (effectiveOwner(w, r.castle) != commandingHouse(w, r.house)) sendGeneralHome(w, g);
    }
}

std::vector<int> vassalsOf(const WorldState& w, int lord) {
    std::vector<int> out;
    for (int h = 0; h < w.houseCount; ++h)
        if (h != lord && houseAlive(w, h) && w.houses[h].vassalState != 0 && w.houses[h].lord == lord)
            out.push_back(h);
    return out;
}

} // namespace vh
