// Computer diplomacy: the decisions of a vassal and of an independent house in the diplomacy
// phase, with their draws in the order the decisions make them.
#include "diplomacy/computer_diplomacy.h"

#include "computer/account.h"
#include "computer/house_index.h"
#include "diplomacy/defiance.h"
#include "diplomacy/diplomacy_text.h"
#include "diplomacy/figures.h"
#include "diplomacy/koku_source.h"
#include "diplomacy/operations.h"
#include "diplomacy/relations.h"
#include "context/game.h"
#include "world/castle_rules.h"
#include "world/castle_scope.h"
#include "world/ranked_list.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

template <class Visit> void forEachRoute(const WorldState& w, int castle, Visit visit) {
    const CastleSite& site = w.castleSites[castle];
    for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
        const int n = site.routes[r];
        if (n >= 0 && n < w.castleCount) visit(n);
    }
}

bool listed(const std::vector<ValuedHouse>& v, int house) {
    return std::any_of(v.begin(), v.end(), [house](const ValuedHouse& e) { return e.house == house; });
}

bool validHouse(const WorldState& w, int house) {
    return house >= 0 && house < w.houseCount;
}

// Ranks valued houses: largest first (or ascending), ties shuffled when asked.
RankedList ranked(Game& game, const std::vector<ValuedHouse>& v, bool descending, bool shuffle) {
    RankedList list(static_cast<int>(v.size()));
    for (const ValuedHouse& e : v)
        list.add(e.house, e.value);
    if (descending) list.sortDescending();
    else list.sortAscending();
    if (shuffle) list.shuffleTies(game.rng);
    return list;
}

bool besiegesSomeCastleOf(const WorldState& w, int besieger, int owner) {
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == owner && w.castles[c].besiegedBy == besieger && isBesieged(w.castles[c]))
            return true;
    return false;
}

// The report of another house's deed, as a message to the player whose house it concerns.
void tellPlayerIf(Game& game, int house, const std::string& line) {
    if (isPlayerHouse(game.world, house)) game.notify(line);
}

} // namespace

void logDiplomacy(Game& game, const std::string& line) {
    game.diplomacyLog += line;
    game.diplomacyLog += "\r\n";
}

std::vector<ValuedHouse> unfriendlyNeighbours(const WorldState& w, int a, const HouseIndex* index) {
    const KokuSource figures{w, index};
    std::vector<ValuedHouse> out;
    for (int c : realmCastles(w, a, index)) {
        forEachRoute(w, c, [&](int n) {
            const int b = w.castles[n].owner;
            if (!validHouse(w, b) || b == a || isFriendlyKind(kindAbout(w, a, b))) return;
            const DaimyoHouse& hb = w.houses[b];
            if (hb.vassalState == 1) {
                const int lord = lordOf(w, b);
                if (lord != a && !listed(out, lord)) out.push_back({lord, figures.of(b)});
                return;
            }
            const int entry = commandingHouse(w, b);
            if (entry != a && !listed(out, entry)) out.push_back({entry, figures.withVassals(entry)});
        });
    }
    return out;
}

namespace {

// A figure worked out the first time it is asked for, then kept.
template <class Compute> class Deferred {
public:
    explicit Deferred(Compute compute) : compute_(compute) {}
    double operator()() {
        if (!known_) {
            value_ = compute_();
            known_ = true;
        }
        return value_;
    }

private:
    Compute compute_;
    double value_ = 0;
    bool known_ = false;
};

} // namespace

void vassalDiplomacy(Game& game, int a) { vassalDiplomacyWith(game, a, nullptr); }

