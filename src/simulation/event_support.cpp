// Shared helpers of the monthly events.
#include "simulation/event_support.h"

#include "diplomacy/figures.h"
#include "context/game_text.h"
#include "world/castle_rules.h"
#include "world/ranked_list.h"

#include <algorithm>

namespace vh {

bool isFirstScenarioMonth(const WorldState& w) {
    return w.date.year == w.settings.startYear && w.date.month == w.settings.startMonth;
}

int appendActiveGeneral(WorldState& w, const General& g) {
    if (w.generalCount >= kMaxGenerals) return -1;
    w.generals[w.generalCount] = g;
    return w.generalCount++;
}

void dropLastActiveGeneral(WorldState& w) {
    if (w.generalCount <= 0) return;
    detachFromCastleLists(w, w.generalCount - 1);
    w.generals[--w.generalCount] = General{};
}

void detachFromCastleLists(WorldState& w, int general) {
    const int c = w.generals[general].castle;
    if (c < 0 || c >= w.castleCount) return;
    Castle& k = w.castles[c];
    auto drop = [general](int32_t* list, uint8_t& count) {
        int n = std::min<int>(count, Castle::kMaxGenerals);
        for (int i = 0; i < n; ++i) {
            if (list[i] != general) continue;
            std::copy(list + i + 1, list + n, list + i);
            --count;
            return;
        }
    };
    drop(k.generals, k.generalCount);
    drop(k.besiegers, k.besiegerCount);
}

int scenarioHouseOf(const WorldState& w, const General& g) {
    if (g.entry < 0 || g.entry >= w.scenarioGeneralCount) return -1;
    const int16_t raw = w.scenarioGenerals[g.entry].house;
    if (raw == ScenarioGeneral::kFreeHouse) return -1;
    const int house = static_cast<uint16_t>(raw) & 0x7FFF;
    return house < w.houseCount ? house : -1;
}

int successionRankOf(const WorldState& w, const General& g) {
    if (g.entry < 0 || g.entry >= w.scenarioGeneralCount) return kNoRank;
    return w.scenarioGenerals[g.entry].succession;
}

bool rankedHeirOf(const WorldState& w, const General& g, int house) {
    return scenarioHouseOf(w, g) == house && successionRankOf(w, g) != kNoRank;
}

bool leadsCorps(const WorldState& w, int general) {
    for (const Corps& c : w.corps)
        if (c.leader == general) return true;
    return false;
}

std::vector<int> castlesOfHouse(const WorldState& w, int house) {
    std::vector<int> out;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house) out.push_back(c);
    return out;
}

void makeRonin(WorldState& w, int general) {
    General& g = w.generals[general];
    const int former = g.house;
    std::fill(std::begin(g.refugeHouses), std::end(g.refugeHouses), int16_t{-1});
    if (former >= 0 && former < w.houseCount) {
        std::vector<int> friends;
        for (int h = 0; h < w.houseCount; ++h)
            if (h != former && houseAlive(w, h) && relationKind(w.houses[h], former) >= kRelPact)
                friends.push_back(h);
        if (!friends.empty()) {
            RankedList list(static_cast<int>(friends.size()));
            for (int h : friends)
                list.add(h, kokuOf(w, h));
            list.sortDescending();
            for (int i = 0; i < list.size() && i < General::kRefugeSlots; ++i)
                g.refugeHouses[i] = static_cast<int16_t>(list.item(i));
        }
    }
    g.house = kHouseRonin;
    g.corps = -1;
    g.flags &= ~kFlagInField;
}

bool withdrawOrRonin(WorldState& w, int general) {
    if (retreatGeneral(w, general, w.generals[general].castle, true)) return true;
    makeRonin(w, general);
    return false;
}

std::string houseSuffixedName(const WorldState& w, int house, const char* suffixUtf8) {
    const std::string suffix = fromUtf8(suffixUtf8, scenarioEncoding(w));
    std::string name(fieldText(w.houses[house].name));
    name += suffix;
    return name.size() > 20 ? suffix : name;
}

} // namespace vh
