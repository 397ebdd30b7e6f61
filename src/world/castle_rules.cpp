// Commanding house, route distances, retreat and the castle-list rebuild.
// The general records are the primary data; castle lists are derived from them here.
#include "world/castle_rules.h"
#include "world/retreat_search.h"

#include "world/byte_io.h"
#include "world/text_codec.h"

#include <algorithm>
#include <climits>
#include <string>
#include <type_traits>

namespace vh {

namespace {

// ---- route distances ----------------------------------------------------------------------

constexpr int kUnset = INT_MAX;

// The parts of a distance computation both versions share: which castles are own, where the
// wave starts and where it stops. The limit is held inside ±20000 so that every value the wave
// can produce (start + 3 per castle at most) still fits the 16-bit table.
struct DistanceSetup {
    std::vector<uint8_t> own;
    int start = 0;
    int cap = kUnreachable;
    bool passThrough = false;
};

bool validCastle(const WorldState& w, int c) { return c >= 0 && c < w.castleCount; }

DistanceSetup setUpDistances(const WorldState& w, int house, int source, int mode, std::vector<int>& dist,
                             const std::vector<uint8_t>* own = nullptr) {
    DistanceSetup s;
    const int n = w.castleCount;
    if (own && static_cast<int>(own->size()) == n) s.own = *own;
    else s.own = ownCastleMask(w, house);
    const int limit = std::clamp(w.settings.distanceLimit, -20000, 20000);
    s.cap = mode == kDistanceLimited ? limit : kUnreachable;
    s.passThrough = w.settings.tekiJouTsuuka || mode == kDistanceRetreat;
    dist.assign(n, kUnset);
    if (s.own[source]) {
        dist[source] = 0;
        s.start = 0;
    } else {
        // Leaving a castle that is not ours: our castles next to it are where the march begins.
        s.start = std::min(3, limit);
        const CastleSite& site = w.castleSites[source];
        for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
            int nb = site.routes[r];
            if (validCastle(w, nb) && s.own[nb]) dist[nb] = s.start;
        }
    }
    return s;
}

void writeTable(const std::vector<int>& dist, DistanceTable& out) {
    out.resize(dist.size());
    for (size_t c = 0; c < dist.size(); ++c)
        out[c] = static_cast<int16_t>(dist[c] == kUnset ? kUnreachable : dist[c]);
}

// Where a march from `source` begins, for the two bucket searches: the source itself at 0 when
// it is ours; else, leaving a castle that is not ours, our castles next to it at min(3, limit).
// Sets and queues them and returns the starting distance.
template <class Dist, class IsOwn>
int startMarch(const WorldState& w, int source, int limit, IsOwn&& isOwn, Dist& dist, std::vector<int>* bucket,
               int& pending) {
    using Value = std::remove_reference_t<decltype(dist[0])>;
    if (isOwn(source)) {
        dist[source] = 0;
        bucket[0].push_back(source);
        ++pending;
        return 0;
    }
    const int start = std::min(3, limit);
    const CastleSite& site = w.castleSites[source];
    for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
        const int nb = site.routes[r];
        if (!validCastle(w, nb) || !isOwn(nb) || dist[nb] == start) continue;
        dist[nb] = static_cast<Value>(start);
        bucket[start & 3].push_back(nb);
        ++pending;
    }
    return start;
}

} // namespace

void castleDistancesPlain(const WorldState& w, int house, int source, int mode, DistanceTable& out) {
    const int n = w.castleCount;
    if (!validCastle(w, source)) {
        out.assign(n, kUnreachable);
        return;
    }
    std::vector<int> dist;
    DistanceSetup s = setUpDistances(w, house, source, mode, dist);
    // A blocked castle has no distance: a later own-to-own step may still reach it, and it
    // ends as unreachable otherwise.
    std::vector<uint8_t> blocked(n, 0);
    for (int d = s.start; d <= s.cap; ++d) {
        bool anyAtOrBeyond = false;
        for (int c = 0; c < n; ++c) {
            if (dist[c] == kUnset) continue;
            if (dist[c] >= d) anyAtOrBeyond = true;
            if (dist[c] != d) continue;
            const CastleSite& site = w.castleSites[c];
            for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
                int nb = site.routes[r];
                if (!validCastle(w, nb)) continue;
                if (s.own[c] && s.own[nb]) {
                    if (dist[nb] == kUnset || dist[nb] > d + 1) dist[nb] = d + 1;
                } else if (s.passThrough) {
                    if (dist[nb] == kUnset || dist[nb] > d + 3) dist[nb] = d + 3;
                } else if (dist[nb] == kUnset) {
                    blocked[nb] = 1;
                }
            }
        }
        if (!anyAtOrBeyond) break;
    }
    writeTable(dist, out);
}