void vassalDiplomacyWith(Game& game, int a, const HouseIndex* index) {
    WorldState& w = game.world;
    const KokuSource figures{w, index};
    const int lord = lordOf(w, a);
    if (!validHouse(w, lord) || lord == a) return;
    const double kl = figures.withVassals(lord);
    const double ka = figures.of(a);
    const int head = w.houses[a].head;
    const double loyalty = head >= 0 && head < w.generalCount ? w.generals[head].loyalty : 5;
    // The lord's strength and d0 draw nothing and are wanted only by a candidate that passes the
    // tests before them, which is rare: each is worked out when first wanted. Until then nothing
    // in the world has changed (a change of lord comes after both), so they are the figures this
    // turn began with. d0 and the last score share the lord's realm and enemies.
    DefianceMemo memo;
    Deferred sl([&] { return static_cast<double>(strengthWithVassals(w, lord)); });
    Deferred d0([&] { return defianceScore(w, a, lord, true, {}, index, &memo); });
    const double character = loyalty / 3.0 + 1.0;

    std::vector<ValuedHouse> candidates;
    forCastlesIn(w, ownCastles(index, a), [&](int c) {
        if (w.castles[c].owner != a) return;
        forEachRoute(w, c, [&](int n) {
            const int owner = w.castles[n].owner;
            if (!validHouse(w, owner)) return;
            const int x = commandingHouse(w, commandingHouse(w, owner));
            if (!validHouse(w, x) || x == a || x == lord || listed(candidates, x)) return;
            if (isFriendlyKind(kindAbout(w, x, lord))) return;
            if (w.houses[a].relations[x] >= 240) return;
            candidates.push_back({x, figures.withVassals(x)});
        });
    });
    const RankedList order = ranked(game, candidates, true, false);
    for (int i = 0; i < order.size(); ++i) {
        const int n = order.item(i);
        const double kn = order.key(i);
        if (kn < 1.5 * ka) continue;
        if (kn < kl * (1.0 + game.rng.unit() * 0.2) * character) continue;
        const double sn = strengthWithVassals(w, n);
        if (sn < sl() * (1.0 + game.rng.unit() * 0.2) * character) continue;
        const double dn = defianceScore(w, a, n, true, {}, index);
        if (!(dn < d0())) continue;
        if (!changeLord(game, n, a)) continue;
        logDiplomacy(game, fillText("%sは主家を%sから%sに鞍替えしました", houseNameText(w, a).c_str(),
                                    houseNameText(w, lord).c_str(), houseNameText(w, n).c_str()));
        return;
    }

    // Unless d0 filled the memo (its figures are then those the turn began with), the lord's
    // enemies come from the run's memo of its neighbours, as the score would find them now.
    if (index && memo.target < 0) {
        memo = DefianceMemo{a, lord, false, false, {}, 0};
        memo.enemyKoku = hostileNeighbourKoku(w, lord, a, *index);
        memo.haveEnemies = true;
    }
    const double d = defianceScore(w, a, lord, false, {}, index, &memo);
    if (game.rng.unit() < d) {
        const std::string line = withHouses(w, "%sは%sから独立しました", a, lord);
        logDiplomacy(game, line);
        tellPlayerIf(game, lord, line);
        declareIndependence(game, a);
    }
}

int seekAlliance(Game& game, int a) { return seekAllianceWith(game, a, nullptr); }

