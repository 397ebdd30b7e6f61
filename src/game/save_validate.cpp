// Index checks of a decoded saved game. Links that the turn driver and the castle rules keep
// exact (castle lists, locations, heads, the house order) must name a live table entry; fields
// whose sentinels belong to later rules must at least stay inside their table, so no rule can
// ever read outside the world.
#include "game/save_game.h"

namespace vh {
namespace {

bool in(int v, int lo, int hiExclusive) { return v >= lo && v < hiExclusive; }

// A castle, or a province with bit 15 set; -1 for none.
bool placeValid(const WorldState& w, int16_t place) {
    if (place == -1) return true;
    if (place >= 0) return place < w.castleCount;
    return (static_cast<uint16_t>(place) & 0x7FFF) < w.provinceCount();
}

// A house as the scenario writes it: an index, an index with bit 15 (written in parentheses),
// or D_FREE.
bool scenarioHouseValid(const WorldState& w, int16_t house) {
    if (house == ScenarioGeneral::kFreeHouse) return true;
    return (static_cast<uint16_t>(house) & 0x7FFF) < w.scenarioHouseCount;
}

bool castleListsValid(const Castle& k, int generalLimit) {
    if (k.generalCount > Castle::kMaxGenerals || k.besiegerCount > Castle::kMaxGenerals) return false;
    for (int i = 0; i < k.generalCount; ++i)
        if (!in(k.generals[i], 0, generalLimit)) return false;
    for (int i = 0; i < k.besiegerCount; ++i)
        if (!in(k.besiegers[i], 0, generalLimit)) return false;
    return true;
}

bool commonGeneralFieldsValid(const WorldState& w, const General& g) {
    if (g.status > kStatusGuest) return false;
    if (!in(g.castle, -1, w.castleCount) || !in(g.corps, -1, kMaxCorps)) return false;
    if (!in(g.entry, -1, kMaxGenerals)) return false;
    if (!in(g.holderHouse, -1, kMaxHouses) || !in(g.originHouse, -1, kMaxHouses)) return false;
    for (int16_t h : g.refugeHouses)
        if (!in(h, -1, kMaxHouses)) return false;
    return true;
}

bool housesValid(const WorldState& w) {
    for (int h = 0; h < w.houseCount; ++h) {
        const DaimyoHouse& d = w.houses[h];
        if (!in(d.head, -2, w.generalCount) || !in(d.lord, 0, w.houseCount) || d.vassalState > 2) return false;
    }
    return true;
}

bool castlesValid(const WorldState& w) {
    for (int c = 0; c < w.castleCount; ++c) {
        const CastleSite& s = w.castleSites[c];
        if (s.province >= w.provinceCount() || !in(s.initialOwner, -1, w.houseCount)) return false;
        for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r)
            if (!in(s.routes[r], 0, w.castleCount)) return false;
        const Castle& k = w.castles[c];
        if (!in(k.owner, -1, w.houseCount) || !in(k.corps, -1, kMaxCorps) || !in(k.lord, -2, w.generalCount) ||
            !in(k.besiegedBy, -1, w.houseCount) || !castleListsValid(k, w.generalCount))
            return false;
        for (const Voyage& v : k.voyages)
            if (v.ships > 0 && v.destination >= kMaxTradePartners) return false;
        // The snapshot may trail the live lists by a phase; it must stay inside the tables.
        const Castle& snap = w.castleSnapshot[c];
        if (!in(snap.owner, -1, kMaxHouses) || !in(snap.corps, -1, kMaxCorps) ||
            !castleListsValid(snap, kMaxGenerals))
            return false;
        for (const Voyage& v : snap.voyages)
            if (v.ships > 0 && v.destination >= kMaxTradePartners) return false;
    }
    return true;
}

bool generalsValid(const WorldState& w) {
    for (int i = 0; i < w.generalCount; ++i) {
        const General& g = w.generals[i];
        if (!commonGeneralFieldsValid(w, g) || !in(g.house, -3, w.houseCount)) return false;
        // A hostage keeps his appearance year and place in the order fields, also once he has
        // been returned or executed and waits, as house -1, for the next list rebuild to remove
        // him; no order is carried out for a general of no house.
        if ((g.house == kHouseHeld || g.house == kHouseLost) && g.status == kStatusHostage) {
            if (!placeValid(w, g.sortieTarget)) return false;
        } else if (!in(g.moveTarget, -1, w.castleCount) || !in(g.sortieTarget, -1, w.castleCount)) {
            return false;
        }
    }
    // A waiting general keeps his year of appearance and his place in the move and sortie fields,
    // and his house as the scenario wrote it.
    for (int i = 0; i < w.waitingCount; ++i) {
        const General& g = w.waitingGenerals[i];
        if (!commonGeneralFieldsValid(w, g) || !placeValid(w, g.sortieTarget)) return false;
        const bool houseOk = in(g.house, -3, w.houseCount) ||
                             (g.house < -3 && (static_cast<uint16_t>(g.house) & 0x7FFF) < w.houseCount);
        if (!houseOk) return false;
    }
    for (int i = 0; i < w.scenarioGeneralCount; ++i) {
        const ScenarioGeneral& s = w.scenarioGenerals[i];
        if (!scenarioHouseValid(w, s.house) || !placeValid(w, s.place)) return false;
    }
    return true;
}

bool corpsAndCoalitionsValid(const WorldState& w) {
    for (const Corps& c : w.corps) {
        if (!in(c.leader, -2, w.generalCount) || !in(c.house, -1, w.houseCount)) return false;
        for (uint8_t p : c.provinces)
            if (p != 0xFF && p >= w.provinceCount()) return false;
    }
    for (int i = 0; i < w.coalitionCount; ++i) {
        const Coalition& k = w.coalitions[i];
        if (!in(k.target, 0, w.houseCount) || !in(k.memberCount, 0, Coalition::kMaxMembers + 1)) return false;
        for (int m = 0; m < k.memberCount; ++m)
            if (!in(k.members[m], 0, w.houseCount)) return false;
    }
    return true;
}

bool turnStateValid(const WorldState& w) {
    const ScenarioSettings& s = w.settings;
    if (s.language != 0 && s.language != 1) return false;
    if (s.heiUnit < 1) return false; // troop limits divide by it
    if (!in(w.date.month, 1, 13) || !in(s.startMonth, 1, 13)) return false;
    // A game is saved at the player's turn of a command phase, and only there can it resume.
    if (!in(w.phase, 1, 7)) return false;
    if (!in(w.playerHouse, 0, w.houseCount)) return false;
    if (w.spectator && w.playerHouse != w.houseCount - 1) return false;
    if (!in(w.playerPosition, 0, w.houseCount + 1)) return false;
    for (int i = 0; i < w.houseCount; ++i)
        if (!in(w.houseOrder[i], 0, w.houseCount)) return false;
    return true;
}

} // namespace

bool saveIndicesValid(const WorldState& w) {
    return turnStateValid(w) && housesValid(w) && castlesValid(w) && generalsValid(w) && corpsAndCoalitionsValid(w);
}

} // namespace vh