std::vector<uint8_t> ownCastleMask(const WorldState& w, int house) {
    std::vector<uint8_t> own(std::max(0, w.castleCount), 0);
    for (int c = 0; c < w.castleCount; ++c) own[c] = commandingHouse(w, w.castles[c].owner) == house;
    return own;
}

void castleDistances(const WorldState& w, int house, int source, int mode, DistanceTable& out) {
    castleDistances(w, house, source, mode, out, nullptr);
}

void castleDistances(const WorldState& w, int house, int source, int mode, DistanceTable& out,
                     const std::vector<uint8_t>* own) {
    const int n = w.castleCount;
    out.assign(std::max(0, n), static_cast<int16_t>(kUnreachable));
    if (!validCastle(w, source)) return;
    // The wave scan is a shortest-path search with steps of 1 and 3 in which only castles at
    // most `cap` away are expanded. Buckets by distance modulo 4 hold every castle whose
    // tentative distance is one of the next four values, so each castle is handled once per
    // improvement instead of once per wave. Castles beyond the cap keep whatever the last
    // expanded waves gave them, exactly as the scan leaves them. Every value the wave gives is
    // below kUnreachable (see setUpDistances), so the table itself holds the tentative
    // distances and an untouched castle is simply still unreachable.
    std::vector<uint8_t> ownMask;
    if (!own || static_cast<int>(own->size()) != n) {
        ownMask = ownCastleMask(w, house);
        own = &ownMask;
    }
    const uint8_t* mine = own->data();
    const int limit = std::clamp(w.settings.distanceLimit, -20000, 20000);
    const int cap = mode == kDistanceLimited ? limit : kUnreachable;
    const bool passThrough = w.settings.tekiJouTsuuka || mode == kDistanceRetreat;
    int16_t* dist = out.data();

    // The buckets are kept between searches: the planners search hundreds of times a month.
    thread_local std::vector<int> bucket[4];
    for (std::vector<int>& b : bucket)
        b.clear();
    int pending = 0;
    const int start = startMarch(w, source, limit, [mine](int c) { return mine[c] != 0; }, dist, bucket, pending);
    // kUnreachable is above every value, so one comparison covers "unset or farther".
    auto relax = [&](int nb, int value) {
        if (dist[nb] <= value) return;
        dist[nb] = static_cast<int16_t>(value);
        bucket[value & 3].push_back(nb);
        ++pending;
    };
    for (int d = start; pending > 0 && d <= cap; ++d) {
        std::vector<int>& here = bucket[d & 3];
        // New entries only ever go to d+1..d+3, never into this bucket, so iterating by index
        // while relaxing is safe.
        for (size_t i = 0; i < here.size(); ++i) {
            const int c = here[i];
            if (dist[c] != d) continue; // improved since it was queued
            const CastleSite& site = w.castleSites[c];
            const bool ownHere = mine[c];
            for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
                const int nb = site.routes[r];
                if (nb < 0 || nb >= n) continue;
                if (ownHere && mine[nb]) relax(nb, d + 1);
                else if (passThrough) relax(nb, d + 3);
            }
        }
        pending -= static_cast<int>(here.size());
        here.clear();
    }
}

DistanceTable castleDistances(const WorldState& w, int house, int source, int mode) {
    DistanceTable t;
    castleDistances(w, house, source, mode, t);
    return t;
}

// ---- retreat ------------------------------------------------------------------------------

namespace {

// Removes `general` from a list of `count` entries; later entries move up.
template <class Count> void dropFromList(int32_t* list, Count& count, int general) {
    int n = std::min<int>(count, Castle::kMaxGenerals);
    for (int i = 0; i < n; ++i) {
        if (list[i] != general) continue;
        std::copy(list + i + 1, list + n, list + i);
        list[n - 1] = 0;
        count = static_cast<Count>(n - 1);
        return;
    }
}

enum class RetreatNeed { UnbesiegedWithRoom, Room, Anything };

int nearestCastle(const WorldState& w, int side, const DistanceTable& dist, RetreatNeed need) {
    int best = -1;
    int bestDistance = 1000000;
    for (int c = 0; c < w.castleCount; ++c) {
        const Castle& k = w.castles[c];
        if (commandingHouse(w, k.owner) != side || dist[c] >= bestDistance) continue;
        if (need != RetreatNeed::Anything && k.generalCount >= Castle::kMaxGenerals) continue;
        if (need == RetreatNeed::UnbesiegedWithRoom && k.besiegerCount != 0) continue;
        best = c;
        bestDistance = dist[c];
    }
    return best;
}

} // namespace