int seekAllianceWith(Game& game, int a, const HouseIndex* index) {
    WorldState& w = game.world;
    const KokuSource figures{w, index};
    const std::vector<ValuedHouse> neighbours = unfriendlyNeighbours(w, a, index);
    if (neighbours.empty()) return kNoAlly;
    const RankedList order = ranked(game, neighbours, true, true);
    const double ka = figures.withVassals(a);

    if (order.size() > 1) {
        long long sum = 0;
        for (const ValuedHouse& e : neighbours)
            sum += e.value;
        // Clearly stronger than all of them together: no proposal and no application.
        if (sum < ka * (0.7 + game.rng.unit() * 0.2)) return kNoAlly;

        // Nothing changes the budget until an alliance is made: it is reckoned once.
        int budget = 0;
        bool budgetKnown = false;
        for (int i = 0; i < order.size(); ++i) {
            const int x = order.item(i);
            const int price = static_cast<int>(order.key(i) * 0.1);
            if (kindAbout(w, a, x) == kRelSwornEnemy || w.houses[a].funds < price) continue;
            if (game.rng.unit() < 0.8) {
                if (!budgetKnown) {
                    budget = accountBudget(w, a, -1);
                    budgetKnown = true;
                }
                if (budget < price) continue;
            }
            if (besiegesSomeCastleOf(w, a, x)) continue;
            if (!proposeNonAggression(game, a, x)) continue;
            logDiplomacy(game, withHouses(w, "%sと%sは不戦同盟を結びました", a, x));
            if ((isAinu(w, a) || isAinu(w, x)) && bordersHouse(w, a, x))
                logDiplomacy(game, withHouse(w, "%sはアイヌ民族との交易を開始しました", isAinu(w, a) ? x : a));
            return x;
        }
    }

    // No alliance: a house in danger may look for a lord.
    if (isAinu(w, a)) return kNoAlly;
    int castles = 0, only = -1;
    if (index && a >= 0 && a < static_cast<int>(index->castlesOf.size())) {
        // Diplomacy moves no castle: the run's list of the house's castles is still true.
        castles = static_cast<int>(index->castlesOf[a].size());
        if (castles > 0) only = index->castlesOf[a].back();
    } else {
        for (int c = 0; c < w.castleCount; ++c)
            if (w.castles[c].owner == a) {
                ++castles;
                only = c;
            }
    }
    const bool falling = w.houses[a].powerTrend < 0;
    bool desperate = false;
    if (castles >= 2 && !falling) return kNoAlly;
    if (castles == 1) {
        desperate = isBesieged(w.castles[only]);
        if (!desperate && !falling) return kNoAlly;
    }

    for (int i = 0; i < order.size(); ++i) {
        const int x = order.item(i);
        const double value = order.key(i);
        if (kindAbout(w, a, x) == kRelSwornEnemy || w.houses[a].relations[x] >= 16) continue;
        if (!desperate && w.houses[x].powerTrend <= 0) continue;
        if (desperate) {
            const double u = game.rng.unit();
            if (!(monthsOfResistance(w, only) <= 4 && value * u * 0.25 > ka)) continue;
            if (!(game.rng.unit() < 0.5)) continue;
            if (!applyForSubmission(game, x, a)) continue;
            logDiplomacy(game, withHouses(w, "%sは臣従志願し%sの傘下に入りました", a, x));
            return kAppliedAsVassal;
        }
        if (!(value * game.rng.unit() * 0.25 > ka)) continue;
        if (!(game.rng.unit() < 0.5)) continue;
        if (!applyForSubordination(game, x, a)) continue;
        logDiplomacy(game, withHouses(w, "%sは従属志願し%sの傘下に入りました", a, x));
        return kAppliedAsVassal;
    }
    return kNoAlly;
}

namespace {

// The living house other than `a` and `ally` whose kind about `a` is `kind`, with the smallest
// koku; the earlier house on equal koku. -1 when none.
int weakestWithKindTowards(const WorldState& w, int a, int ally, int kind, const KokuSource& figures) {
    int best = -1, bestKoku = 0;
    for (int h = 0; h < w.houseCount; ++h) {
        if (h == a || h == ally || !houseAlive(w, h) || kindAbout(w, h, a) != kind) continue;
        const int koku = figures.of(h);
        if (best < 0 || koku < bestKoku) {
            best = h;
            bestKoku = koku;
        }
    }
    return best;
}

} // namespace

void demandFromVassalsAndAllies(Game& game, int a, int ally) { demandFromVassalsAndAlliesWith(game, a, ally, nullptr); }

