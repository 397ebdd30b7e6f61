// The sortie phase of one account: relieve besieged castles, press sieges that can be shortened,
// attack the easiest neighbours and reinforce threatened castles, by sortie orders.
#include "computer/account.h"
#include "computer/campaign.h"
#include "computer/computer_turn.h"
#include "computer/house_index.h"
#include "computer/routines.h"

#include "context/game.h"
#include "world/ranked_list.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

constexpr int kMaxAtCastle = 20;

struct Valued {
    int castle;
    int value;
};

void enter(std::vector<Valued>& list, int castle, int value) {
    for (const Valued& v : list)
        if (v.castle == castle) return;
    list.push_back({castle, value});
}

long long sumTroops(const WorldState& w, const int* list, int count) {
    long long sum = 0;
    for (int i = 0; i < count && i < Castle::kMaxGenerals; ++i)
        sum += troopsOf(w.generals[list[i]]);
    return sum;
}

int clampInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

int defendersOf(const WorldState& w, int castle) {
    const Castle& k = w.castles[castle];
    return clampInt(k.garrison + sumTroops(w, k.generals, k.generalCount));
}

int besiegersOf(const WorldState& w, int castle) {
    const Castle& k = w.castles[castle];
    return clampInt(sumTroops(w, k.besiegers, k.besiegerCount));
}

bool routeBetween(const WorldState& w, int a, int b) {
    const CastleSite& s = w.castleSites[a];
    for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r)
        if (s.routes[r] == b) return true;
    return false;
}

class Launcher {
public:
    Launcher(Game& game, int house, int corps, const HouseIndex* index)
        : game_(game), w_(game.world), house_(house), corps_(corps), index_(index),
          generals_(campaignGenerals(game.world, house, corps, index)) {}

    void run();

private:
    bool inScope(int castle) const;
    bool ours(int castle) const { return commandedBy(w_, w_.castles[castle].owner, house_); }
    bool friendly(int castle) const { return ownerKindTowards(w_, castle, house_) > kRelNothing; }
    int freeTroopsNextTo(int castle) const;
    int freeCount() const;
    void launch(int target, int enemy);
    RankedList rank(const std::vector<Valued>& list, bool descending);

    Game& game_;
    WorldState& w_;
    int house_, corps_;
    const HouseIndex* index_;
    std::vector<int> generals_;
    // Orders change neither koku nor funds: the account's supportable units hold for the phase.
    int supportable_ = -1;
};

bool Launcher::inScope(int castle) const {
    if (!ours(castle)) return false;
    if (corps_ < 0) return true;
    const Corps& c = w_.corps[corps_];
    if (corpsHoldsProvince(c, w_.castleSites[castle].province)) return true;
    const CastleSite& s = w_.castleSites[castle];
    for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r) {
        const int n = s.routes[r];
        if (n >= 0 && n < w_.castleCount && corpsHoldsProvince(c, w_.castleSites[n].province)) return true;
    }
    return false;
}

RankedList Launcher::rank(const std::vector<Valued>& list, bool descending) {
    RankedList r(static_cast<int>(list.size()));
    for (const Valued& v : list)
        r.add(v.castle, v.value);
    if (descending) r.sortDescending();
    else r.sortAscending();
    r.shuffleTies(game_.rng);
    return r;
}

int Launcher::freeTroopsNextTo(int castle) const {
    long long sum = 0;
    for (int g : generals_) {
        const General& r = w_.generals[g];
        if (!hasActed(r) && !onSortieFlag(r) && routeBetween(w_, r.castle, castle)) sum += troopsOf(r);
    }
    return clampInt(sum);
}

int Launcher::freeCount() const {
    int n = 0;
    for (int g : generals_)
        n += isFreeGeneral(w_, w_.generals[g]);
    return n;
}

