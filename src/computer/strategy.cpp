// The strategy phase of one account: relieve its besieged castles, reinforce its sieges, pick the
// easiest targets, and gather forces at the staging castles next to them by move orders.
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

constexpr int kAttackListSize = 20;
constexpr int kMaxCandidates = 120;

struct Valued {
    int castle;
    int value;
};

void enter(std::vector<Valued>& list, int castle, int value) {
    for (const Valued& v : list)
        if (v.castle == castle) return;
    list.push_back({castle, value});
}

RankedList rankCastles(Game& game, const std::vector<Valued>& list, bool descending) {
    RankedList r(static_cast<int>(list.size()));
    for (const Valued& v : list)
        r.add(v.castle, v.value);
    if (descending) r.sortDescending();
    else r.sortAscending();
    r.shuffleTies(game.rng);
    return r;
}

int defendersOf(const WorldState& w, int castle) {
    const Castle& k = w.castles[castle];
    long long sum = k.garrison;
    for (int i = 0; i < k.generalCount && i < Castle::kMaxGenerals; ++i)
        sum += troopsOf(w.generals[k.generals[i]]);
    return static_cast<int>(std::min<long long>(sum, INT_MAX));
}

int besiegerTroops(const WorldState& w, int castle, bool weighted) {
    const Castle& k = w.castles[castle];
    long long sum = 0;
    for (int i = 0; i < k.besiegerCount && i < Castle::kMaxGenerals; ++i) {
        const General& g = w.generals[k.besiegers[i]];
        sum += weighted ? weightedTroopsOf(g) : troopsOf(g);
    }
    return static_cast<int>(std::min<long long>(sum, INT_MAX));
}

int foodMonthsOf(const WorldState& w, int castle) {
    const int defenders = defendersOf(w, castle);
    if (defenders == 0) return 10000;
    return foodMonths(w, castle);
}

// One account's planning: its lists, its generals and what has been gathered where.
class Planner {
public:
    Planner(Game& game, int house, int corps, const HouseIndex* index)
        : game_(game), w_(game.world), house_(house), corps_(corps), distances_(game.world, house),
          generals_(campaignGenerals(game.world, house, corps, index)),
          commanded_(commandedCastles(game.world, house, index)), gathered_(game.world.castleCount, 0) {}

    void run();

private:
    void scan();
    int freeStrength(bool weighted) const;
    void gatherForce(int target, bool relief);
    std::vector<int> stagingCastles(int target) const;
    int nearestStaging(const std::vector<int>& staging, int fromCastle);
    bool enterAt(int general, int castle);
    void sendRemaining();
    int remainingTarget() const;
    void placeAdministrators();
    bool ours(int castle) const { return commandedBy(w_, w_.castles[castle].owner, house_); }
    bool hasRouteTo(int from, int to) const;

    Game& game_;
    WorldState& w_;
    int house_, corps_;
    DistanceCache distances_;
    std::vector<int> generals_;
    std::vector<int> commanded_; // the castles of the house and its submitted vassals
    std::vector<int> gathered_;
    std::vector<Valued> relief_, friendly_, sieges_, targets_;
    std::vector<int> targetOrder_, siegeOrder_;
};

bool Planner::hasRouteTo(int from, int to) const {
    const CastleSite& s = w_.castleSites[from];
    for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r)
        if (s.routes[r] == to) return true;
    return false;
}

void Planner::scan() {
    long long s = 0;
    for (int g : generals_)
        s += troopsOf(w_.generals[g]);
    const int strength = static_cast<int>(std::min<long long>(s, INT_MAX));
    for (int c : commanded_) {
        if (!inCampaignScope(w_, house_, corps_, c)) continue;
        if (isBesieged(w_.castles[c])) {
            enter(relief_, c, monthsAgainst(w_, c, besiegerTroops(w_, c, false)));
            continue;
        }
        const CastleSite& site = w_.castleSites[c];
        for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
            const int n = site.routes[r];
            if (n < 0 || n >= w_.castleCount || w_.castles[n].owner < 0 || ours(n)) continue;
            const int kind = ownerKindTowards(w_, n, house_);
            if (kind >= 2 && kind <= 5) {
                enter(friendly_, n, monthsAgainst(w_, n, strength));
            } else if (kind <= 1) {
                if (besiegedBy(w_, n, house_)) enter(sieges_, n, monthsAgainst(w_, n, besiegerTroops(w_, n, false)));
                else if (!isBesieged(w_.castles[n]) || !besiegedByFriend(w_, n, house_))
                    enter(targets_, n, monthsAgainst(w_, n, strength));
            }
        }
    }
}

int Planner::freeStrength(bool weighted) const {
    long long sum = 0;
    for (int g : generals_) {
        const General& r = w_.generals[g];
        if (hasActed(r) || onSortieFlag(r)) continue;
        sum += weighted ? weightedTroopsOf(r) : troopsOf(r);
    }
    return static_cast<int>(std::min<long long>(sum, INT_MAX));
}

