// The second half of the month's battles: the sieges and the castles they take, vassal houses
// left without a castle, houses that vanish, the newly placed generals moved to the end of the
// table, and the report.
#include "battle/battle_resolution.h"
#include "battle/castle_fall.h"
#include "battle/resolution_steps.h"

#include "context/game_text.h"
#include "simulation/event_support.h"
#include "simulation/succession.h"
#include "world/castle_rules.h"

#include <algorithm>

namespace vh {

void appendReportLine(Game& game, const std::string& line) {
    game.battleReport += line;
    game.battleReport += "\r\n";
}

std::string battleReportText(const Game& game) {
    return game.battleReport.empty() ? std::string("特になし") : game.battleReport;
}

namespace resolution {
namespace {

std::vector<int> listed(const int32_t* list, int count) {
    return std::vector<int>(list, list + std::min(count, Castle::kMaxGenerals));
}

// The garrison's sally: the besiegers as side A, the garrison generals with the garrison soldiers
// as the castle's side.
int sallyBattle(Game& game, const ResolutionServices& s, int c) {
    const WorldState& w = game.world;
    const Castle& k = w.castles[c];
    FieldBattleCall call;
    call.sideA = listed(k.besiegers, k.besiegerCount);
    call.sideB = listed(k.generals, k.generalCount);
    call.castleB = c;
    call.sideBIsCastle = true;
    call.province = w.castleSites[c].province;
    return s.fieldBattle(game, call);
}

void siegeOf(Game& game, const ResolutionServices& s, int c) {
    WorldState& w = game.world;
    Castle& k = w.castles[c];
    const int O = commandingHouse(w, k.owner);
    const int B = commandingHouse(w, w.generals[k.besiegers[0]].house);
    const SiegeOutcome out = s.siegeMonth(game, c, [&s](Game& g, int castle) { return sallyBattle(g, s, castle); });
    if (out.abandoned) game.closing = true;
    const std::string name = castleName(w, c);
    if (out.sally >= 0) {
        appendReportLine(game, name + "周囲で城兵(" + houseNameText(w, O) + ")と攻城軍(" + houseNameText(w, B) + ")が野戦");
        if (out.sally == kBattleSideAWon) {
            appendReportLine(game, "  → 攻城軍の勝利");
        } else {
            appendReportLine(game, "  → 攻城軍は退却しました");
            retreatArmy(w, listed(k.besiegers, k.besiegerCount));
            checkRetreated(game, c, B);
            return;
        }
    }
    appendReportLine(game, name + "（" + houseNameText(w, O) + "）は" + houseNameText(w, B) + "に攻められています");
    if (out.result != kSiegeFallen && out.result != kSiegeSurrendered) return;
    // The siege may have ended with nobody left before the castle.
    if (k.besiegerCount == 0) return;
    if (out.result == kSiegeFallen) {
        if (k.size > 1) {
            --k.size;
            // A smaller castle holds less: the stores it can no longer keep are lost.
            const long long cap = static_cast<long long>(k.size) * w.settings.shiroHyourouMax;
            if (k.food > cap) k.food = static_cast<int32_t>(std::max(0LL, cap));
        }
        appendReportLine(game, "  → " + name + "は強襲により落城しました");
    } else {
        appendReportLine(game, "  → " + name + "は兵糧が尽きて開城しました");
    }
    k.siegeProgress = 0;
    k.garrison = 0;
    castleFalls(game, s, c, fallenCastleDefenders(w, c));
}

bool hasScenarioRecord(const WorldState& w, const General& g) {
    return g.entry >= 0 && g.entry < w.scenarioGeneralCount;
}

} // namespace

void sieges(Game& game, const ResolutionServices& s) {
    WorldState& w = game.world;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].besiegerCount > 0) siegeOf(game, s, c);
}

