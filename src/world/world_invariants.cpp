// The world's invariants over houses, relations, corps, coalitions and the turn state; the castle
// and general tables are checked in world_invariants_castles.cpp.
#include "world/world_invariants.h"

#include "world/invariant_report.h"

#include <algorithm>

namespace vh {
namespace inv {

Bounds boundsOf(const WorldState& w) {
    const auto clampCount = [](int count, size_t size) { return std::clamp<int>(count, 0, static_cast<int>(size)); };
    Bounds b;
    b.houses = clampCount(w.houseCount, w.houses.size());
    b.castles = clampCount(w.castleCount, std::min({w.castleSites.size(), w.castles.size(), w.castleSnapshot.size()}));
    b.generals = clampCount(w.generalCount, w.generals.size());
    b.waiting = clampCount(w.waitingCount, w.waitingGenerals.size());
    b.scenarioGenerals = clampCount(w.scenarioGeneralCount, w.scenarioGenerals.size());
    b.provinces = w.provinceCount();
    b.tradePartners = clampCount(w.tradePartnerCount, w.tradePartners.size());
    b.coalitions = clampCount(w.coalitionCount, w.coalitions.size());
    return b;
}

bool houseExists(const WorldState& w, const Bounds& b, int h) { return h >= 0 && h < b.houses && w.houses[h].head != -1; }

} // namespace inv

namespace {

using inv::Bounds;
using inv::Report;
using inv::in;

void checkCounts(const WorldState& w, Report& r) {
    const auto count = [&](const char* table, int value, int lo, int hi, size_t stored) {
        if (value < lo || value > hi) r.add(table, "count " + std::to_string(value) + " outside " + std::to_string(lo) +
                                                       ".." + std::to_string(hi));
        else if (static_cast<size_t>(value) > stored)
            r.add(table, "count " + std::to_string(value) + " beyond the " + std::to_string(stored) + " records held");
    };
    count("scenarioHouses", w.scenarioHouseCount, 0, kMaxHouses, w.scenarioHouses.size());
    count("houses", w.houseCount, 0, kMaxHouses, w.houses.size());
    count("castles", w.castleCount, 0, kMaxCastles, w.castles.size());
    count("generals", w.generalCount, 0, kMaxGenerals, w.generals.size());
    count("waitingGenerals", w.waitingCount, 0, kMaxGenerals, w.waitingGenerals.size());
    count("scenarioGenerals", w.scenarioGeneralCount, 0, kMaxGenerals, w.scenarioGenerals.size());
    count("relationEntries", w.relationEntryCount, 0, kMaxRelationEntries, w.relationEntries.size());
    count("tradePartners", w.tradePartnerCount, 1, kMaxTradePartners, w.tradePartners.size());
    count("gunMarkets", w.gunMarketCount, 0, kMaxGunMarkets, w.gunMarkets.size());
    count("coalitions", w.coalitionCount, 0, kMaxCoalitions, w.coalitions.size());
    count("provinces", w.provinceCount(), 0, kMaxProvinces, kProvinceSlots);
    count("regions", w.regionCount(), 0, kMaxRegions, w.rainChance.size());
}

void checkTurnState(const WorldState& w, const Bounds& b, Report& r) {
    if (!in(w.date.month, 1, 12)) r.add("date", "month " + std::to_string(w.date.month) + " outside 1..12");
    if (!in(w.phase, kPhaseEvent, kPhaseSortie)) r.add("phase", "phase " + std::to_string(w.phase) + " outside 0..6");
    if (!in(w.playerHouse, -1, b.houses - 1)) r.add("playerHouse", "house " + std::to_string(w.playerHouse) + " out of range");
    if (w.spectator && w.playerHouse != b.houses - 1) r.add("playerHouse", "the watching house is not the last house");
    // The order is shuffled afresh at the start of every command phase.
    if (w.phase < kPhasePersonnel) return;
    std::vector<uint8_t> seen(b.houses, 0);
    for (int i = 0; i < b.houses; ++i) {
        const int h = w.houseOrder[i];
        if (!in(h, 0, b.houses - 1) || seen[h]++) {
            r.add("houseOrder", i, "entry " + std::to_string(h) + " breaks the permutation of the houses");
            break;
        }
    }
    if (!in(w.playerPosition, 0, b.houses)) r.add("playerPosition", "position " + std::to_string(w.playerPosition) + " out of range");
}

// The kinds a house's byte about another may hold, given the other's byte about it.
bool pairAgrees(int a, int b) {
    const auto fellow = [](int k) { return k == 5 || k == 8; };
    switch (a) {
    case kRelSwornEnemy: case kRelNothing: case kRelPact: return b == a;
    case kRelSubordinateTo: return b == kRelHasSubordinate;
    case kRelHasSubordinate: return b == kRelSubordinateTo;
    case kRelSubmittedTo: return b == kRelHasSubmitted;
    case kRelHasSubmitted: return b == kRelSubmittedTo;
    default: return fellow(a) && fellow(b);
    }
}

void checkHouseRecord(const WorldState& w, const Bounds& b, const InvariantScope& scope, int h, Report& r) {
    const DaimyoHouse& d = w.houses[h];
    if (!in(d.head, -2, b.generals - 1)) {
        r.add("houses", h, "head " + std::to_string(d.head) + " out of range");
    } else if (d.head >= 0) {
        const General& g = w.generals[d.head];
        // A captured head still heads his house; a head just lost waits for the rebuild's succession.
        const bool held = g.house == kHouseHeld && g.originHouse == h;
        const bool pending = !scope.listsRebuilt && (g.house == kHouseLost || g.house == kHouseRonin);
        if (g.house != h && !held && !pending)
            r.add("houses", h, "head general " + std::to_string(d.head) + " serves house " + std::to_string(g.house));
    }
    if (d.funds > kMaxFunds) r.add("houses", h, "funds " + std::to_string(d.funds) + " above the cap");
    if (d.kind > kHouseRyuukyuu) r.add("houses", h, "kind " + std::to_string(d.kind) + " unknown");
    if (d.vassalState > 2) r.add("houses", h, "vassalState " + std::to_string(d.vassalState) + " unknown");
    if (!in(d.lord, 0, b.houses - 1)) {
        r.add("houses", h, "lord " + std::to_string(d.lord) + " out of range");
        return;
    }
    if (d.head == -1) return; // a destroyed house keeps whatever it had
    if (d.vassalState == 0 && d.lord != h) r.add("houses", h, "independent but its lord is house " + std::to_string(d.lord));
    if (d.vassalState != 0 && d.lord == h) r.add("houses", h, "a vassal of itself");
    if (d.vassalState != 0 && d.lord != h) {
        const int want = d.vassalState == 1 ? kRelSubordinateTo : kRelSubmittedTo;
        if (relationKind(d, d.lord) != want)
            r.add("houses", h, "vassalState " + std::to_string(d.vassalState) + " but relation kind " +
                                   std::to_string(relationKind(d, d.lord)) + " toward its lord " + std::to_string(d.lord));
        if (scope.lordsSettled && w.houses[d.lord].head == -1)
            r.add("houses", h, "serves the destroyed house " + std::to_string(d.lord));
    }
}

void checkRelations(const WorldState& w, const Bounds& b, Report& r) {
    for (int a = 0; a < b.houses; ++a) {
        const DaimyoHouse& da = w.houses[a];
        if (da.head == -1) continue;
        for (int x = 0; x < b.houses; ++x) {
            if (x == a || w.houses[x].head == -1) continue;
            const int ka = relationKind(da, x);
            if (ka > 8) {
                r.add("houses", a, "relation kind " + std::to_string(ka) + " toward house " + std::to_string(x) + " unknown");
                continue;
            }
            // A lord is named by the lord field alone.
            if ((ka == kRelSubordinateTo || ka == kRelSubmittedTo) && da.lord != x)
                r.add("houses", a, "relation kind " + std::to_string(ka) + " toward house " + std::to_string(x) +
                                       ", which is not its lord");
            if ((ka == 5 || ka == 8)) {
                const DaimyoHouse& dx = w.houses[x];
                const bool fellows = da.vassalState != 0 && dx.vassalState != 0 && da.lord == dx.lord;
                const int want = dx.vassalState == 1 ? 5 : 8;
                if (!fellows || ka != want)
                    r.add("houses", a, "fellow-vassal kind " + std::to_string(ka) + " toward house " + std::to_string(x) +
                                           " (vassalState " + std::to_string(dx.vassalState) + ", lord " +
                                           std::to_string(dx.lord) + ")");
            }
            if (x < a) continue;
            const int kx = relationKind(w.houses[x], a);
            if (!pairAgrees(ka, kx))
                r.add("houses", a, "relation kind " + std::to_string(ka) + " toward house " + std::to_string(x) +
                                       " but kind " + std::to_string(kx) + " back");
        }
    }
}

void checkCorps(const WorldState& w, const Bounds& b, const InvariantScope& scope, Report& r) {
    for (int c = 0; c < kMaxCorps; ++c) {
        const Corps& k = w.corps[c];
        if (k.leader == -1) continue;
        if (!in(k.leader, -2, b.generals - 1)) r.add("corps", c, "leader " + std::to_string(k.leader) + " out of range");
        if (!inv::houseExists(w, b, k.house)) {
            r.add("corps", c, "belongs to house " + std::to_string(k.house) + ", which does not exist");
            continue;
        }
        if (k.funds > kMaxFunds) r.add("corps", c, "funds " + std::to_string(k.funds) + " above the cap");
        for (int i = 0; i < Corps::kMaxProvinces; ++i) {
            const int p = k.provinces[i];
            if (p == 0xFF) continue;
            if (p >= b.provinces) r.add("corps", c, "province " + std::to_string(p) + " out of range");
            for (int j = 0; j < i; ++j)
                if (k.provinces[j] == p) r.add("corps", c, "province " + std::to_string(p) + " listed twice");
        }
        if (k.leader >= 0 && k.leader < b.generals) {
            const General& g = w.generals[k.leader];
            // A leader who left the corps is replaced in the diplomacy phase.
            if (g.corps == c && g.house >= 0 && g.house != k.house && commandingHouse(w, g.house) != k.house)
                r.add("corps", c, "leader " + std::to_string(k.leader) + " serves house " + std::to_string(g.house) +
                                      ", not the corps' house " + std::to_string(k.house));
            if (scope.listsRebuilt && g.house < 0 && g.house != kHouseHeld)
                r.add("corps", c, "leader " + std::to_string(k.leader) + " has left the game");
        }
    }
}

void checkCoalitions(const WorldState& w, const Bounds& b, Report& r) {
    for (int i = 0; i < b.coalitions; ++i) {
        const Coalition& k = w.coalitions[i];
        if (!in(k.target, 0, b.houses - 1)) r.add("coalitions", i, "target " + std::to_string(k.target) + " out of range");
        if (!in(k.memberCount, 0, Coalition::kMaxMembers)) {
            r.add("coalitions", i, "member count " + std::to_string(k.memberCount) + " outside 0..42");
            continue;
        }
        for (int m = 0; m < k.memberCount; ++m)
            if (!in(k.members[m], 0, b.houses - 1))
                r.add("coalitions", i, "member " + std::to_string(k.members[m]) + " out of range");
    }
}

} // namespace

std::vector<std::string> checkWorldInvariants(const WorldState& w, const InvariantScope& scope) {
    Report r;
    checkCounts(w, r);
    const Bounds b = inv::boundsOf(w);
    checkTurnState(w, b, r);
    for (int h = 0; h < b.houses; ++h) checkHouseRecord(w, b, scope, h, r);
    checkRelations(w, b, r);
    checkCorps(w, b, scope, r);
    checkCoalitions(w, b, r);
    inv::checkCastles(w, b, scope, r);
    inv::checkCastleLists(w, b, scope, r);
    inv::checkGenerals(w, b, scope, r);
    return r.finish();
}

} // namespace vh
