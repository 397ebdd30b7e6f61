// New game set-up and the house choice. Random draws happen exactly where the steps below make
// them, so one seed always gives one starting world.
#include "game/new_game.h"

#include "context/game_text.h"
#include "diplomacy/operations.h"
#include "world/byte_io.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vh {
namespace {

int clampToInt(double v) {
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return static_cast<int>(v);
}

void resetHouses(WorldState& w) {
    for (int h = 0; h < kMaxHouses; ++h) {
        DaimyoHouse& d = w.houses[h];
        d.head = -1;
        d.unused8 = -1;
        std::memset(d.name, 0, sizeof d.name);
        d.kind = kHouseNormal;
        d.unused46 = -1;
        d.uprisingCount = 0;
        d.vassalState = 0;
        d.lord = h;
        std::memset(d.relations, kRelNothing, sizeof d.relations);
        d.undeployedGuns = 0;
        d.gunsOrderedThisMonth = 0;
        for (GunOrder& o : d.marketOrders) o = GunOrder{};
    }
    for (Corps& c : w.corps) {
        c.leader = -1;
        c.house = -1;
    }
}

void setUpCastles(WorldState& w) {
    const int64_t hyourouMax = w.settings.shiroHyourouMax;
    const int64_t heiUnit = w.settings.heiUnit != 0 ? w.settings.heiUnit : 1;
    for (int c = 0; c < w.castleCount; ++c) {
        const CastleSite& s = w.castleSites[c];
        Castle& k = w.castles[c];
        k.owner = s.initialOwner;
        k.corps = -1;
        k.besiegedBy = -1;
        k.size = s.size;
        k.siegeProgress = 0;
        const int64_t capacity = s.size * hyourouMax;
        const int64_t fromYield = static_cast<int64_t>(k.yield / 1000) * 300;
        const int64_t half = capacity / 2;
        k.food = static_cast<int32_t>(std::clamp<int64_t>(std::min(std::max(fromYield, half), capacity),
                                                           std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max()));
        k.garrison = static_cast<int16_t>(s.size * (hyourouMax / 10) / heiUnit / 2);
        k.generalCount = 0;
        k.besiegerCount = 0;
        for (Voyage& v : k.voyages) v.ships = 0;
    }
}

// Castles of `province` in index order, optionally only those owned by `owner`.
std::vector<int> castlesInProvince(const WorldState& w, int province, int owner) {
    std::vector<int> out;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castleSites[c].province == province && (owner < 0 || w.castles[c].owner == owner)) out.push_back(c);
    return out;
}

bool isProvincePlace(int16_t place) { return place < 0; }
int provinceOf(int16_t place) { return static_cast<uint16_t>(place) & 0x7FFF; }

General generalFromEntry(const ScenarioGeneral& s, int entry, Random& rng) {
    General g{};
    std::memcpy(g.name, s.name, sizeof g.name);
    g.status = kStatusOrdinary;
    g.valor = s.valor;
    g.politics = s.politics;
    g.ambition = s.ambition;
    g.loyalty = s.loyalty;
    g.intellect = s.intellect;
    const int r1 = rng.next();
    const int r2 = rng.next();
    g.siegeStratagemPoints = static_cast<uint8_t>(s.intellect * Random::scaleUpTo(r1, 20));
    g.fieldStratagemPoints = static_cast<uint8_t>(s.intellect * Random::scaleUpTo(r2, 20));
    g.birthYear = s.birthYear;
    g.lifeEnd = s.lifeEnd;
    g.entry = static_cast<int16_t>(entry);
    g.cavalry = s.cavalry;
    g.foot = s.foot;
    g.guns = s.guns;
    g.house = s.house;
    g.flags = s.birthUnknown ? kFlagBirthUnknown : 0;
    // An empty refuge list: zeros would read as five times house 0, and a waiting general who
    // turns out masterless when he appears would always serve house 0.
    std::fill(std::begin(g.refugeHouses), std::end(g.refugeHouses), int16_t{-1});
    return g;
}

int successionRank(const WorldState& w, int general) {
    const int entry = w.generals[general].entry;
    return entry >= 0 && entry < kMaxGenerals ? w.scenarioGenerals[entry].succession : -1;
}

