// The small monthly steps: general counters, freed vassals, power figures and fleet months.
#include "simulation/month_events.h"

#include "diplomacy/relations.h"
#include "context/game_text.h"
#include "simulation/event_support.h"
#include "world/castle_rules.h"

#include <algorithm>

namespace vh {

void advanceGeneralCounters(Game& game) {
    WorldState& w = game.world;
    for (int i = 0; i < w.generalCount; ++i) {
        General& g = w.generals[i];
        if (g.refusalCounter != 0 && g.refusalCounter != 127) --g.refusalCounter;
        if (g.house < 0) continue;
        const int cap = std::min(255, g.intellect * 20);
        g.siegeStratagemPoints = static_cast<uint8_t>(std::min(cap, g.siegeStratagemPoints + g.intellect));
        g.fieldStratagemPoints = static_cast<uint8_t>(std::min(cap, g.fieldStratagemPoints + g.intellect));
        if (g.siegeStratagemRest != 0) --g.siegeStratagemRest;
        if (g.surpriseRest != 0) --g.surpriseRest;
    }
}

void freeVassalsOfFallenLords(Game& game) {
    WorldState& w = game.world;
    for (int h = 0; h < w.houseCount; ++h) {
        DaimyoHouse& d = w.houses[h];
        if (!houseAlive(w, h) || d.vassalState == 0) continue;
        if (d.lord < 0 || d.lord >= w.houseCount || w.houses[d.lord].head != -1) continue;
        for (int j = 0; j < w.houseCount; ++j) {
            if (j == h || !houseAlive(w, j)) continue;
            const int kind = relationKind(d, j);
            if (kind == kRelFellowSubordinate || kind == kRelFellowSubmitted) setPairKind(w, h, j, kRelPact);
        }
        d.vassalState = 0;
        d.lord = h;
        for (int i = 0; i < w.generalCount; ++i) {
            General& g = w.generals[i];
            if (g.house != h) continue;
            g.status = kStatusOrdinary;
            if (g.flags & kFlagInField) continue;
            if (g.castle < 0 || g.castle >= w.castleCount) continue;
            if (commandingHouse(w, w.castles[g.castle].owner) != h) withdrawOrRonin(w, i);
        }
        game.notify(houseNameText(w, h) + "は主家が滅亡したため独立しました");
    }
}

void recordPowerFigures(WorldState& w) {
    const std::vector<int> power = housePowerFigures(w);
    for (int h = 0; h < w.houseCount; ++h) {
        DaimyoHouse& d = w.houses[h];
        std::copy_backward(d.powerHistory, d.powerHistory + 11, d.powerHistory + 12);
        const int now = std::min(power[h], 32767);
        d.powerHistory[0] = static_cast<int16_t>(now);
        const int change = (now - d.powerHistory[11]) + (now - d.powerHistory[2]);
        d.powerTrend = static_cast<int8_t>(change > 0 ? 1 : (change < 0 ? -1 : 0));
    }
}

void advanceTradeVoyages(WorldState& w) {
    for (int c = 0; c < w.castleCount; ++c) {
        if (!w.castleSites[c].hasPort) continue;
        // A slot already at zero stays there (it comes home at this month's accounts).
        for (Voyage& v : w.castles[c].voyages)
            if (v.ships != 0 && v.monthsLeft > 0) --v.monthsLeft;
    }
}

} // namespace vh
