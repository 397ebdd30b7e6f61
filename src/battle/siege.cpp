// The siege's measures and its storming: men, food months, the assault resolution, the assault
// months estimate, the garrison's sally decision and the besiegers' choice.
#include "battle/siege.h"

#include "world/numeric.h"
#include "world/random.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vh {

namespace {

// Months are compared and shown as ints; a castle fed for more than this is simply "long".
constexpr double kMonthsCeiling = 1e9;

int menOf(std::span<const SiegeTroops> t) {
    int n = 0;
    for (const SiegeTroops& x : t)
        n += x.men();
    return n;
}

// Random::unit of every draw and the two loss shares made from it, looked up: the estimate's
// thousands of draws a call would otherwise wait on as much arithmetic. The tables are filled by
// the very expressions a draw would go through, so every value is the same double.
struct UnitTable {
    double value[32768];
    double defenderShare[32768]; // 0.92 + 0.08 * unit
    double besiegerShare[32768]; // 0.98 + 0.04 * unit
    UnitTable() {
        for (int r = 0; r < 32768; ++r) {
            value[r] = r / 32767.0;
            defenderShare[r] = 0.92 + 0.08 * value[r];
            besiegerShare[r] = 0.98 + 0.04 * value[r];
        }
    }
};
const UnitTable kUnitOfDraw;

// The two sides of one storming, as flat copies: the estimate runs fifty of these in a row.
struct AssaultSides {
    SiegeTroops besiegers[kSiegeSideMax];
    SiegeTroops defenders[kSiegeSideMax];
    int besiegerCount = 0;
    int defenderCount = 0;
    int garrison = 0;
    int progress = 0;
    // The men of each side, kept up to date by every storming rather than counted again.
    int attackers = 0;
    int holders = 0; // with the garrison
    // No count below zero, which a storming keeps so: the losses may then go two counts at once.
    bool countsNonNegative = false;
};

bool countsNonNegative(const AssaultSides& a) {
    for (int i = 0; i < a.besiegerCount; ++i)
        if (a.besiegers[i].foot < 0 || a.besiegers[i].cavalry < 0) return false;
    for (int i = 0; i < a.defenderCount; ++i)
        if (a.defenders[i].foot < 0 || a.defenders[i].cavalry < 0) return false;
    return a.garrison >= 0;
}

// The derived figures, once the sides are copied in.
void prepare(AssaultSides& a) {
    a.attackers = menOf({a.besiegers, static_cast<size_t>(a.besiegerCount)});
    a.holders = a.garrison + menOf({a.defenders, static_cast<size_t>(a.defenderCount)});
    a.countsNonNegative = countsNonNegative(a);
}

// A head count times a share, rounded. Counts and shares are never negative in a storming, and
// for v >= 0 truncating v + 0.5 is exactly rounding half away: the estimate does this tens of
// thousands of times a month, so the general rounding stays only for a negative count.
inline int keep(double share, int value) {
    const double v = share * value;
    return v >= 0 ? static_cast<int>(v + 0.5) : roundHalfAway(v);
}

// One storming: the progress gain, the defenders' losses (each general's foot, then cavalry, then
// the garrison soldiers) and the besiegers' losses, drawn in that order. The run's draws are made
// first, all at once: how many there are depends only on the two sides' sizes.
void storm(AssaultSides& a, Random& rng) {
    int draws[2 + 4 * kSiegeSideMax];
    rng.fill(draws, 2 + 2 * a.defenderCount + 2 * a.besiegerCount);
    const int* r = draws;

    const int attackers = a.attackers;
    const int holders = a.holders;
    double ratio;
    if (attackers == 0 && holders == 0)
        ratio = 1.0;
    else if (holders == 0)
        ratio = 10000.0;
    else
        ratio = static_cast<double>(attackers) / holders;

    double gain = 2.0 * (ratio - 1.0) * (1.0 + (kUnitOfDraw.value[*r++] - 0.5) / 2.0);
    gain = std::clamp(gain, 1.0, 10000.0);
    a.progress += static_cast<int>(gain);

    int lost = 0;
#if defined(__SSE2__)
    // The same losses two at a time: a general's cavalry and foot lie side by side, and for counts
    // that are not negative the rounding is the truncation of share * count + 0.5 in each lane.
    static_assert(offsetof(SiegeTroops, foot) == offsetof(SiegeTroops, cavalry) + sizeof(int));
    const bool paired = a.countsNonNegative;
    const __m128d half = _mm_set1_pd(0.5);
    const auto keepPair = [&half](SiegeTroops& t, __m128d share) {
        const __m128i before = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&t.cavalry));
        const __m128d kept = _mm_add_pd(_mm_mul_pd(share, _mm_cvtepi32_pd(before)), half);
        const __m128i after = _mm_cvttpd_epi32(kept);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(&t.cavalry), after);
        return _mm_sub_epi32(before, after);
    };
