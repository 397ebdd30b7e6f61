// Income, upkeep, settlement, tax choice and forecast of the month's accounts.
#include "simulation/accounts.h"

#include "computer/house_index.h"
#include "context/game_text.h"
#include "simulation/player_dialogs.h"
#include "simulation/trade_income.h"
#include "world/castle_scope.h"
#include "world/numeric.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

int clampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

bool validCastle(const WorldState& w, int c) {
    return c >= 0 && c < w.castleCount;
}

// The house a general's upkeep is charged to: a guest of a submitted vassal is kept by the lord.
int upkeepHouse(const WorldState& w, const General& g) {
    int h = g.house;
    if (h < 0 || h >= w.houseCount) return -1;
    if (g.status == kStatusGuest && w.houses[h].vassalState == 2) return w.houses[h].lord;
    return h;
}

int& accountFunds(WorldState& w, int house, int corps) {
    return corps < 0 ? w.houses[house].funds : w.corps[corps].funds;
}

void moveSupport(Game& game, int house, int corps, int taxIndex) {
    WorldState& w = game.world;
    const int target = kSupportTargetTable[taxIndex] * 10;
    for (int c = 0; c < w.castleCount; ++c) {
        Castle& k = w.castles[c];
        if (k.owner != house || k.corps != corps) continue;
        int delta = roundHalfAway((target - k.support) * 0.2 * (0.8 + game.rng.unit() * 0.4));
        k.support = static_cast<int16_t>(std::clamp(k.support + delta, 0, 1000));
    }
}

} // namespace

int townIncome(const WorldState& w, int house, int corps, const std::vector<int>* castles) {
    int64_t sum = 0;
    forCastlesIn(w, castles, [&](int c) {
        if (w.castles[c].owner == house && w.castles[c].corps == corps) sum += w.castles[c].town;
    });
    return clampToInt(sum);
}

int mineOutput(const WorldState& w, int house, int corps, const std::vector<int>* castles) {
    int64_t sum = 0;
    forCastlesIn(w, castles, [&](int c) {
        if (w.castles[c].owner == house && w.castles[c].corps == corps) sum += w.castles[c].mine;
    });
    return clampToInt(sum);
}

int monthlyNonHarvestIncome(const WorldState& w, int house) {
    int64_t town = 0, mine = 0;
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != house) continue;
        town += w.castles[c].town;
        mine += w.castles[c].mine;
    }
    return clampToInt(town + mine * w.houses[house].miningSkill / 1000);
}

int estimatedMonthlyUpkeep(const WorldState& w, int house) {
    const int unit = w.settings.heiUnit;
    int64_t sum = 0;
    for (int i = 0; i < w.generalCount; ++i) {
        const General& g = w.generals[i];
        if (g.house != house) continue;
        const double f = (g.flags & kFlagInField) ? 1.3 : 0.77;
        sum += static_cast<int64_t>(static_cast<double>(unit) * (g.foot + g.cavalry * 3) * f);
    }
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house) sum += static_cast<int64_t>(w.castles[c].garrison) * unit / 10;
    return clampToInt(sum);
}

int computeIncome(Game& game, int house, int corps, int year, int month, int taxIndex, bool preview,
                  const HarvestOutcomes* weather, IncomeBreakdown& out, const HouseIndex* index) {
    WorldState& w = game.world;
    out = IncomeBreakdown{};
    const std::vector<int>* castles = ownCastles(index, house);
    if (taxIndex < 0 || taxIndex >= kTaxChoices) taxIndex = kStandardTaxIndex;
    if (month == kHarvestMonth) {
        const int koku = harvestKoku(w, house, corps, preview ? nullptr : weather, castles);
        out.harvest = static_cast<int>(static_cast<double>(koku) * kTaxRateTable[taxIndex] / 100);
        if (!preview) moveSupport(game, house, corps, taxIndex);
    }
    out.town = townIncome(w, house, corps, castles);
    out.mine = clampToInt(static_cast<int64_t>(mineOutput(w, house, corps, castles)) * w.houses[house].miningSkill /
                          1000);
    if (corps < 0) out.ainuTrade = ainuTradeIncome(game, house);
    const int monthsAhead = (year - w.date.year) * 12 + (month - w.date.month);
    out.tradeShips = tradeShipIncome(game, house, corps, monthsAhead, preview, castles);
    out.total =
        clampToInt(static_cast<int64_t>(out.harvest) + out.town + out.mine + out.ainuTrade + out.tradeShips);
    return out.total;
}

