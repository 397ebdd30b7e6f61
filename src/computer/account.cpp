// Accounts and their money figures as the computer reads them.
#include "computer/account.h"

#include "computer/house_index.h"
#include "diplomacy/figures.h"
#include "economy/economy_common.h"
#include "world/numeric.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

int clampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

int heiUnit(const WorldState& w) {
    return std::max(1, w.settings.heiUnit);
}

bool corpsHasProvince(const Corps& c, int province) {
    for (uint8_t p : c.provinces)
        if (p != 0xFF && p == province) return true;
    return false;
}

} // namespace

Account accountOf(const WorldState& w, int house, int corps, const HouseIndex* index) {
    Account a;
    a.house = house;
    a.corps = corps;
    if (house < 0 || house >= w.houseCount) return a;
    const bool submitted = w.houses[house].vassalState == 2;
    const auto takeCastle = [&](int c) {
        if (corps < 0 || corpsHasProvince(w.corps[corps], w.castleSites[c].province)) a.castles.push_back(c);
    };
    const auto takeGeneral = [&](int g) {
        const General& r = w.generals[g];
        if (r.house < 0) return;
        if (corps < 0) {
            if (r.house == house && (r.corps == -1 || submitted)) a.generals.push_back(g);
        } else if (r.corps == corps) {
            a.generals.push_back(g);
        }
    };
    if (index) {
        const auto& generals = corps < 0 ? index->generalsOf[house] : index->corpsGenerals[corps];
        a.castles.reserve(index->castlesOf[house].size());
        a.generals.reserve(generals.size());
        for (int c : index->castlesOf[house]) takeCastle(c);
        for (int g : generals) takeGeneral(g);
        return a;
    }
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house) takeCastle(c);
    for (int g = 0; g < w.generalCount; ++g) takeGeneral(g);
    return a;
}

int& accountFunds(WorldState& w, int house, int corps) {
    return corps >= 0 ? w.corps[corps].funds : w.houses[house].funds;
}


int monthsUntilHarvest(int month) {
    return 9 - month > 0 ? 9 - month : 21 - month;
}

int estimatedAccountUpkeep(const WorldState& w, const Account& a) {
    const int unit = heiUnit(w);
    long long sum = 0;
    for (int g : a.generals) {
        const General& r = w.generals[g];
        const double f = (r.flags & kFlagInField) ? 1.3 : 0.77;
        sum += static_cast<long long>(unit * (r.foot + r.cavalry * 3.0) * f);
    }
    for (int c : a.castles)
        sum += static_cast<long long>(w.castles[c].garrison) * unit / 10;
    return clampToInt(sum);
}

namespace {

struct AccountYield {
    long long town = 0, mine = 0, koku = 0;
};

AccountYield yieldOf(const WorldState& w, const Account& a) {
    AccountYield y;
    for (int c : a.castles) {
        y.town += w.castles[c].town;
        y.mine += w.castles[c].mine;
        y.koku += w.castles[c].yield;
    }
    return y;
}

long long mineIncome(const WorldState& w, const Account& a, long long mine) {
    return mine * w.houses[a.house].miningSkill / 1000;
}

} // namespace

int monthlyAccountBalance(const WorldState& w, const Account& a) {
    const AccountYield y = yieldOf(w, a);
    const long long upkeep = static_cast<long long>(1.1 * estimatedAccountUpkeep(w, a));
    return clampToInt(y.town + mineIncome(w, a, y.mine) - upkeep);
}

int accountBudget(const WorldState& w, const Account& a) {
    long long budget = accountFunds(w, a.house, a.corps);
    const int balance = monthlyAccountBalance(w, a);
    if (balance < 1) budget += static_cast<long long>(balance) * monthsUntilHarvest(w.date.month);
    return clampToInt(budget);
}

int accountBudget(const WorldState& w, int house, int corps) {
    return accountBudget(w, accountOf(w, house, corps));
}

int supportableUnits(const WorldState& w, const Account& a) {
    const int unit = heiUnit(w);
    const AccountYield y = yieldOf(w, a);
    const long long income = mineIncome(w, a, y.mine) + y.koku / 24 + y.town;
    const long long fromIncome = static_cast<long long>(0.8 * (income / unit));
    const int funds = accountFunds(w, a.house, a.corps);
    const long long fromFunds =
        static_cast<long long>(static_cast<double>(funds) / monthsUntilHarvest(w.date.month) * 0.8) / unit;
    return clampToInt(std::max(fromIncome, fromFunds));
}

bool isFrontline(const WorldState& w, int castle) {
    const int owner = w.castles[castle].owner;
    if (owner < 0) return false;
    const CastleSite& s = w.castleSites[castle];
    for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r) {
        const int n = s.routes[r];
        if (n < 0 || n >= w.castleCount) continue;
        const int other = w.castles[n].owner;
        if (other < 0 || other == owner || other >= w.houseCount) continue;
        if (relationKind(w.houses[other], owner) < 2) return true;
    }
    return false;
}

int foodMonths(const WorldState& w, int castle) {
    const int defenders = castleDefenders(w, castle);
    if (defenders == 0) return 1;
    return ceilAway(w.castles[castle].food / (static_cast<double>(defenders) * heiUnit(w)));
}

int monthsAgainst(const WorldState& w, int castle, int strength) {
    const int defenders = castleDefenders(w, castle);
    if (defenders == 0) return 1;
    const Castle& k = w.castles[castle];
    const double food = ceilAway(k.food / (static_cast<double>(defenders) * heiUnit(w)));
    const double pressure = ((std::max(1.0, static_cast<double>(strength) / defenders) - 1.0) * 2.0 + 1.0) * 5.0;
    const double walls = ceilAway((k.size * 100.0 - k.siegeProgress) / pressure);
    return static_cast<int>(std::min(food, walls));
}

} // namespace vh