#else
    const bool paired = false;
#endif
    if (paired) {
#if defined(__SSE2__)
        __m128i lostPair = _mm_setzero_si128();
        for (int i = 0; i < a.defenderCount; ++i, r += 2) {
            SiegeTroops& t = a.defenders[i];
            const __m128d share = _mm_set_pd(kUnitOfDraw.defenderShare[r[0]], kUnitOfDraw.defenderShare[r[1]]);
            lostPair = _mm_add_epi32(lostPair, keepPair(t, share));
            t.guns = std::min(t.guns, t.foot);
        }
        lost = _mm_cvtsi128_si32(lostPair) + _mm_cvtsi128_si32(_mm_srli_si128(lostPair, 4));
#endif
    } else {
        for (int i = 0; i < a.defenderCount; ++i, r += 2) {
            SiegeTroops& t = a.defenders[i];
            const int foot = keep(kUnitOfDraw.defenderShare[r[0]], t.foot);
            const int cavalry = keep(kUnitOfDraw.defenderShare[r[1]], t.cavalry);
            lost += (t.foot - foot) + (t.cavalry - cavalry);
            t.foot = foot;
            t.cavalry = cavalry;
            t.guns = std::min(t.guns, t.foot);
        }
    }
    const int soldiers = keep(kUnitOfDraw.defenderShare[*r++], a.garrison);
    lost += a.garrison - soldiers;
    a.garrison = soldiers;
    a.holders = holders - lost;
    if (lost == 0) lost = 1;

    double k = attackers == 0 ? 0.0 : (attackers - 2.0 * lost) / attackers;
    if (k < 0) k = 0;
    if (paired) {
#if defined(__SSE2__)
        const __m128d factor = _mm_set1_pd(k), one = _mm_set1_pd(1.0);
        __m128i lostPair = _mm_setzero_si128();
        for (int i = 0; i < a.besiegerCount; ++i, r += 2) {
            SiegeTroops& t = a.besiegers[i];
            // min(share * k, 1) lane by lane is std::min(1.0, share * k): no value here is NaN.
            const __m128d share = _mm_min_pd(
                _mm_mul_pd(_mm_set_pd(kUnitOfDraw.besiegerShare[r[0]], kUnitOfDraw.besiegerShare[r[1]]), factor), one);
            lostPair = _mm_add_epi32(lostPair, keepPair(t, share));
            t.guns = std::min(t.guns, t.foot);
        }
        a.attackers = attackers - _mm_cvtsi128_si32(lostPair) - _mm_cvtsi128_si32(_mm_srli_si128(lostPair, 4));
#endif
        return;
    }
    int fallen = 0;
    for (int i = 0; i < a.besiegerCount; ++i, r += 2) {
        SiegeTroops& t = a.besiegers[i];
        const int foot = keep(std::min(1.0, kUnitOfDraw.besiegerShare[r[0]] * k), t.foot);
        const int cavalry = keep(std::min(1.0, kUnitOfDraw.besiegerShare[r[1]] * k), t.cavalry);
        fallen += (t.foot - foot) + (t.cavalry - cavalry);
        t.foot = foot;
        t.cavalry = cavalry;
        t.guns = std::min(t.guns, t.foot);
    }
    a.attackers = attackers - fallen;
}

bool noAttackers(const AssaultSides& a) {
    if (a.countsNonNegative) return a.attackers == 0;
    for (int i = 0; i < a.besiegerCount; ++i)
        if (a.besiegers[i].foot != 0 || a.besiegers[i].cavalry != 0) return false;
    return true;
}

// With no attacker left every storming gains exactly 1 and the besiegers stay at 0, whatever the
// draws: the remaining runs are counted, and their draws stepped over, without being played.
void finishWithoutAttackers(AssaultSides& a, int runs, int target, int& below, bool& reached, Random& rng) {
    const int drawsPerRun = 2 + 2 * a.defenderCount + 2 * a.besiegerCount;
    const int need = target - a.progress; // > 0: the loop runs only below the target
    const int played = std::min(runs, need);
    reached = need <= runs;
    below += reached ? played - 1 : played;
    a.progress += played;
    rng.discard(static_cast<uint64_t>(played) * drawsPerRun);
}