int computeUpkeep(const WorldState& w, int house, int corps, bool includeBesieged, UpkeepBreakdown& out,
                  const HouseIndex* index) {
    out = UpkeepBreakdown{};
    int64_t idleCav = 0, idleFoot = 0, sortieCav = 0, sortieFoot = 0, garrison = 0;
    // Only a guest is paid for by a house other than his own: the cheap tests go first.
    const bool realHouse = house >= 0;
    const auto general = [&](int i) {
        const General& g = w.generals[i];
        if (g.corps != corps || (realHouse && g.house != house && g.status != kStatusGuest)) return;
        if (upkeepHouse(w, g) != house) return;
        if (g.flags & kFlagInField) {
            sortieCav += g.cavalry;
            sortieFoot += g.foot;
        } else if (validCastle(w, g.castle) && w.castles[g.castle].besiegerCount != 0) {
            out.leftOut = true;
            if (includeBesieged) {
                idleCav += g.cavalry;
                idleFoot += g.foot;
            }
        } else {
            idleCav += g.cavalry;
            idleFoot += g.foot;
        }
    };
    const auto castle = [&](int c) {
        const Castle& k = w.castles[c];
        if (k.owner != house || k.corps != corps) return;
        if (k.besiegerCount != 0) {
            out.leftOut = true;
            if (!includeBesieged) return;
        }
        garrison += k.garrison;
    };
    if (index && house >= 0 && house < static_cast<int>(index->generalsOf.size())) {
        // The house pays for its own men and for its submitted vassals' guests.
        for (int g : index->generalsOf[house]) general(g);
        for (int v : index->submittedTo[house])
            for (int g : index->generalsOf[v]) general(g);
    } else {
        for (int i = 0; i < w.generalCount; ++i) general(i);
    }
    forCastlesIn(w, ownCastles(index, house), castle);
    const double unit = w.settings.heiUnit;
    auto money = [&](int64_t n, double rate) { return clampToInt(static_cast<int64_t>(unit * n * rate)); };
    out.idleCavalry = money(idleCav, 1.5);
    out.idleFoot = money(idleFoot, 0.5);
    out.sortieCavalry = money(sortieCav, 3);
    out.sortieFoot = money(sortieFoot, 1);
    out.garrison = money(garrison, 0.1);
    out.total = clampToInt(static_cast<int64_t>(out.idleCavalry) + out.idleFoot + out.sortieCavalry +
                           out.sortieFoot + out.garrison);
    return out.total;
}

AccountResult settleAccount(Game& game, int house, int corps, int taxIndex, const HarvestOutcomes* weather,
                            const HouseIndex* index) {
    WorldState& w = game.world;
    AccountResult r;
    r.fundsBefore = accountFunds(w, house, corps);
    const int income =
        computeIncome(game, house, corps, w.date.year, w.date.month, taxIndex, false, weather, r.income, index);
    const int upkeep = computeUpkeep(w, house, corps, false, r.upkeep, index);
    int64_t funds = static_cast<int64_t>(accountFunds(w, house, corps)) + income - upkeep;
    if (funds > kFundsCap) funds = kFundsCap;
    // A deficit beyond what 32 bits hold stays at the lowest value instead of wrapping round.
    accountFunds(w, house, corps) = clampToInt(funds);
    r.fundsAfter = accountFunds(w, house, corps);
    if (r.fundsAfter >= 0) return r;

    int64_t basis = 0;
    for (int i = 0; i < w.generalCount; ++i) {
        const General& g = w.generals[i];
        if (g.house == house && g.corps == corps)
            basis += static_cast<int64_t>(w.settings.heiUnit) * (g.cavalry * 3 + g.foot);
    }
    // Nobody to desert with no troops at all.
    if (basis <= 0 || -static_cast<double>(r.fundsAfter) / static_cast<double>(basis) < 3.0) return r;
    r.deserted = true;
    if (corps < 0 && house == livingPlayerHouse(w))
        game.notify(houseNameText(w, house) + "は資金がマイナスのため一部の兵に見放されました");
    for (int i = 0; i < w.generalCount; ++i) {
        General& g = w.generals[i];
        if (upkeepHouse(w, g) != house || g.corps != corps) continue;
        g.cavalry = static_cast<int16_t>(roundHalfAway(g.cavalry * (0.92 + game.rng.unit() * 0.05)));
        g.foot = static_cast<int16_t>(roundHalfAway(g.foot * (0.92 + game.rng.unit() * 0.05)));
    }
    return r;
}