void demandFromVassalsAndAlliesWith(Game& game, int a, int ally, const HouseIndex* index) {
    WorldState& w = game.world;
    const KokuSource figures{w, index};
    const int vassal = weakestWithKindTowards(w, a, ally, kRelSubordinateTo, figures);
    if (vassal >= 0) {
        const double koku = figures.of(vassal);
        if (figures.of(a) * game.rng.unit() * 0.3 > koku && demandSubmission(game, a, vassal))
            logDiplomacy(game, withHouses(w, "%sは%sを臣従させました", a, vassal));
    }
    const int friendHouse = weakestWithKindTowards(w, a, ally, kRelPact, figures);
    if (friendHouse >= 0) {
        const double koku = figures.of(friendHouse);
        if (figures.of(a) * game.rng.unit() * 0.4 > koku && demandSubordination(game, a, friendHouse))
            logDiplomacy(game, withHouses(w, "%sは%sを従属させました", a, friendHouse));
    }
}

void turnOnAllies(Game& game, int a, int ally) { turnOnAlliesWith(game, a, ally, nullptr); }

void turnOnAlliesWith(Game& game, int a, int ally, const HouseIndex* index) {
    WorldState& w = game.world;
    const KokuSource figures{w, index};
    if (isAinu(w, a)) return;
    std::vector<ValuedHouse> friends;
    bool unfriendly = false;
    for (int c : realmCastles(w, a, index)) {
        forEachRoute(w, c, [&](int n) {
            const int b = w.castles[n].owner;
            if (!validHouse(w, b) || b == a || effectiveOwner(w, n) == a) return;
            if (!isFriendlyKind(kindAbout(w, a, b))) {
                unfriendly = true;
                return;
            }
            const int lord = lordOf(w, b);
            const int entry = (isVassal(w, b) && lord != a) ? lord : b;
            if (!validHouse(w, entry) || entry == a || listed(friends, entry)) return;
            double value = figures.withVassals(entry);
            if (w.houses[entry].powerTrend > 0) value *= 1.3;
            else if (w.houses[entry].powerTrend < 0) value *= 0.7;
            friends.push_back({entry, static_cast<int>(value)});
        });
    }
    if (unfriendly || friends.empty()) return;
    const RankedList order = ranked(game, friends, false, true);
    const double ka = figures.of(a);

    for (int i = 0; i < order.size(); ++i) {
        const int d = order.item(i);
        if (d == ally || kindAbout(w, a, d) != kRelHasSubordinate) continue;
        if (figures.of(d) * 4.0 < ka && demandSubmission(game, a, d)) {
            logDiplomacy(game, withHouses(w, "%sは%sを臣従させました", a, d));
            return;
        }
    }
    const auto breakWith = [&](int e) {
        breakRelation(game, a, e);
        const std::string line = withHouses(w, "%sは%sとの不戦同盟を破棄しました", a, e);
        logDiplomacy(game, line);
        tellPlayerIf(game, e, line);
    };
    for (int i = 0; i < order.size(); ++i) {
        const int e = order.item(i);
        if (e == ally || kindAbout(w, a, e) != kRelPact) continue;
        const double koku = figures.of(e);
        if (koku * 3.0 < ka) {
            if (demandSubordination(game, a, e)) logDiplomacy(game, withHouses(w, "%sは%sを従属させました", a, e));
            else breakWith(e);
            return;
        }
        if (ka > koku * 0.5) {
            breakWith(e);
            return;
        }
    }
}

void houseDiplomacy(Game& game, int house) {
    WorldState& w = game.world;
    if (!houseAlive(w, house) || isPlayerHouse(w, house)) return;
    const HouseIndex& index = phaseRunIndex(game, house, false);
    const size_t logBefore = game.diplomacyLog.size();
    if (isVassal(w, house)) {
        vassalDiplomacyWith(game, house, &index);
    } else {
        const int ally = seekAllianceWith(game, house, &index);
        if (ally != kAppliedAsVassal) {
            demandFromVassalsAndAlliesWith(game, house, ally, &index);
            turnOnAlliesWith(game, house, ally, &index);
        }
    }
    if (game.diplomacyLog.size() != logBefore && game.frontend) game.frontend->diplomacyLogGrew();
}

} // namespace vh
