// The world's invariants over castles, generals and the castle lists that tie them together.
#include "world/invariant_report.h"

#include <algorithm>

namespace vh::inv {
namespace {

std::string listText(const int32_t* list, int n) {
    std::string s = "{";
    for (int i = 0; i < n; ++i) s += (i ? "," : "") + std::to_string(list[i]);
    return s + "}";
}
std::string listText(const std::vector<int32_t>& v) { return listText(v.data(), static_cast<int>(v.size())); }

// A castle, or a province with bit 15 set; -1 for none.
bool placeValid(const Bounds& b, int16_t place) {
    if (place == -1) return true;
    if (place >= 0) return place < b.castles;
    return (static_cast<uint16_t>(place) & 0x7FFF) < b.provinces;
}

void checkSite(const WorldState& w, const Bounds& b, int c, Report& r) {
    const CastleSite& s = w.castleSites[c];
    // Several rules read the province byte as signed.
    if (s.province >= b.provinces || s.province > 127) r.add("castleSites", c, "province " + std::to_string(s.province) + " out of range");
    if (!in(s.size, 1, 10)) r.add("castleSites", c, "size " + std::to_string(s.size) + " outside 1..10");
    if (!in(s.initialOwner, -1, b.houses - 1)) r.add("castleSites", c, "initial owner " + std::to_string(s.initialOwner) + " out of range");
    if (s.routes[CastleSite::kMaxRoutes] != -1) r.add("castleSites", c, "route list not closed by -1");
    for (int i = 0; i < CastleSite::kMaxRoutes && s.routes[i] != -1; ++i) {
        const int n = s.routes[i];
        if (!in(n, 0, b.castles - 1) || n == c) {
            r.add("castleSites", c, "route to " + std::to_string(n) + " out of range");
            continue;
        }
        if (std::find(s.routes, s.routes + i, n) != s.routes + i) r.add("castleSites", c, "route to " + std::to_string(n) + " twice");
        const CastleSite& o = w.castleSites[n];
        const int16_t* end = o.routes + routeCount(o);
        if (std::find(o.routes, end, c) == end) r.add("castleSites", c, "route to " + std::to_string(n) + " one-sided");
    }
}

void checkLiveCastle(const WorldState& w, const Bounds& b, const InvariantScope& scope, int c, Report& r) {
    const Castle& k = w.castles[c];
    const CastleSite& s = w.castleSites[c];
    if (!in(k.owner, -1, b.houses - 1)) r.add("castles", c, "owner " + std::to_string(k.owner) + " out of range");
    else if (scope.lordsSettled && k.owner >= 0 && w.houses[k.owner].head == -1)
        r.add("castles", c, "owned by the destroyed house " + std::to_string(k.owner));
    if (k.corps != -1) {
        if (!in(k.corps, 0, kMaxCorps - 1) || w.corps[k.corps].leader == -1)
            r.add("castles", c, "fief of corps " + std::to_string(k.corps) + ", which is not in use");
        else if (w.corps[k.corps].house != k.owner)
            r.add("castles", c, "fief of corps " + std::to_string(k.corps) + " of house " +
                                    std::to_string(w.corps[k.corps].house) + " but owned by house " + std::to_string(k.owner));
    }
    if (!in(k.lord, -1, b.generals - 1)) r.add("castles", c, "castle lord " + std::to_string(k.lord) + " out of range");
    if (!in(k.besiegedBy, -1, b.houses - 1)) r.add("castles", c, "besiegedBy " + std::to_string(k.besiegedBy) + " out of range");
    if (!in(k.size, 1, 10)) r.add("castles", c, "size " + std::to_string(k.size) + " outside 1..10");
    const long long foodCap = static_cast<long long>(k.size) * w.settings.shiroHyourouMax;
    if (k.food < 0 || k.food > foodCap)
        r.add("castles", c, "food " + std::to_string(k.food) + " outside 0.." + std::to_string(foodCap));
    if (w.settings.heiUnit > 0) {
        const long long garrisonCap = static_cast<long long>(k.size) * (w.settings.shiroHyourouMax / 10) / w.settings.heiUnit;
        if (k.garrison < 0 || k.garrison > garrisonCap)
            r.add("castles", c, "garrison " + std::to_string(k.garrison) + " outside 0.." + std::to_string(garrisonCap));
    }
    if (!in(k.support, 0, 1000)) r.add("castles", c, "support " + std::to_string(k.support) + " outside 0..1000");
    if (k.yield < 0 || k.yield > std::max(s.maxYield, 0))
        r.add("castles", c, "yield " + std::to_string(k.yield) + " outside 0.." + std::to_string(s.maxYield));
    if (k.town < 0 || k.town > std::max<int>(s.maxTown, 0))
        r.add("castles", c, "town " + std::to_string(k.town) + " outside 0.." + std::to_string(s.maxTown));
    if (k.mine < 0 || k.mine > std::max<int>(s.maxMine, 0))
        r.add("castles", c, "mine " + std::to_string(k.mine) + " outside 0.." + std::to_string(s.maxMine));
    if (k.siegeProgress < 0) r.add("castles", c, "siege progress " + std::to_string(k.siegeProgress) + " negative");
    if (k.tradeShips > 100 || k.warShips > 100) r.add("castles", c, "ships above 100");
    for (int v = 0; v < 10; ++v)
        if (k.voyages[v].ships > 0 && k.voyages[v].destination >= b.tradePartners)
            r.add("castles", c, "voyage " + std::to_string(v) + " to trade partner " +
                                    std::to_string(k.voyages[v].destination) + " out of range");
    if (k.generalCount > Castle::kMaxGenerals) r.add("castles", c, "garrison count " + std::to_string(k.generalCount) + " above 20");
    if (k.besiegerCount > Castle::kMaxGenerals) r.add("castles", c, "field count " + std::to_string(k.besiegerCount) + " above 20");
}

void checkActive(const WorldState& w, const Bounds& b, const InvariantScope& scope, int j, Report& r) {
    const General& g = w.generals[j];
    const auto bad = [&](const std::string& what) { r.add("generals", j, what); };
    if (g.status > kStatusGuest) bad("status " + std::to_string(g.status) + " unknown");
    if (!in(g.house, -3, b.houses - 1)) bad("house " + std::to_string(g.house) + " out of range");
    if (scope.listsRebuilt && (g.house == kHouseLost || g.house == kHouseRonin))
        bad("house " + std::to_string(g.house) + " still in the table after the rebuild");
    if (!in(g.castle, -1, b.castles - 1)) bad("castle " + std::to_string(g.castle) + " out of range");
    if (!in(g.entry, -1, b.scenarioGenerals - 1)) bad("scenario entry " + std::to_string(g.entry) + " out of range");
    if (g.cavalry < 0 || g.foot < 0 || g.guns < 0) bad("negative troops");
    if (g.valor > 10 || g.politics > 10 || g.intellect > 10) bad("ability above 10");
    const int pointCap = g.intellect * 20;
    if (g.siegeStratagemPoints > pointCap || g.fieldStratagemPoints > pointCap)
        bad("stratagem points above intellect × 20 (" + std::to_string(pointCap) + ")");
    if (g.refusalCounter > 100 && g.refusalCounter != 127) bad("refusal counter " + std::to_string(g.refusalCounter));
    for (int16_t h : g.refugeHouses)
        if (!in(h, -1, b.houses - 1) && !(h == 0)) bad("refuge house " + std::to_string(h) + " out of range");

    const bool held = g.house == kHouseHeld;
    const bool heldStatus = g.status == kStatusPrisoner || g.status == kStatusHostage;
    if (held != heldStatus) bad("house " + std::to_string(g.house) + " with status " + std::to_string(g.status));
    if (held) {
        if (!in(g.holderHouse, 0, b.houses - 1)) bad("held by house " + std::to_string(g.holderHouse) + ", out of range");
        if (!in(g.originHouse, 0, b.houses - 1)) bad("held from house " + std::to_string(g.originHouse) + ", out of range");
        if (g.holderHouse == g.originHouse) bad("held by his own house " + std::to_string(g.holderHouse));
        if (g.flags & kFlagInField) bad("held, yet in the field");
    }
    // A hostage keeps his appearance year and place in the order fields.
    if (held && g.status == kStatusHostage) {
        if (!placeValid(b, g.sortieTarget)) bad("hostage place " + std::to_string(g.sortieTarget) + " out of range");
    } else if (!in(g.moveTarget, -1, b.castles - 1) || !in(g.sortieTarget, -1, b.castles - 1)) {
        bad("order target out of range");
    }
    if ((g.flags & kFlagInField) && g.castle < 0) bad("in the field at no castle");
    if (g.house >= 0) {
        if (g.castle < 0 && scope.listsRebuilt) bad("serves house " + std::to_string(g.house) + " at no castle");
        if (scope.lordsSettled && w.houses[g.house].head == -1) bad("serves the destroyed house " + std::to_string(g.house));
        if (g.corps != -1) {
            const bool used = in(g.corps, 0, kMaxCorps - 1) && w.corps[g.corps].leader != -1;
            if (!used) bad("in corps " + std::to_string(g.corps) + ", which is not in use");
            else if (w.corps[g.corps].house != g.house && w.corps[g.corps].house != commandingHouse(w, g.house))
                bad("in corps " + std::to_string(g.corps) + " of house " + std::to_string(w.corps[g.corps].house));
        }
    } else if (!in(g.corps, -1, kMaxCorps - 1)) {
        bad("corps " + std::to_string(g.corps) + " out of range");
    }
}

} // namespace

void checkCastles(const WorldState& w, const Bounds& b, const InvariantScope& scope, Report& r) {
    for (int c = 0; c < b.castles; ++c) {
        checkSite(w, b, c, r);
        checkLiveCastle(w, b, scope, c, r);
    }
}

void checkGenerals(const WorldState& w, const Bounds& b, const InvariantScope& scope, Report& r) {
    for (int j = 0; j < b.generals; ++j) checkActive(w, b, scope, j, r);
    for (int j = 0; j < b.waiting; ++j) {
        const General& g = w.waitingGenerals[j];
        // The house as the scenario wrote it (bit 15 for parentheses), or none.
        const bool houseOk = in(g.house, -3, b.houses - 1) ||
                             (g.house < -3 && (static_cast<uint16_t>(g.house) & 0x7FFF) < b.houses);
        if (!houseOk) r.add("waitingGenerals", j, "house " + std::to_string(g.house) + " out of range");
        if (!placeValid(b, g.sortieTarget)) r.add("waitingGenerals", j, "place " + std::to_string(g.sortieTarget) + " out of range");
        if (g.status > kStatusGuest) r.add("waitingGenerals", j, "status " + std::to_string(g.status) + " unknown");
        for (int16_t h : g.refugeHouses)
            if (!in(h, -1, b.houses - 1)) r.add("waitingGenerals", j, "refuge house " + std::to_string(h) + " out of range");
    }
}

void checkCastleLists(const WorldState& w, const Bounds& b, const InvariantScope& scope, Report& r) {
    // Where each general is listed: castle × 2 + (1 for the field list), or -1.
    std::vector<int> listedAt(b.generals, -1);
    for (int c = 0; c < b.castles; ++c) {
        const Castle& k = w.castles[c];
        for (int field = 0; field < 2; ++field) {
            const int32_t* list = field ? k.besiegers : k.generals;
            const int n = std::min<int>(field ? k.besiegerCount : k.generalCount, Castle::kMaxGenerals);
            const char* what = field ? "field list" : "garrison list";
            for (int i = 0; i < n; ++i) {
                const int g = list[i];
                if (!in(g, 0, b.generals - 1)) {
                    r.add("castles", c, std::string(what) + " names general " + std::to_string(g) + ", out of range");
                    continue;
                }
                if (listedAt[g] != -1) {
                    r.add("castles", c, std::string(what) + " names general " + std::to_string(g) +
                                            ", already listed at castle " + std::to_string(listedAt[g] / 2));
                    continue;
                }
                listedAt[g] = c * 2 + field;
                const General& rec = w.generals[g];
                // Generals who just left service or were taken as hostages keep their place until the rebuild.
                if (rec.house < 0) {
                    if (scope.listsRebuilt || rec.status == kStatusPrisoner)
                        r.add("castles", c, std::string(what) + " names general " + std::to_string(g) + " of house " +
                                                std::to_string(rec.house));
                    continue;
                }
                if (rec.castle != c || ((rec.flags & kFlagInField) != 0) != (field == 1))
                    r.add("castles", c, std::string(what) + " names general " + std::to_string(g) + ", who stands " +
                                            (rec.flags & kFlagInField ? "in the field" : "inside") + " at castle " +
                                            std::to_string(rec.castle));
            }
        }
    }
    if (!scope.listsRebuilt) return;

    // What the rebuild makes of the general records: index order, at most 20 a list.
    std::vector<std::vector<int32_t>> garrison(b.castles), field(b.castles);
    for (int j = 0; j < b.generals; ++j) {
        const General& g = w.generals[j];
        if (g.house < 0 || !in(g.castle, 0, b.castles - 1)) continue;
        const int side = commandingHouse(w, g.house);
        if (g.flags & kFlagInField) {
            if (field[g.castle].size() < Castle::kMaxGenerals) field[g.castle].push_back(j);
        } else if (side != commandingHouse(w, w.castles[g.castle].owner)) {
            r.add("generals", j, "stands in castle " + std::to_string(g.castle) + " of another side");
        } else if (garrison[g.castle].size() < Castle::kMaxGenerals) {
            garrison[g.castle].push_back(j);
        }
    }
    for (int c = 0; c < b.castles; ++c) {
        const Castle& k = w.castles[c];
        const int ng = std::min<int>(k.generalCount, Castle::kMaxGenerals);
        const int nf = std::min<int>(k.besiegerCount, Castle::kMaxGenerals);
        if (!std::equal(k.generals, k.generals + ng, garrison[c].begin(), garrison[c].end()))
            r.add("castles", c, "garrison list " + listText(k.generals, ng) + " but the general records give " +
                                    listText(garrison[c]));
        if (!std::equal(k.besiegers, k.besiegers + nf, field[c].begin(), field[c].end()))
            r.add("castles", c, "field list " + listText(k.besiegers, nf) + " but the general records give " +
                                    listText(field[c]));
        const int expectSiege = field[c].empty() ? -1 : commandingHouse(w, w.generals[field[c].back()].house);
        if (k.besiegedBy != expectSiege)
            r.add("castles", c, "besiegedBy " + std::to_string(k.besiegedBy) + " but the field list gives " +
                                    std::to_string(expectSiege));
        if (!scope.battlesSettled) continue;
        const int ownerSide = commandingHouse(w, k.owner);
        for (int g : field[c]) {
            const int side = commandingHouse(w, w.generals[g].house);
            if (side == ownerSide) r.add("castles", c, "besieged by general " + std::to_string(g) + " of its own side");
            else if (side != expectSiege)
                r.add("castles", c, "besieged by general " + std::to_string(g) + " of side " + std::to_string(side) +
                                        " beside side " + std::to_string(expectSiege));
        }
    }
}

} // namespace vh::inv
