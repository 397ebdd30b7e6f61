// Armaments of one account: castle size and food at the front, recruits for garrisons and
// generals within what the account can feed, their price in koku and support, and the guns.
#include "computer/account.h"
#include "computer/computer_turn.h"
#include "computer/house_index.h"
#include "computer/routines.h"

#include "context/game.h"
#include "world/numeric.h"
#include "world/ranked_list.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

int heiUnit(const WorldState& w) {
    return std::max(1, w.settings.heiUnit);
}

bool inBesiegedCastle(const WorldState& w, const General& g) {
    return g.castle >= 0 && g.castle < w.castleCount && isBesieged(w.castles[g.castle]);
}

bool onSortie(const General& g) {
    return (g.flags & kFlagInField) != 0;
}

// A guest general serving a submitted vassal is armed by that vassal's lord.
bool armedByLord(const WorldState& w, const General& g) {
    if (g.status != kStatusGuest || g.house < 0 || g.house >= w.houseCount) return false;
    return w.houses[g.house].vassalState == 2;
}

// The generals armaments hand troops and guns to, in general order.
std::vector<int> armingGenerals(const WorldState& w, const Account& a, const HouseIndex* index) {
    std::vector<int> out;
    for (int g : a.generals) {
        const General& r = w.generals[g];
        if (onSortie(r) || inBesiegedCastle(w, r) || armedByLord(w, r)) continue;
        out.push_back(g);
    }
    if (a.corps < 0) {
        const auto takeGuest = [&](int g) {
            const General& r = w.generals[g];
            if (!armedByLord(w, r) || r.corps != -1 || w.houses[r.house].lord != a.house) return;
            if (onSortie(r) || inBesiegedCastle(w, r)) return;
            out.push_back(g);
        };
        if (index) {
            // Guests armed by this house serve its submitted vassals.
            if (a.house < static_cast<int>(index->submittedTo.size()))
                for (int v : index->submittedTo[a.house])
                    for (int g : index->generalsOf[v]) takeGuest(g);
        } else {
            for (int g = 0; g < w.generalCount; ++g) takeGuest(g);
        }
        std::sort(out.begin(), out.end());
    }
    return out;
}

// The account's frontline castles that are not besieged, in castle order.
std::vector<int> frontCastles(const WorldState& w, const Account& a) {
    std::vector<int> out;
    for (int c : a.castles)
        if (!isBesieged(w.castles[c]) && isFrontline(w, c)) out.push_back(c);
    return out;
}

int& gunStock(WorldState& w, int house, int corps) {
    return corps >= 0 ? w.corps[corps].undeployedGuns : w.houses[house].undeployedGuns;
}

// Step 9's guns: the stock goes to the generals with the most foot first, each in proportion to
// his foot, never more guns than foot.
void handOutGuns(WorldState& w, const Account& a, const std::vector<int>& generals) {
    int& stock = gunStock(w, a.house, a.corps);
    RankedList byFoot(static_cast<int>(generals.size()));
    long long total = stock, foot = 0;
    for (int g : generals) {
        byFoot.add(g, w.generals[g].foot);
        total += w.generals[g].guns;
        foot += w.generals[g].foot;
    }
    // Sorted as far as read: the stock often runs out first.
    for (int i = 0; i < byFoot.size() && foot > 0 && stock > 0; ++i) {
        General& r = w.generals[byFoot.settledItem(i)];
        const int target = std::min<int>(ceilAway(static_cast<double>(r.foot) / foot * total), r.foot);
        const int give = std::clamp(target - r.guns, 0, stock);
        r.guns = static_cast<int16_t>(r.guns + give);
        stock -= give;
        total -= r.guns;
        foot -= r.foot;
    }
}

// The recruitable cavalry and foot of the account's castles.
void recruitable(const WorldState& w, const Account& a, int& cavalry, int& foot) {
    double k = 0, f = 0;
    const int unit = heiUnit(w);
    for (int c : a.castles) {
        const Castle& castle = w.castles[c];
        k += castle.yield / 1000.0 * castle.support / 1000.0 / unit;
        f += castle.yield / 100.0 * castle.support / 1000.0 / unit;
    }
    cavalry = roundHalfAway(k);
    foot = roundHalfAway(f);
}

// The recruited men leave the account's castles' koku, spread evenly in castle order, and every
// castle of the account loses support in proportion to the account's koku.
void chargeRecruits(WorldState& w, const Account& a, int foot, int cavalry) {
    const int unit = heiUnit(w);
    long long left = static_cast<long long>(foot + cavalry) * unit;
    int castlesLeft = static_cast<int>(a.castles.size());
    for (int c : a.castles) {
        if (left <= 0) break;
        const int share = roundHalfAway(static_cast<double>(left) / castlesLeft);
        Castle& k = w.castles[c];
        const int taken = std::min(share, k.yield > 0 ? k.yield : 0);
        k.yield -= taken;
        left -= taken;
        --castlesLeft;
    }
    long long koku = 0;
    for (int c : a.castles)
        koku += w.castles[c].yield;
    // An account without koku has no support to spend it from: nothing is lost.
    if (koku <= 0) return;
    const int loss = roundHalfAway(1000.0 * (foot + 3.0 * cavalry) * unit / static_cast<double>(koku));
    for (int c : a.castles) {
        Castle& k = w.castles[c];
        k.support = static_cast<int16_t>(std::max(0, k.support - loss));
    }
}