std::vector<int> Planner::stagingCastles(int target) const {
    std::vector<int> out;
    const CastleSite& site = w_.castleSites[target];
    for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
        const int n = site.routes[r];
        if (n >= 0 && n < w_.castleCount && ours(n) && !isBesieged(w_.castles[n])) out.push_back(n);
    }
    return out;
}

// The staging castle nearest the castle within DistanceLimit with room on its attack list.
int Planner::nearestStaging(const std::vector<int>& staging, int fromCastle) {
    int best = -1, bestDistance = INT_MAX;
    for (int s : staging) {
        if (w_.castles[s].planningMark >= kAttackListSize) continue;
        const int d = distances_.from(s)[fromCastle];
        if (d > w_.settings.distanceLimit || d >= bestDistance) continue;
        best = s;
        bestDistance = d;
    }
    return best;
}

bool Planner::enterAt(int general, int castle) {
    if (castle < 0 || w_.castles[castle].planningMark >= kAttackListSize) return false;
    General& g = w_.generals[general];
    if (g.castle == castle && !onSortieFlag(g)) g.flags = static_cast<int16_t>(g.flags | kFlagActed);
    else orderMoveTo(w_, general, castle);
    ++w_.castles[castle].planningMark;
    return true;
}

void Planner::gatherForce(int target, bool relief) {
    const std::vector<int> staging = stagingCastles(target);
    if (staging.empty()) return;
    const bool own = ours(target);
    const int limit = w_.settings.distanceLimit;

    RankedList ranked(static_cast<int>(generals_.size()));
    for (int g : generals_) {
        const General& r = w_.generals[g];
        if (hasActed(r) || troopsOf(r) <= 0) continue;
        if (onSortieFlag(r) ? !own : standsInBesiegedCastle(w_, r)) continue;
        bool near = false;
        for (int s : staging)
            if (distances_.from(s)[r.castle] <= limit) {
                near = true;
                break;
            }
        if (!near) continue;
        ranked.add(g, troopsOf(r) + (onSortieFlag(r) ? 0 : 10000));
    }
    // Only the head of the ranking is read (the estimate's first 20 and the generals taken
    // before the force suffices), so it is put in order only as far as that.
    ranked.sortDescendingLazily(game_.rng);
    const int candidates = std::min(ranked.size(), kMaxCandidates);
    if (candidates == 0) return;

    const Castle& t = w_.castles[target];
    const bool weBesiege = besiegedBy(w_, target, house_);
    const int enemy = own ? besiegerTroops(w_, target, false) : defendersOf(w_, target);
    std::vector<int> current;
    if (weBesiege)
        for (int i = 0; i < t.besiegerCount && i < Castle::kMaxGenerals; ++i) current.push_back(t.besiegers[i]);
    long long force = weBesiege ? besiegerTroops(w_, target, false) : 0;

    int m0 = 0;
    if (!relief) {
        // The estimate counts the first kMaxGenerals of these and no more.
        std::vector<int> all = current;
        for (int i = 0; i < candidates && static_cast<int>(all.size()) < Castle::kMaxGenerals; ++i)
            all.push_back(ranked.lazyItem(i));
        m0 = monthsToTake(w_, target, all, game_.rng);
    }
    const int food = relief ? 0 : foodMonthsOf(w_, target);
    std::vector<int> force_ = current;
    for (int i = 0; i < candidates; ++i) {
        const int g = ranked.lazyItem(i);
        const double u = game_.rng.unit();
        if (force > enemy * (1.2 + u * 0.3)) {
            if (relief) break;
            const int needed = monthsToTake(w_, target, force_, game_.rng);
            if ((food >= needed && needed <= 4) || food < m0) break;
        }
        const General& r = w_.generals[g];
        int at = -1;
        if (!onSortieFlag(r) && std::find(staging.begin(), staging.end(), r.castle) != staging.end() &&
            w_.castles[r.castle].planningMark < kAttackListSize)
            at = r.castle;
        else
            at = nearestStaging(staging, r.castle);
        if (!enterAt(g, at)) continue;
        force += troopsOf(r);
        gathered_[target] += troopsOf(r);
        force_.push_back(g);
    }
}

// Where a general left over goes: the first target still short of one and a half times its
// defenders, else the target or siege with the least gathered against its defenders.
int Planner::remainingTarget() const {
    for (int t : targetOrder_)
        if (gathered_[t] < 1.5 * defendersOf(w_, t)) return t;
    int best = -1;
    double bestRatio = 0;
    auto consider = [&](int castle, bool siege) {
        const int defenders = defendersOf(w_, castle);
        const double strength = gathered_[castle] + (siege ? besiegerTroops(w_, castle, false) : 0);
        const double ratio = defenders > 0 ? strength * 100.0 / defenders : 1000000.0;
        if (best < 0 || ratio < bestRatio) {
            best = castle;
            bestRatio = ratio;
        }
    };
    for (int t : targetOrder_)
        consider(t, false);
    for (int s : siegeOrder_)
        consider(s, true);
    return best;
}

