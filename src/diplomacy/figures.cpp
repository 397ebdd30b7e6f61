// Koku, strength, sides, borders and castle endurance as diplomacy reads them.
// Each figure is one pass over the castle or general table, so callers may use them freely.
#include "diplomacy/figures.h"

#include "computer/house_index.h"
#include "diplomacy/koku_source.h"
#include "diplomacy/relations.h"
#include "world/castle_rules.h"
#include "world/numeric.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

int clampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

bool contains(const std::vector<int>& v, int x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

template <class Visit> void forEachRoute(const WorldState& w, int castle, Visit visit) {
    const CastleSite& site = w.castleSites[castle];
    for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
        const int n = site.routes[r];
        if (n >= 0 && n < w.castleCount) visit(n);
    }
}

} // namespace

int kokuOf(const WorldState& w, int house) {
    long long sum = 0;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house) sum += w.castles[c].yield;
    return clampToInt(sum);
}

int kokuWithVassals(const WorldState& w, int house) {
    // One pass over the castles instead of kokuOf per vassal: the same sum.
    const DaimyoHouse& h = w.houses[house];
    long long sum = 0;
    for (int c = 0; c < w.castleCount; ++c) {
        const int o = w.castles[c].owner;
        if (o == house)
            sum += w.castles[c].yield;
        else if (o >= 0 && o < w.houseCount && houseAlive(w, o) && relationKind(h, o) == kRelHasSubmitted)
            sum += w.castles[c].yield;
    }
    return clampToInt(sum);
}

int strengthOf(const WorldState& w, int house) {
    long long sum = 0;
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if (r.house == house) sum += r.cavalry * 3LL + r.foot;
    }
    return clampToInt(sum);
}

int strengthWithVassals(const WorldState& w, int house) {
    long long sum = 0;
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if (r.house >= 0 && commandingHouse(w, r.house) == house) sum += r.cavalry * 3LL + r.foot;
    }
    return clampToInt(sum);
}

int castleCountOf(const WorldState& w, int house) {
    int n = 0;
    for (int c = 0; c < w.castleCount; ++c)
        n += w.castles[c].owner == house;
    return n;
}

int effectiveOwner(const WorldState& w, int castle) {
    return commandingHouse(w, w.castles[castle].owner);
}

int sideThroughLord(const WorldState& w, int house) {
    if (house < 0 || house >= w.houseCount) return house;
    return lordOf(w, house);
}

bool bordersHouse(const WorldState& w, int a, int b) {
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != a) continue;
        bool found = false;
        forEachRoute(w, c, [&](int n) { found = found || w.castles[n].owner == b; });
        if (found) return true;
    }
    return false;
}

std::vector<int> neighboursOf(const WorldState& w, int house) {
    std::vector<int> out;
    for (int c = 0; c < w.castleCount; ++c) {
        if (effectiveOwner(w, c) != house) continue;
        forEachRoute(w, c, [&](int n) {
            const int o = effectiveOwner(w, n);
            if (o != house && o >= 0 && !contains(out, o)) out.push_back(o);
        });
    }
    return out;
}

std::vector<int> realmCastles(const WorldState& w, int house, const HouseIndex* index) {
    std::vector<int> out;
    if (house >= 0 && index && index->ownersInTable && static_cast<int>(index->castlesOf.size()) == w.houseCount) {
        // A castle belongs to the realm its owner answers to: one look at each house instead of
        // one at each castle.
        int lists = 0;
        for (int o = 0; o < w.houseCount; ++o) {
            if (commandingHouse(w, o) != house || index->castlesOf[o].empty()) continue;
            out.insert(out.end(), index->castlesOf[o].begin(), index->castlesOf[o].end());
            ++lists;
        }
        if (lists > 1) std::sort(out.begin(), out.end());
        return out;
    }
    for (int c = 0; c < w.castleCount; ++c)
        if (effectiveOwner(w, c) == house) out.push_back(c);
    return out;
}

std::vector<int> hostileNeighboursOf(const WorldState& w, int house, int exceptOwner,
                                     const std::vector<int>* extra, const HouseIndex* index) {
    return hostileNeighboursIn(w, house, realmCastles(w, house, index), exceptOwner, extra);
}