void Launcher::launch(int target, int enemy) {
    RankedList ranked(static_cast<int>(generals_.size()));
    for (int g : generals_) {
        const General& r = w_.generals[g];
        if (isFreeGeneral(w_, r) && routeBetween(w_, r.castle, target)) ranked.add(g, troopsOf(r));
    }
    ranked.sortDescending();
    ranked.shuffleTies(game_.rng);
    std::vector<int> chosen;
    for (int i = 0; i < ranked.size(); ++i)
        chosen.push_back(ranked.item(i));
    if (chosen.empty()) return;
    // The house's own general stays home before a vassal's.
    if (w_.generals[chosen.back()].house != house_) {
        for (int i = static_cast<int>(chosen.size()) - 2; i >= 0; --i)
            if (w_.generals[chosen[i]].house == house_) {
                const int g = chosen[i];
                chosen.erase(chosen.begin() + i);
                chosen.push_back(g);
                break;
            }
    }

    const bool own = ours(target), friendCastle = !own && friendly(target);
    const bool weBesiege = besiegedBy(w_, target, house_);
    // Those already ordered there stand in the garrisons next to it (a sortie leaves only from a
    // castle with a route to its target), so only those lists need looking at.
    int standing = 0;
    const CastleSite& site = w_.castleSites[target];
    for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
        const int n = site.routes[r];
        if (n < 0 || n >= w_.castleCount) continue;
        const Castle& k = w_.castles[n];
        for (int i = 0; i < k.generalCount && i < Castle::kMaxGenerals; ++i) {
            const General& g = w_.generals[k.generals[i]];
            if (g.house >= 0 && hasActed(g) && g.sortieTarget == target && !onSortieFlag(g) &&
                commandingHouse(w_, g.house) == house_)
                ++standing;
        }
    }
    const Castle& t = w_.castles[target];
    if (own || friendCastle) standing += t.generalCount;
    else if (weBesiege) standing += t.besiegerCount;
    const int room = std::max(0, kMaxAtCastle - standing);
    if (static_cast<int>(chosen.size()) > room) chosen.resize(room);
    if (chosen.empty()) return;

    long long sum = 0;
    for (int g : chosen)
        sum += troopsOf(w_.generals[g]);
    const long long g0 = weBesiege ? besiegersOf(w_, target) : 0;
    const int free = freeCount();
    if (!own && !friendCastle && static_cast<int>(chosen.size()) == free) {
        const int smallest = troopsOf(w_.generals[chosen.back()]);
        if (enemy * 1.3 <= g0 + sum - smallest) {
            sum -= smallest;
            chosen.pop_back();
        }
    }
    if (!own && !friendCastle) {
        if (enemy * (1.2 + game_.rng.unit() * 0.3) >= g0 + sum) return;
        if (static_cast<int>(chosen.size()) == free) {
            long long weighted = 0;
            for (int g : generals_)
                weighted += weightedTroopsOf(w_.generals[g]);
            if (supportable_ < 0) supportable_ = supportableUnits(w_, accountOf(w_, house_, corps_, index_));
            if (weighted < supportable_ && accountFunds(w_, house_, corps_) >= 0 &&
                !(monthsAgainst(w_, target, clampInt(g0 + sum)) < 2))
                return;
        }
    }
    for (int g : chosen)
        if (troopsOf(w_.generals[g]) > 0) orderSortieAt(w_, g, target);
}

void Launcher::run() {
    long long s = 0;
    for (int g : generals_)
        s += troopsOf(w_.generals[g]);
    const int strength = clampInt(s);
    std::vector<Valued> relief, sieges, targets, threatened;
    for (int c : commandedCastles(w_, house_, index_)) {
        if (!inScope(c)) continue;
        if (isBesieged(w_.castles[c])) {
            enter(relief, c, monthsAgainst(w_, c, besiegersOf(w_, c)));
            continue;
        }
        const CastleSite& site = w_.castleSites[c];
        for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
            const int n = site.routes[r];
            const int owner = n >= 0 && n < w_.castleCount ? w_.castles[n].owner : -1;
            if (owner < 0 || owner >= w_.houseCount || ours(n)) continue;
            if (relationKind(w_.houses[house_], owner) > kRelNothing) continue;
            if (besiegedBy(w_, n, house_)) {
                enter(sieges, n, monthsAgainst(w_, n, besiegersOf(w_, n)));
                continue;
            }
            if (isBesieged(w_.castles[n]) && besiegedByFriend(w_, n, house_)) continue;
            enter(targets, n, monthsAgainst(w_, n, strength));
            if (w_.castles[n].generalCount > 0) enter(threatened, c, monthsAgainst(w_, c, defendersOf(w_, n)));
        }
    }

    const RankedList reliefOrder = rank(relief, false);
    for (int i = 0; i < reliefOrder.size(); ++i)
        launch(reliefOrder.item(i), 0);
    const RankedList siegeOrder = rank(sieges, true);
    for (int i = 0; i < siegeOrder.size(); ++i) {
        const int c = siegeOrder.item(i);
        if (siegeOrder.key(i) <= 2) continue;
        const int f = freeTroopsNextTo(c);
        if (f > 0 && monthsAgainst(w_, c, clampInt(static_cast<long long>(besiegersOf(w_, c)) + f)) < siegeOrder.key(i))
            launch(c, defendersOf(w_, c));
    }
    const RankedList targetOrder = rank(targets, false);
    for (int i = 0; i < targetOrder.size(); ++i) {
        const int c = targetOrder.item(i);
        if (!isBesieged(w_.castles[c])) {
            launch(c, defendersOf(w_, c));
            continue;
        }
        const double u = game_.rng.unit();
        if (freeTroopsNextTo(c) > besiegersOf(w_, c) * (1.1 + u * 0.4) && targetOrder.key(i) <= 1)
            launch(c, defendersOf(w_, c));
    }
    const RankedList threatOrder = rank(threatened, false);
    for (int i = 0; i < threatOrder.size(); ++i)
        if (threatOrder.key(i) <= 2) launch(threatOrder.item(i), 0);
}

} // namespace

void launchSortiesWith(Game& game, int house, int corps, const HouseIndex* index) {
    WorldState& w = game.world;
    if (!houseAlive(w, house) || w.houses[house].vassalState == 2) return;
    if (corps >= 0 && !actionInvades(corpsAction(w.corps[corps]))) return;
    Launcher(game, house, corps, index).run();
}

void launchSorties(Game& game, int house, int corps) { launchSortiesWith(game, house, corps, nullptr); }

} // namespace vh