void settleHouseAccounts(Game& game, int house, int taxIndex, const HarvestOutcomes* weather,
                         const HouseIndex* index) {
    WorldState& w = game.world;
    const bool player = house == livingPlayerHouse(w);
    AccountResult direct = settleAccount(game, house, -1, taxIndex, weather, index);
    AccountsReport report;
    for (int slot = 0; slot < kMaxCorps; ++slot) {
        const Corps& c = w.corps[slot];
        if (c.leader == -1 || c.house != house) continue;
        AccountResult r = settleAccount(game, house, slot, taxIndex, weather, index);
        if (!player) continue;
        CorpsAccountRow row;
        if (c.leader >= 0 && c.leader < w.generalCount) row.name = nameText(w, w.generals[c.leader].name);
        row.name += " 軍団";
        row.income = r.income.total;
        row.upkeep = r.upkeep.total;
        row.fundsAfter = r.fundsAfter;
        report.corps.push_back(row);
    }
    if (!player) return;
    report.houseName = houseNameText(w, house);
    report.harvestMonth = w.date.month == kHarvestMonth;
    report.playerIsAinu = w.houses[house].kind == kHouseAinu;
    report.income = direct.income;
    report.upkeep = direct.upkeep;
    report.fundsBefore = direct.fundsBefore;
    report.fundsAfter = direct.fundsAfter;
    reportAccounts(game, report);
}

int chooseComputerTaxIndex(const WorldState& w, int house, const HarvestOutcomes* weather) {
    const DaimyoHouse& d = w.houses[house];
    const int64_t deficit =
        static_cast<int64_t>(estimatedMonthlyUpkeep(w, house)) - monthlyNonHarvestIncome(w, house);
    const int64_t harvestAtStandard = harvestKoku(w, house, -1, weather) / 2;
    int64_t directKoku = 0;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house && w.castles[c].corps == -1) directKoku += w.castles[c].yield;
    const int64_t need = deficit * 12 + directKoku / 20 - d.funds + 2000;
    // Nothing to tax: the ratio has no meaning, so the house takes all it can when it needs money
    // and spares its people otherwise.
    if (harvestAtStandard <= 0) return (need > 0 || d.funds < 0) ? 0 : 8;

    const double ratio = static_cast<double>(need) / static_cast<double>(harvestAtStandard);
    static constexpr double kThresholds[8] = {1.7, 1.5, 1.3, 1.1, 0.9, 0.7, 0.5, 0.3};
    int index = 8;
    for (int i = 0; i < 8; ++i) {
        if (ratio > kThresholds[i]) {
            index = i;
            break;
        }
    }
    if (d.funds < 0) {
        const double debt = -static_cast<double>(d.funds) / static_cast<double>(harvestAtStandard);
        if (debt >= 0.5)
            index = 0;
        else if (debt >= 0.3)
            index = std::min(index, 1);
        else if (debt >= 0.1)
            index = std::min(index, 2);
        else
            index = std::min(index, 3);
    }
    return index;
}

std::vector<int> forecastBalancePlain(Game& game, int house, int corps, int months) {
    WorldState& w = game.world;
    std::vector<int> values;
    if (months <= 0) return values;
    values.reserve(months);
    UpkeepBreakdown up;
    const int upkeep = computeUpkeep(w, house, corps, true, up);
    int year = w.date.year, month = w.date.month;
    for (int i = 0; i < months; ++i) {
        if (++month > 12) {
            month = 1;
            ++year;
        }
        IncomeBreakdown inc;
        const int income =
            computeIncome(game, house, corps, year, month, kStandardTaxIndex, true, nullptr, inc);
        values.push_back(clampToInt(static_cast<int64_t>(income) - upkeep));
    }
    return values;
}