void vassalsWithoutCastles(Game& game) {
    WorldState& w = game.world;
    std::vector<int> castles(w.houseCount, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        const int o = w.castles[c].owner;
        if (o >= 0 && o < w.houseCount) ++castles[o];
    }
    for (int h = 0; h < w.houseCount; ++h) {
        DaimyoHouse& d = w.houses[h];
        if (d.vassalState != 2 || castles[h] != 0 || d.head == -1) continue;
        const int lord = d.lord;
        if (lord < 0 || lord >= w.houseCount) continue;
        game.notify(houseNameText(w, h) + "は全ての城を失ったので、主家である" + houseNameText(w, lord) +
                    "の家臣になりました");
        d.head = -2;
        for (int g = 0; g < w.generalCount; ++g) {
            General& r = w.generals[g];
            if (r.house != h) continue;
            if (!hasScenarioRecord(w, r)) {
                r.house = kHouseLost;
                detachFromCastleLists(w, g);
                continue;
            }
            r.house = static_cast<int16_t>(lord);
            r.status = kStatusOrdinary;
            // The vassal's corps do not pass to the lord: he serves under the lord's own command.
            r.corps = -1;
            r.flags |= kFlagAwaitingPlacement;
            game.notify(nameText(w, r.name) + "は" + houseNameText(w, lord) + "の家臣になりました");
        }
    }
}

void vanishingHouses(Game& game) {
    WorldState& w = game.world;
    for (int h = 0; h < w.houseCount; ++h) {
        if (w.houses[h].head != -2) continue;
        succeedHead(game, h);
        if (w.houses[h].head != -2) continue;
        bool ownsCastle = false;
        for (int c = 0; c < w.castleCount && !ownsCastle; ++c) ownsCastle = w.castles[c].owner == h;
        if (ownsCastle) continue;
        appendReportLine(game, houseNameText(w, h) +
                                   (w.houses[h].kind == kHouseAinu ? "は蝦夷地の奥深くに退散しました" : "は滅亡しました"));
        w.houses[h].head = -1;
    }
}

} // namespace resolution

std::vector<int> moveMarkedGeneralsToEnd(WorldState& w) {
    const int n = w.generalCount;
    std::vector<int> newIndex(n);
    for (int i = 0; i < n; ++i) newIndex[i] = i;
    const auto marked = [&](int i) { return (w.generals[i].flags & kFlagAwaitingPlacement) != 0; };
    int first = 0;
    while (first < n && !marked(first)) ++first;
    if (first == n) return newIndex;
    // The unmarked keep their order and the marked follow them in theirs, as taking each marked
    // general out in turn and putting him last would leave them: one pass over the records.
    std::vector<int> order; // order[k] = the former index of the general now at first + k
    order.reserve(n - first);
    for (int i = first; i < n; ++i)
        if (!marked(i)) order.push_back(i);
    for (int i = first; i < n; ++i)
        if (marked(i)) order.push_back(i);
    std::vector<General> moved;
    moved.reserve(n - first);
    for (int from : order) {
        moved.push_back(w.generals[from]);
        moved.back().flags &= ~kFlagAwaitingPlacement;
    }
    std::copy(moved.begin(), moved.end(), w.generals.begin() + first);
    for (int k = 0; k < static_cast<int>(order.size()); ++k) newIndex[order[k]] = first + k;
    const auto map = [&](auto& index) {
        if (index >= 0 && index < n) index = static_cast<std::remove_reference_t<decltype(index)>>(newIndex[index]);
    };
    for (int h = 0; h < w.houseCount; ++h) map(w.houses[h].head);
    for (Corps& c : w.corps) map(c.leader);
    for (std::vector<Castle>* table : {&w.castles, &w.castleSnapshot})
        for (int c = 0; c < w.castleCount; ++c) {
            Castle& k = (*table)[c];
            map(k.lord);
            for (int i = 0; i < std::min<int>(k.generalCount, Castle::kMaxGenerals); ++i) map(k.generals[i]);
            for (int i = 0; i < std::min<int>(k.besiegerCount, Castle::kMaxGenerals); ++i) map(k.besiegers[i]);
        }
    return newIndex;
}

void resolveMonthlyBattles(Game& game, const ResolutionServices& s) {
    using namespace resolution;
    WorldState& w = game.world;
    game.battleReport.clear();
    marchArmies(game, s);
    townEconomy(game);
    battlesBeforeCastles(game, s);
    arrivals(game);
    sieges(game, s);
    vassalsWithoutCastles(game);
    vanishingHouses(game);
    moveMarkedGeneralsToEnd(w);
    rebuildCastleLists(game);
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].besiegerCount == 0) w.castles[c].siegeProgress = 0;
    if (!game.quietMode && !game.closing && game.frontend) game.frontend->showBattleReport(battleReportText(game));
}

void resolveMonthlyBattles(Game& game) { resolveMonthlyBattles(game, standardResolutionServices()); }

} // namespace vh