bool holdsPortWithoutShips(const WorldState& w, const Account& a) {
    bool port = false;
    for (int c : a.castles) {
        if (!w.castleSites[c].hasPort) continue;
        port = true;
        if (w.castles[c].tradeShips > 0) return false;
    }
    return port;
}

} // namespace

void armAccount(Game& game, int house, int corps) { armAccountWith(game, house, corps, nullptr); }

void armAccountWith(Game& game, int house, int corps, const HouseIndex* index) {
    WorldState& w = game.world;
    if (!houseAlive(w, house)) return;
    const Account a = accountOf(w, house, corps, index);
    const std::vector<int> generals = armingGenerals(w, a, index);
    const int action = corps >= 0 ? corpsAction(w.corps[corps]) : kCorpsInvadeDomestic;
    if (corps >= 0 && !actionInvades(action)) {
        handOutGuns(w, a, generals);
        return;
    }
    int& funds = accountFunds(w, house, corps);
    const int unit = heiUnit(w);
    const int shm = w.settings.shiroHyourouMax;

    long long n = accountBudget(w, a);
    if ((corps < 0 || actionDevelops(action)) && holdsPortWithoutShips(w, a)) n -= 2000;
    if (w.houses[house].kind == kHouseRyuukyuu && n > 0) n /= 2;

    const std::vector<int> front = frontCastles(w, a);
    for (int c : front) { // 城普請
        Castle& k = w.castles[c];
        const int size = k.size;
        if (size > 9) continue;
        if (size > 4 && n < size * 3000LL) continue;
        if (size <= 4 && size * 1500LL > n) continue;
        k.size = static_cast<uint8_t>(size + 1);
        funds -= size * 1000;
        n -= size * 1000;
    }
    for (int c : front) { // food to half the stores
        Castle& k = w.castles[c];
        const int half = k.size * shm / 2;
        if (k.food >= half) continue;
        long long l = std::max(0, std::min(funds, half - k.food));
        if (n < l) l /= 2;
        k.food += static_cast<int>(l);
        funds -= static_cast<int>(l);
        n -= l;
    }
    for (int c : front) { // food to full stores
        Castle& k = w.castles[c];
        const int full = k.size * shm;
        if (k.food >= full) continue;
        const long long g = std::max<long long>(0, std::min<long long>(n, full - k.food));
        k.food += static_cast<int>(g);
        funds -= static_cast<int>(g);
        n -= g;
    }

    // Recruits, within the funds and what the account can feed.
    int cavalry = 0, foot = 0;
    recruitable(w, a, cavalry, foot);
    foot = std::clamp(foot, 0, std::max(0, funds / unit));
    cavalry = std::clamp(cavalry, 0, std::max(0, (funds - foot * unit) / (3 * unit)));
    long long h = 0;
    for (int g : a.generals)
        h += w.generals[g].cavalry * 3LL + w.generals[g].foot;
    const long long l = supportableUnits(w, a);
    if (l < 3LL * cavalry + foot + h) {
        if (l < h + foot) {
            foot = static_cast<int>(std::max<long long>(0, l - h));
            cavalry = 0;
        } else {
            cavalry = static_cast<int>(std::max<long long>(0, l - h - foot));
        }
    }
    const int footRecruits = foot, cavalryRecruits = cavalry;

    for (int c : front) { // garrisons
        if (foot <= 0) break;
        Castle& k = w.castles[c];
        const int target = std::min(k.size * (shm / 10) / unit, k.food / 10 / unit);
        const int add = std::min(foot, target - k.garrison);
        if (add <= 0) continue;
        k.garrison = static_cast<int16_t>(k.garrison + add);
        foot -= add;
    }

    // Generals, by valor and intellect: each takes his share of the troops.
    RankedList byWeight(static_cast<int>(generals.size()));
    long long weights = 0, poolFoot = foot, poolCavalry = cavalry;
    for (int g : generals) {
        const General& r = w.generals[g];
        const int weight = r.valor == 0 ? 0 : r.valor * 3 + r.intellect;
        byWeight.add(g, weight);
        weights += weight;
        poolFoot += r.foot;
        poolCavalry += r.cavalry;
    }
    // Sorted as far as read: the sharing ends with the last general of any valor.
    const int footCap = 5000 / unit, cavalryCap = 2000 / unit;
    for (int i = 0; i < byWeight.size(); ++i) {
        // Generals without valor get no share; once only they are left the sharing ends.
        if (weights <= 0) break;
        General& r = w.generals[byWeight.settledItem(i)];
        const double x = static_cast<double>(byWeight.settledKey(i)) / weights;
        const int footTarget = std::min(ceilAway(x * poolFoot), footCap);
        const int cavalryTarget = std::min(ceilAway(x * poolCavalry), cavalryCap);
        const int addFoot = std::clamp(footTarget - r.foot, 0, foot);
        const int addCavalry = std::clamp(cavalryTarget - r.cavalry, 0, cavalry);
        r.foot = static_cast<int16_t>(r.foot + addFoot);
        r.cavalry = static_cast<int16_t>(r.cavalry + addCavalry);
        foot -= addFoot;
        cavalry -= addCavalry;
        weights -= byWeight.settledKey(i);
        poolFoot -= r.foot;
        poolCavalry -= r.cavalry;
    }

    const int usedFoot = footRecruits - foot, usedCavalry = cavalryRecruits - cavalry;
    funds -= unit * (usedFoot + 3 * usedCavalry);
    if (usedFoot + usedCavalry > 0) chargeRecruits(w, a, usedFoot, usedCavalry);
    handOutGuns(w, a, generals);
}

} // namespace vh