// Places the scenario's generals: waiting ones to the waiting table, present ones into castles,
// choosing each house's head on the way.
void setUpGenerals(Game& game) {
    WorldState& w = game.world;
    w.generalCount = 0;
    w.waitingCount = 0;
    for (int i = 0; i < w.scenarioGeneralCount; ++i) {
        const ScenarioGeneral& s = w.scenarioGenerals[i];
        General g = generalFromEntry(s, i, game.rng);
        if (s.appearYear != 0) {
            if (w.waitingCount >= kMaxGenerals) {
                game.show("初期未登場武将が多すぎます");
                return;
            }
            g.moveTarget = s.appearYear;
            g.sortieTarget = s.place;
            w.waitingGenerals[w.waitingCount++] = g;
            continue;
        }
        int place = s.place;
        int house;
        if (s.house == ScenarioGeneral::kFreeHouse) {
            // A free general serves whoever holds his place.
            if (isProvincePlace(s.place)) {
                const std::vector<int> cs = castlesInProvince(w, provinceOf(s.place), -1);
                if (cs.empty()) continue;
                place = cs[game.rng.below(static_cast<int>(cs.size()))];
            } else if (place >= w.castleCount) {
                continue;
            }
            house = w.castles[place].owner;
        } else {
            house = static_cast<uint16_t>(s.house) & 0x7FFF;
        }
        if (house >= kMaxHouses) {
            game.show("大名家の番号が大きすぎます");
            return;
        }
        if (house < 0) continue; // a free general at an ownerless castle has nobody to serve
        if (isProvincePlace(place)) {
            const std::vector<int> cs = castlesInProvince(w, provinceOf(static_cast<int16_t>(place)), house);
            if (cs.empty()) continue;
            place = cs[game.rng.below(static_cast<int>(cs.size()))];
        } else if (place >= w.castleCount) {
            continue;
        }
        if (w.generalCount >= kMaxGenerals) {
            game.show("初期武将が多すぎます");
            return;
        }
        // The head is chosen only among generals who really enter the table, so a dropped
        // general can never leave his house headed by whoever takes his index next.
        const int index = w.generalCount;
        g.house = static_cast<int16_t>(house);
        g.castle = static_cast<int16_t>(place);
        g.corps = -1;
        g.moveTarget = -1;
        g.sortieTarget = -1;
        g.flags &= ~(kFlagActed | kFlagInField | kFlagAwaitingPlacement);
        w.generals[w.generalCount++] = g;
        DaimyoHouse& d = w.houses[house];
        if (d.head == -1) d.head = index;
        const int rank = s.succession;
        if (rank >= 0) {
            const int headRank = successionRank(w, d.head);
            if (headRank < 0 || rank < headRank) d.head = index;
        }
    }
}

void listGeneralsInCastles(WorldState& w) {
    for (int g = 0; g < w.generalCount; ++g) {
        Castle& k = w.castles[w.generals[g].castle];
        if (k.generalCount < Castle::kMaxGenerals) k.generals[k.generalCount++] = g;
    }
}

void setUpFunds(WorldState& w) {
    int months = 9 - w.settings.startMonth;
    if (months < 0) months += 12;
    std::vector<int64_t> yield(w.scenarioHouseCount, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        const int owner = w.castles[c].owner;
        if (owner >= 0 && owner < w.scenarioHouseCount) yield[owner] += w.castles[c].yield;
    }
    for (int h = 0; h < w.scenarioHouseCount; ++h) {
        const ScenarioHouse& s = w.scenarioHouses[h];
        DaimyoHouse& d = w.houses[h];
        d.funds = s.initialFunds;
        if (s.initialFunds == -1) d.funds = clampToInt(static_cast<double>(yield[h]) / 12 * 0.8 * months);
        d.navigationSkill = s.navigationSkill;
        d.miningSkill = s.miningSkill;
    }
}

void setBoth(WorldState& w, int a, int b, int kind, int counter) {
    setRelationKind(w.houses[a], b, kind);
    setRelationKind(w.houses[b], a, kind);
    setRelationCounter(w.houses[a], b, counter);
    setRelationCounter(w.houses[b], a, counter);
}

// The scenario's Doumei lines in order; pacts made here cost nothing.
void applyInitialRelations(Game& game) {
    WorldState& w = game.world;
    for (int r = 0; r < w.relationEntryCount && r < kMaxRelationEntries; ++r) {
        const RelationEntry e = w.relationEntries[r];
        const int a = e.houseA;
        if (a < 0 || a >= w.houseCount) continue;
        auto apply = [&](int b) {
            switch (e.kind) {
            case kRelPact: establishNonAggression(game, a, b, true); break;
            case kRelSubordinateTo:
                establishNonAggression(game, a, b, true);
                makeSubordinate(game, a, b);
                break;
            case kRelSubmittedTo:
                establishNonAggression(game, a, b, true);
                makeSubordinate(game, a, b);
                makeSubmitted(game, a, b);
                break;
            case kRelSwornEnemy:
                if (relationKind(w.houses[a], b) == kRelNothing) {
                    setRelationKind(w.houses[a], b, kRelSwornEnemy);
                    setRelationKind(w.houses[b], a, kRelSwornEnemy);
                }
                setRelationCounter(w.houses[a], b, 15);
                setRelationCounter(w.houses[b], a, 15);
                break;
            case kRelNothing: setBoth(w, a, b, kRelNothing, 0); break;
            default: break; // the reader admits no other kind
            }
        };
        if (e.houseB == -1) {
            for (int b = 0; b < w.houseCount; ++b)
                if (b != a) apply(b);
        } else if (e.houseB >= 0 && e.houseB < w.houseCount && e.houseB != a) {
            apply(e.houseB);
        }
    }
}


} // namespace