int retreatTargetPlain(const WorldState& w, int side, int fromCastle, bool allowAnyCastle) {
    DistanceTable dist;
    castleDistances(w, side, fromCastle, kDistanceRetreat, dist);
    int target = nearestCastle(w, side, dist, RetreatNeed::UnbesiegedWithRoom);
    if (target < 0) target = nearestCastle(w, side, dist, RetreatNeed::Room);
    if (target < 0 && allowAnyCastle) target = nearestCastle(w, side, dist, RetreatNeed::Anything);
    return target;
}

int retreatTarget(const WorldState& w, int side, int fromCastle, bool allowAnyCastle) {
    const int n = w.castleCount;
    if (!validCastle(w, fromCastle)) return retreatTargetPlain(w, side, fromCastle, allowAnyCastle);
    // The same search as castleDistances in retreat mode (every castle passable, no cap), stopped
    // at the first distance that holds an unbesieged castle of the side with room: every castle
    // at that distance is final when its bucket comes up, and the nearest lowest-numbered one is
    // what the full table would give. Without one the full table decides the fallbacks.
    thread_local std::vector<int> dist;
    thread_local std::vector<int8_t> own; // -1 not yet asked
    thread_local std::vector<int> bucket[4];
    dist.assign(n, kUnset);
    own.assign(n, -1);
    auto isOwn = [&](int c) {
        if (own[c] < 0) own[c] = commandingHouse(w, w.castles[c].owner) == side;
        return own[c] == 1;
    };
    for (auto& b : bucket) b.clear();
    const int limit = std::clamp(w.settings.distanceLimit, -20000, 20000);
    int pending = 0;
    const int start = startMarch(w, fromCastle, limit, isOwn, dist, bucket, pending);
    auto relax = [&](int nb, int value) {
        if (dist[nb] <= value) return;
        dist[nb] = value;
        bucket[value & 3].push_back(nb);
        ++pending;
    };
    for (int d = start; pending > 0; ++d) {
        std::vector<int>& here = bucket[d & 3];
        int best = -1;
        for (int c : here) {
            if (dist[c] != d || (best >= 0 && c >= best) || !isOwn(c)) continue;
            const Castle& k = w.castles[c];
            if (k.generalCount < Castle::kMaxGenerals && k.besiegerCount == 0) best = c;
        }
        if (best >= 0) return best;
        for (size_t i = 0; i < here.size(); ++i) {
            const int c = here[i];
            if (dist[c] != d) continue;
            const CastleSite& site = w.castleSites[c];
            const bool ownHere = isOwn(c);
            for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1; ++r) {
                const int nb = site.routes[r];
                if (nb < 0 || nb >= n) continue;
                if (ownHere && isOwn(nb)) relax(nb, d + 1);
                else relax(nb, d + 3);
            }
        }
        pending -= static_cast<int>(here.size());
        here.clear();
    }
    return retreatTargetPlain(w, side, fromCastle, allowAnyCastle);
}

bool retreatGeneral(WorldState& w, int general, int fromCastle, bool allowAnyCastle) {
    if (general < 0 || general >= w.generalCount) return false;
    General& g = w.generals[general];
    const int side = commandingHouse(w, g.house);
    // A general of no house has no side to fall back to.
    if (side < 0) return false;
    const int target = retreatTarget(w, side, fromCastle, allowAnyCastle);
    if (target < 0) return false;

    if (validCastle(w, g.castle)) {
        Castle& old = w.castles[g.castle];
        if (g.flags & kFlagInField) dropFromList(old.besiegers, old.besiegerCount, general);
        else dropFromList(old.generals, old.generalCount, general);
    }
    g.castle = static_cast<int16_t>(target);
    g.flags &= ~kFlagInField;
    Castle& dest = w.castles[target];
    if (dest.generalCount < Castle::kMaxGenerals) dest.generals[dest.generalCount++] = general;
    return true;
}

void retreatArmy(WorldState& w, std::span<const int> generals) {
    if (generals.empty()) return;
    const int first = generals[0];
    if (first < 0 || first >= w.generalCount) return;
    // Taken once: the first general's place changes as soon as he has retreated.
    const int from = w.generals[first].castle;
    for (int g : generals) {
        if (g < 0 || g >= w.generalCount) continue;
        if (!retreatGeneral(w, g, from, false)) {
            w.generals[g].house = kHouseLost;
            w.generals[g].flags &= ~kFlagInField;
        }
    }
}

// ---- removal and rebuild ------------------------------------------------------------------