// The same months as the plain forecast, from one pass over the account's castles: nothing a
// preview reads changes from one forecast month to the next, and the Ainu trade (the only part
// that draws) is asked only when some Ainu tie could pay, so the draws stay the same.
std::vector<int> forecastBalance(Game& game, int house, int corps, int months, const HouseIndex* index) {
    WorldState& w = game.world;
    std::vector<int> values;
    if (months <= 0) return values;
    values.reserve(months);
    UpkeepBreakdown up;
    const int upkeep = computeUpkeep(w, house, corps, true, up, index);

    int64_t town = 0, mine = 0;
    double koku = 0;
    std::vector<int> ships(static_cast<size_t>(months) + 1, 0);
    forCastlesIn(w, ownCastles(index, house), [&](int c) {
        const Castle& k = w.castles[c];
        if (k.owner != house || k.corps != corps) return;
        town += k.town;
        mine += k.mine;
        koku += k.yield;
        if (!w.castleSites[c].hasPort) return;
        for (const Voyage& v : k.voyages) {
            if (v.ships == 0 || v.monthsLeft < 1 || v.monthsLeft > months) continue;
            const bool known = v.destination < w.tradePartnerCount;
            const int value = known ? w.tradePartners[v.destination].shipValue : 0;
            ships[v.monthsLeft] += static_cast<int>(static_cast<double>(v.ships) * value);
        }
    });
    const int townPart = clampToInt(town);
    const int minePart = clampToInt(static_cast<int64_t>(clampToInt(mine)) * w.houses[house].miningSkill / 1000);
    const int harvestPart =
        static_cast<int>(static_cast<double>(static_cast<int>(koku)) * kTaxRateTable[kStandardTaxIndex] / 100);
    bool ainuTie = false;
    if (corps < 0) {
        const DaimyoHouse& self = w.houses[house];
        for (int i = 0; i < w.houseCount && !ainuTie; ++i) {
            if (i == house || !houseAlive(w, i)) continue;
            const bool otherAinu = w.houses[i].kind == kHouseAinu;
            if (otherAinu == (self.kind == kHouseAinu)) continue;
            const int kind = relationKind(self, i);
            ainuTie = kind == kRelPact || kind == kRelHasSubordinate || kind == kRelHasSubmitted;
        }
    }
    // A forecast changes nothing in the world, so the trade partners stay those of this month.
    const std::vector<AinuTradeShare> ainuShares = ainuTie ? ainuTradeShares(w, house) : std::vector<AinuTradeShare>{};
    int month = w.date.month;
    for (int i = 1; i <= months; ++i) {
        if (++month > 12) month = 1;
        const int ainu = ainuTie ? drawAinuTrade(ainuShares, game.rng) : 0;
        const int harvest = month == kHarvestMonth ? harvestPart : 0;
        const int income = clampToInt(static_cast<int64_t>(harvest) + townPart + minePart + ainu + ships[i]);
        values.push_back(clampToInt(static_cast<int64_t>(income) - upkeep));
    }
    return values;
}

void settleMonthAccounts(Game& game) {
    WorldState& w = game.world;
    HarvestOutcomes outcomes;
    const int playerTax = rollHarvest(game, outcomes);
    const bool harvest = w.date.month == kHarvestMonth;
    const int player = livingPlayerHouse(w);
    // Settling moves funds, support and troops, never who owns or commands what: one index of
    // who holds what serves every house. It is kept from month to month for its lists' storage,
    // and built afresh each time.
    thread_local HouseIndex index;
    buildHouseIndex(w, index);
    for (int h = 0; h < w.houseCount; ++h) {
        if (!houseAlive(w, h)) continue;
        int tax = kStandardTaxIndex;
        if (harvest) tax = h == player ? playerTax : chooseComputerTaxIndex(w, h, &outcomes);
        settleHouseAccounts(game, h, tax, harvest ? &outcomes : nullptr, &index);
    }
    if (harvest) growKoku(game, outcomes);
    growMiningSkill(w);
}

} // namespace vh