int houseYield(const WorldState& w, int house) {
    int64_t sum = 0;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house) sum += w.castles[c].yield;
    return static_cast<int>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                std::numeric_limits<int32_t>::max()));
}

int powerFigure(const WorldState& w, int house) {
    const std::vector<int> all = housePowerFigures(w);
    return house >= 0 && house < static_cast<int>(all.size()) ? all[house] : 0;
}

void setUpNewGame(Game& game) {
    WorldState& w = game.world;
    w.date = GameDate{w.settings.startYear, w.settings.startMonth};
    game.quietMode = false;
    game.gameOver = false;
    game.benchmark = false;
    game.battleReport.clear();
    game.diplomacyLog.clear();
    w.spectator = false;
    w.watchAnswered = false;
    w.houseCount = w.scenarioHouseCount;

    resetHouses(w);
    for (int h = 0; h < w.scenarioHouseCount; ++h) {
        w.houses[h].kind = w.scenarioHouses[h].kind;
        std::memcpy(w.houses[h].name, w.scenarioHouses[h].name, sizeof w.houses[h].name);
    }
    setUpCastles(w);
    setUpGenerals(game);
    listGeneralsInCastles(w);
    setUpFunds(w);
    for (int c = 0; c < w.castleCount; ++c) {
        const int owner = w.castles[c].owner;
        w.castles[c].lord = owner >= 0 && owner < kMaxHouses ? static_cast<int16_t>(w.houses[owner].head) : -1;
    }
    applyInitialRelations(game);
    w.coalitionCount = 0;
    // No diplomacy figure is derived here: computer diplomacy keeps no figure of its own.
    const std::vector<int> power = housePowerFigures(w);
    for (int h = 0; h < w.houseCount; ++h)
        for (int16_t& p : w.houses[h].powerHistory) p = static_cast<int16_t>(power[h]);
}

int chooseHouse(Game& game, int house) {
    WorldState& w = game.world;
    if (house == -1) {
        if (w.houseCount >= kMaxHouses) {
            game.show("大名家数がＭＡＸの場合は全自動モードは実行できません");
            return kChooseWatchRefused;
        }
        w.playerHouse = w.houseCount;
        ++w.houseCount;
        w.spectator = true;
        return kChooseOk;
    }
    if (house < 0 || house >= w.houseCount) return kChooseNoSuchHouse;
    bool ownsCastle = false;
    for (int c = 0; c < w.castleCount && !ownsCastle; ++c) ownsCastle = w.castles[c].owner == house;
    if (!ownsCastle) return kChooseNoSuchHouse;
    w.playerHouse = house;
    w.spectator = false;
    return kChooseOk;
}

ScenarioInfo scenarioInfo(const WorldState& w) {
    ScenarioInfo info;
    info.title = nameText(w, w.settings.title);
    info.castles = w.castleCount;
    info.houses = w.scenarioHouseCount;
    info.generals = w.scenarioGeneralCount;
    info.tradePartners = std::max(0, w.tradePartnerCount - 1);
    return info;
}

std::vector<HouseChoice> houseChoices(const WorldState& w, int province) {
    std::vector<HouseChoice> rows;
    std::vector<char> inProvince(w.houseCount, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        const int owner = w.castles[c].owner;
        if (w.castleSites[c].province == province && owner >= 0 && owner < w.houseCount) inProvince[owner] = 1;
    }
    for (int h = 0; h < w.houseCount; ++h) {
        if (!inProvince[h]) continue;
        HouseChoice row;
        row.house = h;
        for (int c = 0; c < w.castleCount; ++c) row.castles += w.castles[c].owner == h;
        row.koku = houseYield(w, h);
        rows.push_back(row);
    }
    return rows;
}

std::string startAsHouseMessage(const WorldState& w, int house) { return houseNameText(w, house) + "で始めます"; }

} // namespace vh