std::vector<int> hostileNeighboursIn(const WorldState& w, int house, const std::vector<int>& realm, int exceptOwner,
                                     const std::vector<int>* extra) {
    std::vector<int> out;
    for (int c : realm) {
        forEachRoute(w, c, [&](int n) {
            const int owner = w.castles[n].owner;
            if (owner < 0 || owner == exceptOwner) return;
            const int o = commandingHouse(w, owner);
            if (o == house || contains(out, o)) return;
            const bool listed = extra && contains(*extra, o);
            if (listed || !isFriendlyKind(kindAbout(w, o, house))) out.push_back(o);
        });
    }
    return out;
}

double hostileNeighbourKoku(const WorldState& w, int lord, int exceptOwner, const HouseIndex& index) {
    const KokuSource figures{w, &index};
    const bool memoised = index.ownersInTable && lord >= 0 && lord < static_cast<int>(index.lordNeighbours.size());
    if (!memoised) {
        double sum = 0;
        for (int e : hostileNeighboursIn(w, lord, realmCastles(w, lord, &index), exceptOwner, nullptr))
            sum += figures.withVassals(e);
        return sum;
    }
    HouseIndex::LordNeighbours& m = index.lordNeighbours[lord];
    thread_local std::vector<int> commanding;
    commanding.resize(std::max(0, w.houseCount));
    for (int h = 0; h < w.houseCount; ++h)
        commanding[h] = commandingHouse(w, h);
    if (!m.known || m.commanding != commanding) {
        m.commanding = commanding;
        m.owners.clear();
        for (int c : realmCastles(w, lord, &index))
            forEachRoute(w, c, [&](int n) {
                const int owner = w.castles[n].owner;
                if (owner < 0) return;
                const std::pair<int, int> entry{owner, commandingHouse(w, owner)};
                if (entry.second == lord || std::find(m.owners.begin(), m.owners.end(), entry) != m.owners.end()) return;
                m.owners.push_back(entry);
            });
        m.known = true;
    }
    // The kinds are read now: they change within a run. Each enemy counts once, and the sum of
    // whole koku is the same in any order.
    std::vector<int> enemies;
    for (const auto& [owner, o] : m.owners) {
        if (owner == exceptOwner || contains(enemies, o)) continue;
        if (!isFriendlyKind(kindAbout(w, o, lord))) enemies.push_back(o);
    }
    double sum = 0;
    for (int e : enemies)
        sum += figures.withVassals(e);
    return sum;
}

int castleDefenders(const WorldState& w, int castle) {
    const Castle& k = w.castles[castle];
    long long sum = k.garrison;
    for (int i = 0; i < k.generalCount && i < Castle::kMaxGenerals; ++i) {
        const int g = k.generals[i];
        if (g >= 0 && g < w.generalCount) sum += w.generals[g].cavalry + w.generals[g].foot;
    }
    return clampToInt(sum);
}

int castleBesiegerTroops(const WorldState& w, int castle) {
    const Castle& k = w.castles[castle];
    long long sum = 0;
    for (int i = 0; i < k.besiegerCount && i < Castle::kMaxGenerals; ++i) {
        const int g = k.besiegers[i];
        if (g >= 0 && g < w.generalCount) sum += w.generals[g].cavalry + w.generals[g].foot;
    }
    return clampToInt(sum);
}

int monthsOfResistance(const WorldState& w, int castle) {
    const int s = castleBesiegerTroops(w, castle);
    if (s == 0) return 1000;
    const int defenders = castleDefenders(w, castle);
    if (defenders == 0) return 1;
    const Castle& k = w.castles[castle];
    const double food = ceilAway(k.food / (static_cast<double>(defenders) * std::max(1, w.settings.heiUnit)));
    const double pressure = ((std::max(1.0, static_cast<double>(s) / defenders) - 1.0) * 2.0 + 1.0) * 5.0;
    const double walls = ceilAway((k.size * 100.0 - k.siegeProgress) / pressure);
    return static_cast<int>(std::min(food, walls));
}

} // namespace vh