void copyTroops(std::span<const SiegeTroops> from, SiegeTroops* to, int& count) {
    count = static_cast<int>(std::min<size_t>(from.size(), kSiegeSideMax));
    std::copy_n(from.begin(), count, to);
}

} // namespace

int defendersMen(const Siege& s) {
    int n = s.garrison;
    for (const SiegeGeneral& g : s.defenders)
        n += g.troops.men();
    return n;
}

int besiegersMen(const Siege& s) {
    int n = 0;
    for (const SiegeGeneral& g : s.besiegers)
        n += g.troops.men();
    return n;
}

int foodMonths(const Siege& s, int men) {
    if (s.besiegers.empty()) return 1000;
    if (s.food < 1) return 1;
    if (men == 0) return 10000;
    const double months = std::ceil(s.food / (static_cast<double>(men) * s.settings.heiUnit));
    // HeiUnit 0 would divide by zero: such a castle never starves.
    return static_cast<int>(std::min(months, kMonthsCeiling));
}

int assaultMonths(std::span<const SiegeTroops> besiegers, std::span<const SiegeTroops> defenders,
                  int garrison, int progress, int size, Random& rng) {
    AssaultSides a;
    copyTroops(besiegers, a.besiegers, a.besiegerCount);
    copyTroops(defenders, a.defenders, a.defenderCount);
    a.garrison = garrison;
    a.progress = progress;
    prepare(a);
    const int target = 100 * size;
    constexpr int kRuns = 50;
    int below = 0; // runs that ended below the target
    bool reached = a.progress >= target;
    for (int run = 0; run < kRuns && !reached; ++run) {
        if (noAttackers(a)) {
            finishWithoutAttackers(a, kRuns - run, target, below, reached, rng);
            break;
        }
        storm(a, rng);
        if (a.progress >= target)
            reached = true;
        else
            ++below;
    }
    // Every run gains at least 1, so the fifty runs moved the progress.
    const int n = reached ? below : roundHalfAway(50.0 * (target - progress) / (a.progress - progress));
    return std::max(1, ceilAway(n / 5.0));
}

int assaultMonths(const Siege& s, Random& rng) {
    SiegeTroops b[kSiegeSideMax], d[kSiegeSideMax];
    const size_t nb = std::min<size_t>(s.besiegers.size(), kSiegeSideMax);
    const size_t nd = std::min<size_t>(s.defenders.size(), kSiegeSideMax);
    for (size_t i = 0; i < nb; ++i)
        b[i] = s.besiegers[i].troops;
    for (size_t i = 0; i < nd; ++i)
        d[i] = s.defenders[i].troops;
    return assaultMonths({b, nb}, {d, nd}, s.garrison, s.progress, s.size, rng);
}

void assault(Siege& s, Random& rng) {
    AssaultSides a;
    a.besiegerCount = static_cast<int>(std::min<size_t>(s.besiegers.size(), kSiegeSideMax));
    a.defenderCount = static_cast<int>(std::min<size_t>(s.defenders.size(), kSiegeSideMax));
    for (int i = 0; i < a.besiegerCount; ++i)
        a.besiegers[i] = s.besiegers[i].troops;
    for (int i = 0; i < a.defenderCount; ++i)
        a.defenders[i] = s.defenders[i].troops;
    a.garrison = s.garrison;
    a.progress = s.progress;
    prepare(a);
    storm(a, rng);
    for (int i = 0; i < a.besiegerCount; ++i)
        s.besiegers[i].troops = a.besiegers[i];
    for (int i = 0; i < a.defenderCount; ++i)
        s.defenders[i].troops = a.defenders[i];
    s.garrison = a.garrison;
    s.progress = a.progress;
}

bool garrisonSallies(const Siege& s, Random& rng) {
    const int attackers = besiegersMen(s);
    const int holders = defendersMen(s);
    return !(attackers > holders * (1.2 + 0.8 * rng.unit()));
}

SiegeOrder besiegersChoice(const Siege& s, Random& rng) {
    const int a = assaultMonths(s, rng);
    const int f = foodMonths(s, defendersMen(s));
    return a != f && f / 1.3 > a ? SiegeOrder::Storm : SiegeOrder::Wait;
}

} // namespace vh