namespace {

// Renumbers a castle list after general `removed` left: entries above him move down by one,
// the first entry naming him is dropped and the freed last place cleared, as dropFromList does.
// One pass, since every removal renumbers every castle's lists twice over.
template <class Count> void renumberList(int32_t* list, Count& count, int removed) {
    const int n = std::min<int>(count, Castle::kMaxGenerals);
    int kept = 0;
    bool dropped = false;
    for (int i = 0; i < n; ++i) {
        const int entry = list[i];
        if (entry == removed && !dropped) {
            dropped = true;
            continue;
        }
        list[kept++] = entry > removed ? entry - 1 : entry;
    }
    if (!dropped) return;
    list[n - 1] = 0;
    count = static_cast<Count>(n - 1);
}

void renumberCastle(Castle& k, int removed) {
    renumberList(k.generals, k.generalCount, removed);
    renumberList(k.besiegers, k.besiegerCount, removed);
    if (k.lord == removed) k.lord = -1;
    else if (k.lord > removed) --k.lord;
}

std::string displayText(const WorldState& w, std::string_view bytes) {
    return toUtf8(bytes, w.settings.language == 1 ? TextEncoding::Gb2312 : TextEncoding::Cp932);
}

} // namespace

void removeActiveGeneral(WorldState& w, int general, const CastleListHooks& hooks) {
    if (general < 0 || general >= w.generalCount) return;
    const std::string name(fieldText(w.generals[general].name));

    // Heads and leaders naming him keep that index until their succession replaces it.
    std::vector<int> headless, leaderless;
    for (int h = 0; h < w.houseCount; ++h)
        if (w.houses[h].head == general) headless.push_back(h);
    for (int c = 0; c < kMaxCorps; ++c)
        if (w.corps[c].leader == general) leaderless.push_back(c);

    std::copy(w.generals.begin() + general + 1, w.generals.begin() + w.generalCount,
              w.generals.begin() + general);
    --w.generalCount;
    w.generals[w.generalCount] = General{};

    for (int h = 0; h < w.houseCount; ++h)
        if (w.houses[h].head > general) --w.houses[h].head;
    for (Corps& c : w.corps)
        if (c.leader > general) --c.leader;
    for (int c = 0; c < w.castleCount; ++c) {
        renumberCastle(w.castles[c], general);
        renumberCastle(w.castleSnapshot[c], general);
    }

    if (hooks.headLeft)
        for (int h : headless) hooks.headLeft(h);
    if (hooks.leaderLeft)
        for (int c : leaderless) hooks.leaderLeft(c, name);
}

void rebuildCastleLists(WorldState& w, const CastleListHooks& hooks) {
    const auto notify = [&](const std::string& text) {
        if (hooks.notify) hooks.notify(text);
    };
    for (int c = 0; c < w.castleCount; ++c) {
        Castle& k = w.castles[c];
        k.generalCount = 0;
        k.besiegerCount = 0;
        k.besiegedBy = -1;
    }
    int j = 0;
    while (j < w.generalCount) {
        General& g = w.generals[j];
        if (g.house == kHouseLost) {
            removeActiveGeneral(w, j, hooks);
            continue;
        }
        if (g.house == kHouseRonin) {
            // His refuge houses travel with the record. On the waiting table the order fields mean
            // appearance year and place; a leftover order would send him to that castle's owner.
            if (w.waitingCount < kMaxGenerals) {
                General& waiting = w.waitingGenerals[w.waitingCount++];
                waiting = g;
                waiting.moveTarget = -1;
                waiting.sortieTarget = -1;
            }
            removeActiveGeneral(w, j, hooks);
            continue;
        }
        // Prisoners and hostages stand in no list; neither does a general with no castle.
        if (g.house == kHouseHeld || !validCastle(w, g.castle)) {
            ++j;
            continue;
        }
        Castle& k = w.castles[g.castle];
        const int side = commandingHouse(w, g.house);
        if (g.flags & kFlagInField) {
            if (k.besiegerCount < Castle::kMaxGenerals) {
                k.besiegers[k.besiegerCount++] = j;
                k.besiegedBy = static_cast<int16_t>(side);
            }
        } else if (side != commandingHouse(w, k.owner)) {
            const bool speak = houseAlive(w, g.house);
            const std::string who = displayText(w, fieldText(g.name));
            if (speak)
                notify("Debug Message : " + who + "の所属大名と現在いる城(" +
                            displayText(w, fieldText(w.castleSites[g.castle].name)) +
                            ")の所有大名が食い違っていますので武将を強制移動します");
            if (!retreatGeneral(w, j, g.castle, true)) {
                if (speak) notify("Debug Message : 移動可能な城が無いので" + who + "は削除されました");
                removeActiveGeneral(w, j, hooks);
                continue;
            }
        } else if (k.generalCount < Castle::kMaxGenerals) {
            k.generals[k.generalCount++] = j;
        }
        ++j;
    }
}

} // namespace vh