void Planner::sendRemaining() {
    if (targetOrder_.empty() && siegeOrder_.empty()) return;
    const int limit = w_.settings.distanceLimit;
    for (int g : generals_) {
        const General& r = w_.generals[g];
        if (hasActed(r) || troopsOf(r) <= 0 || onSortieFlag(r) || standsInBesiegedCastle(w_, r)) continue;
        const int chosen = remainingTarget();
        if (chosen < 0) return;
        bool placed = false;
        if (hasRouteTo(r.castle, chosen)) placed = enterAt(g, r.castle);
        if (!placed) placed = enterAt(g, nearestStaging(stagingCastles(chosen), r.castle));
        if (!placed) {
            // No staging castle with room: the castle of the house within reach nearest the target.
            const DistanceTable& fromHere = distances_.from(r.castle);
            const DistanceTable& fromTarget = distances_.from(chosen);
            int best = -1;
            for (int c : commanded_) {
                if (c == r.castle || fromHere[c] > limit) continue;
                if (best < 0 || fromTarget[c] < fromTarget[best]) best = c;
            }
            if (best >= 0) {
                orderMoveTo(w_, g, best);
                placed = true;
            }
        }
        if (placed) gathered_[chosen] += troopsOf(r);
    }
}

void Planner::placeAdministrators() {
    if (corps_ < 0) return;
    const Corps& corps = w_.corps[corps_];
    RankedList byPolitics(static_cast<int>(generals_.size()));
    for (int g : generals_) {
        const General& r = w_.generals[g];
        if (hasActed(r) || onSortieFlag(r) || standsInBesiegedCastle(w_, r)) continue;
        byPolitics.add(g, r.politics);
    }
    byPolitics.sortDescending();
    const bool farming = w_.date.month >= 3 && w_.date.month <= 8;
    RankedList provinces(Corps::kMaxProvinces);
    for (uint8_t p : corps.provinces) {
        if (p == 0xFF) continue;
        int score = 0;
        for (int c = 0; c < w_.castleCount; ++c) {
            if (w_.castles[c].owner != house_ || w_.castleSites[c].province != p) continue;
            if (w_.castles[c].town < w_.castleSites[c].maxTown - 10) ++score;
            if (!farming && w_.castles[c].yield < w_.castleSites[c].maxYield - 1000) ++score;
        }
        provinces.add(p, score);
    }
    provinces.sortDescending();
    int next = 0;
    for (int i = 0; i < provinces.size() && provinces.key(i) > 0 && next < byPolitics.size(); ++i) {
        const int p = provinces.item(i);
        const int g = byPolitics.item(next++);
        const General& r = w_.generals[g];
        if (w_.castleSites[r.castle].province == p && w_.castles[r.castle].owner == house_) continue;
        DistanceTable d;
        castleDistances(w_, house_, r.castle, kDistanceMove, d);
        int best = -1;
        for (int c = 0; c < w_.castleCount; ++c) {
            if (w_.castles[c].owner != house_ || w_.castleSites[c].province != p || d[c] >= kUnreachable) continue;
            if (best < 0 || d[c] < d[best]) best = c;
        }
        if (best >= 0) orderMoveTo(w_, g, best);
    }
}

void Planner::run() {
    const int action = corps_ >= 0 ? corpsAction(w_.corps[corps_]) : kCorpsInvade;
    if (corps_ >= 0 && action == kCorpsDomestic) {
        placeAdministrators();
        return;
    }
    scan();
    if (relief_.empty() && sieges_.empty() && targets_.empty()) {
        targets_.swap(friendly_);
        if (targets_.empty()) {
            placeAdministrators();
            return;
        }
    }

    const RankedList relief = rankCastles(game_, relief_, false);
    for (int i = 0; i < relief.size(); ++i) {
        const int c = relief.item(i);
        const bool outmatched = freeStrength(true) < besiegerTroops(w_, c, true);
        if (outmatched && relief.key(i) > 2 && !targets_.empty()) continue;
        gatherForce(c, true);
    }
    const RankedList sieges = rankCastles(game_, sieges_, true);
    for (int i = 0; i < sieges.size(); ++i) {
        siegeOrder_.push_back(sieges.item(i));
        gatherForce(sieges.item(i), false);
    }
    const RankedList targets = rankCastles(game_, targets_, false);
    for (int i = 0; i < targets.size(); ++i) {
        const int t = targets.item(i);
        targetOrder_.push_back(t);
        if (!isBesieged(w_.castles[t])) {
            gatherForce(t, false);
        } else if (!besiegedByFriend(w_, t, house_)) {
            if (freeStrength(false) > besiegerTroops(w_, t, false) * (1.1 + game_.rng.unit() * 0.4))
                gatherForce(t, false);
        }
    }
    sendRemaining();
}

} // namespace

void planCampaignWith(Game& game, int house, int corps, const HouseIndex* index) {
    WorldState& w = game.world;
    if (!houseAlive(w, house) || w.houses[house].vassalState == 2) return;
    Planner(game, house, corps, index).run();
}

void planCampaign(Game& game, int house, int corps) { planCampaignWith(game, house, corps, nullptr); }

} // namespace vh
