// The siege's measures and its storming: men, food months, the assault resolution, the assault
// months estimate, the garrison's sally decision and the besiegers' choice.
#include "battle/siege.h"

#include "world/numeric.h"
#include "world/random.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VH_WIDE_STORMING 1
#include <atomic>
#include <immintrin.h>
#endif

namespace vh {

namespace {

// Months are compared and shown as ints; a castle fed for more than this is simply "long".
constexpr double kMonthsCeiling = 1e9;

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

// Lanes of one side, padded to whole groups of four with empty generals: storming an empty
// general changes nothing, so the wide storming takes four at a time without a tail.
constexpr int kLanes = (kSiegeSideMax + 3) / 4 * 4;

// One side's generals, count by count: the wide storming loads four generals' foot at once.
struct SideTroops {
    alignas(32) int foot[kLanes] = {};
    alignas(32) int cavalry[kLanes] = {};
    alignas(32) int guns[kLanes] = {};
    int count = 0;

    // The first kSiegeSideMax of the list; `troopsOf` reads an entry's counts.
    template <class Entry, class TroopsOf> void copyIn(std::span<const Entry> from, TroopsOf troopsOf) {
        count = static_cast<int>(std::min<size_t>(from.size(), kSiegeSideMax));
        for (int i = 0; i < count; ++i) {
            const SiegeTroops& t = troopsOf(from[i]);
            foot[i] = t.foot;
            cavalry[i] = t.cavalry;
            guns[i] = t.guns;
        }
    }
    SiegeTroops troops(int i) const { return {cavalry[i], foot[i], guns[i]}; }
    int men() const {
        int n = 0;
        for (int i = 0; i < count; ++i)
            n += cavalry[i] + foot[i];
        return n;
    }
    bool anyNegative() const {
        for (int i = 0; i < count; ++i)
            if (foot[i] < 0 || cavalry[i] < 0) return true;
        return false;
    }
};

// The two sides of one storming, as flat copies: the estimate runs fifty of these in a row.
struct AssaultSides {
    SideTroops besiegers;
    SideTroops defenders;
    int garrison = 0;
    int progress = 0;
    // The men of each side, kept up to date by every storming rather than counted again.
    int attackers = 0;
    int holders = 0; // with the garrison
    // No count below zero, which a storming keeps so: the losses may then go several at a time.
    bool countsNonNegative = false;
    int draws[2 + 4 * kSiegeSideMax]; // the one-by-one storming's draws of a run
};

// The derived figures, once the sides are copied in.
void prepare(AssaultSides& a) {
    a.attackers = a.besiegers.men();
    a.holders = a.garrison + a.defenders.men();
    a.countsNonNegative = !a.besiegers.anyNegative() && !a.defenders.anyNegative() && a.garrison >= 0;
}

int drawsPerRun(const AssaultSides& a) { return 2 + 2 * a.defenders.count + 2 * a.besiegers.count; }

// A head count times a share, rounded. Counts and shares are never negative in a storming, and
// for v >= 0 truncating v + 0.5 is exactly rounding half away: the estimate does this tens of
// thousands of times a month, so the general rounding stays only for a negative count.
inline int keep(double share, int value) {
    const double v = share * value;
    return v >= 0 ? static_cast<int>(v + 0.5) : roundHalfAway(v);
}

// The progress a storming gains from the men at its start and its first draw's unit value.
inline int progressGain(int attackers, int holders, double unit) {
    double ratio;
    if (attackers == 0 && holders == 0)
        ratio = 1.0;
    else if (holders == 0)
        ratio = 10000.0;
    else
        ratio = static_cast<double>(attackers) / holders;
    const double gain = 2.0 * (ratio - 1.0) * (1.0 + (unit - 0.5) / 2.0);
    return static_cast<int>(std::clamp(gain, 1.0, 10000.0));
}

// The besiegers pay up to twice the defenders' losses (at least one man counts as lost).
inline double besiegersKept(int attackers, int lost) {
    if (lost == 0) lost = 1;
    const double k = attackers == 0 ? 0.0 : (attackers - 2.0 * lost) / attackers;
    return k < 0 ? 0.0 : k;
}

// One storming: the progress gain, the defenders' losses (each general's foot, then cavalry, then
// the garrison soldiers) and the besiegers' losses, drawn in that order. The run's draws are made
// first, all at once: how many there are depends only on the two sides' sizes.
void stormOneByOne(AssaultSides& a, Random& rng) {
    rng.fill(a.draws, drawsPerRun(a));
    const int* r = a.draws;
    const int attackers = a.attackers;
    a.progress += progressGain(attackers, a.holders, kUnitOfDraw.value[*r++]);

    int lost = 0;
    SideTroops& d = a.defenders;
    for (int i = 0; i < d.count; ++i, r += 2) {
        const int foot = keep(kUnitOfDraw.defenderShare[r[0]], d.foot[i]);
        const int cavalry = keep(kUnitOfDraw.defenderShare[r[1]], d.cavalry[i]);
        lost += (d.foot[i] - foot) + (d.cavalry[i] - cavalry);
        d.foot[i] = foot;
        d.cavalry[i] = cavalry;
        d.guns[i] = std::min(d.guns[i], foot);
    }
    const int soldiers = keep(kUnitOfDraw.defenderShare[*r++], a.garrison);
    lost += a.garrison - soldiers;
    a.garrison = soldiers;
    a.holders -= lost;

    const double k = besiegersKept(attackers, lost);
    int fallen = 0;
    SideTroops& b = a.besiegers;
    for (int i = 0; i < b.count; ++i, r += 2) {
        const int foot = keep(std::min(1.0, kUnitOfDraw.besiegerShare[r[0]] * k), b.foot[i]);
        const int cavalry = keep(std::min(1.0, kUnitOfDraw.besiegerShare[r[1]] * k), b.cavalry[i]);
        fallen += (b.foot[i] - foot) + (b.cavalry[i] - cavalry);
        b.foot[i] = foot;
        b.cavalry[i] = cavalry;
        b.guns[i] = std::min(b.guns[i], foot);
    }
    a.attackers = attackers - fallen;
}

#if defined(VH_WIDE_STORMING)
// The same storming four generals at a time, for counts that are not negative: every lane does
// the very operations of the one-by-one way (a product, a sum, a truncation; no fused multiply),
// so the results are the same numbers. Each draw is worked out from the run's first state by its
// own composed step, so no draw waits on another and none goes through memory.
struct StepTable {
    static constexpr int kSize = 96; // beyond the last lane a run of two full sides reads
    uint32_t mul[kSize], add[kSize];  // k steps on from x: mul[k] * x + add[k]
    constexpr StepTable() : mul(), add() {
        mul[0] = 1u;
        add[0] = 0u;
        for (int k = 1; k < kSize; ++k) {
            mul[k] = mul[k - 1] * 214013u;
            add[k] = add[k - 1] * 214013u + 2531011u;
        }
    }
};
constexpr StepTable kSteps;
static_assert(2 + 2 * kSiegeSideMax + 2 * kLanes + 1 <= StepTable::kSize);

inline int drawAfter(uint32_t start, int steps) {
    return static_cast<int>(((kSteps.mul[steps] * start + kSteps.add[steps]) >> 16) & 0x7FFF);
}

// The run's draws k .. k + 7 (four generals' foot and cavalry draws, in that order), dealt so the
// low half holds the four foot draws and the high half the four cavalry draws.
__attribute__((target("avx2"))) inline __m256i dealtDraws(__m256i start, int k) {
    const __m256i mul = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kSteps.mul + k + 1));
    const __m256i add = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kSteps.add + k + 1));
    const __m256i x = _mm256_add_epi32(_mm256_mullo_epi32(start, mul), add);
    const __m256i draws = _mm256_and_si256(_mm256_srli_epi32(x, 16), _mm256_set1_epi32(0x7FFF));
    return _mm256_permutevar8x32_epi32(draws, _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7));
}

// Four shares worked out from four draws by the table's own expressions (a quotient, a product,
// a sum, each rounded as the scalar one is): cheaper than gathering them from the table.
__attribute__((target("avx2"))) inline __m256d shareOf(__m128i draws, double base, double span) {
    const __m256d unit = _mm256_div_pd(_mm256_cvtepi32_pd(draws), _mm256_set1_pd(32767.0));
    return _mm256_add_pd(_mm256_set1_pd(base), _mm256_mul_pd(_mm256_set1_pd(span), unit));
}

// Four generals' counts times their shares, rounded, stored back; returns the men lost per lane.
__attribute__((target("avx2"))) inline __m128i keepFour(__m256d share, int* counts) {
    const __m128i before = _mm_load_si128(reinterpret_cast<const __m128i*>(counts));
    const __m256d kept = _mm256_add_pd(_mm256_mul_pd(share, _mm256_cvtepi32_pd(before)), _mm256_set1_pd(0.5));
    const __m128i after = _mm256_cvttpd_epi32(kept);
    _mm_store_si128(reinterpret_cast<__m128i*>(counts), after);
    return _mm_sub_epi32(before, after);
}

// A general's guns never outnumber his foot.
__attribute__((target("avx2"))) inline void capGuns(SideTroops& t, int i) {
    __m128i* guns = reinterpret_cast<__m128i*>(t.guns + i);
    _mm_store_si128(guns, _mm_min_epi32(_mm_load_si128(guns), _mm_load_si128(reinterpret_cast<const __m128i*>(t.foot + i))));
}

__attribute__((target("avx2"))) inline int laneSum(__m128i v) {
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtsi128_si32(v);
}

__attribute__((target("avx2"))) void stormWide(AssaultSides& a, Random& rng) {
    const uint32_t first = rng.state();
    const __m256i start = _mm256_set1_epi32(static_cast<int>(first));
    rng.seed(kSteps.mul[drawsPerRun(a)] * first + kSteps.add[drawsPerRun(a)]);
    const int attackers = a.attackers;
    // The gain's and the garrison's draws as units, both in one quotient: a table read here would
    // sit on the path every later figure of the storming waits on.
    const __m128d units = _mm_div_pd(
        _mm_cvtepi32_pd(_mm_setr_epi32(drawAfter(first, 1), drawAfter(first, 2 + 2 * a.defenders.count), 0, 0)),
        _mm_set1_pd(32767.0));
    a.progress += progressGain(attackers, a.holders, _mm_cvtsd_f64(units));

    SideTroops& d = a.defenders;
    __m128i lostLanes = _mm_setzero_si128();
    for (int i = 0; i < d.count; i += 4) {
        const __m256i draws = dealtDraws(start, 1 + 2 * i);
        const __m256d footShare = shareOf(_mm256_castsi256_si128(draws), 0.92, 0.08);
        const __m256d cavalryShare = shareOf(_mm256_extracti128_si256(draws, 1), 0.92, 0.08);
        lostLanes = _mm_add_epi32(lostLanes, keepFour(footShare, d.foot + i));
        lostLanes = _mm_add_epi32(lostLanes, keepFour(cavalryShare, d.cavalry + i));
        capGuns(d, i);
    }
    const int soldiers = keep(0.92 + 0.08 * _mm_cvtsd_f64(_mm_unpackhi_pd(units, units)), a.garrison);
    const int lost = laneSum(lostLanes) + (a.garrison - soldiers);
    a.garrison = soldiers;
    a.holders -= lost;

    // min(share * k, 1) lane by lane is std::min(1.0, share * k): no value here is NaN.
    const __m256d factor = _mm256_set1_pd(besiegersKept(attackers, lost)), one = _mm256_set1_pd(1.0);
    SideTroops& b = a.besiegers;
    __m128i fallenLanes = _mm_setzero_si128();
    for (int i = 0; i < b.count; i += 4) {
        const __m256i draws = dealtDraws(start, 2 + 2 * d.count + 2 * i);
        const __m256d footShare = _mm256_min_pd(_mm256_mul_pd(shareOf(_mm256_castsi256_si128(draws), 0.98, 0.04), factor), one);
        const __m256d cavalryShare = _mm256_min_pd(_mm256_mul_pd(shareOf(_mm256_extracti128_si256(draws, 1), 0.98, 0.04), factor), one);
        fallenLanes = _mm_add_epi32(fallenLanes, keepFour(footShare, b.foot + i));
        fallenLanes = _mm_add_epi32(fallenLanes, keepFour(cavalryShare, b.cavalry + i));
        capGuns(b, i);
    }
    a.attackers = attackers - laneSum(fallenLanes);
}

std::atomic<bool> wideStormingWanted{true};
const bool kWideStormingAvailable = [] {
    __builtin_cpu_init(); // this runs among the constructors, perhaps before the library's own
    return __builtin_cpu_supports("avx2") != 0;
}();
#endif

void storm(AssaultSides& a, Random& rng) {
#if defined(VH_WIDE_STORMING)
    if (a.countsNonNegative && kWideStormingAvailable && wideStormingWanted.load(std::memory_order_relaxed)) {
        stormWide(a, rng);
        return;
    }
#endif
    stormOneByOne(a, rng);
}

bool noAttackers(const AssaultSides& a) {
    if (a.countsNonNegative) return a.attackers == 0;
    for (int i = 0; i < a.besiegers.count; ++i)
        if (a.besiegers.foot[i] != 0 || a.besiegers.cavalry[i] != 0) return false;
    return true;
}

// With no attacker left every storming gains exactly 1 and the besiegers stay at 0, whatever the
// draws: the remaining runs are counted, and their draws stepped over, without being played.
void finishWithoutAttackers(AssaultSides& a, int runs, int target, int& below, bool& reached, Random& rng) {
    const int need = target - a.progress; // > 0: the loop runs only below the target
    const int played = std::min(runs, need);
    reached = need <= runs;
    below += reached ? played - 1 : played;
    a.progress += played;
    rng.discard(static_cast<uint64_t>(played) * drawsPerRun(a));
}

} // namespace

bool useWideStorming(bool wanted) {
#if defined(VH_WIDE_STORMING)
    wideStormingWanted.store(wanted, std::memory_order_relaxed);
    return wanted && kWideStormingAvailable;
#else
    (void)wanted;
    return false;
#endif
}

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

namespace {

const SiegeTroops& plainTroops(const SiegeTroops& t) { return t; }
const SiegeTroops& generalsTroops(const SiegeGeneral& g) { return g.troops; }

// The fifty runs of the estimate on sides already copied in; `progress` is where they began.
int estimateMonths(AssaultSides& a, int progress, int size, Random& rng) {
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

// The siege's two sides as the storming reads them.
void copySides(const Siege& s, AssaultSides& a) {
    a.besiegers.copyIn(std::span<const SiegeGeneral>(s.besiegers), generalsTroops);
    a.defenders.copyIn(std::span<const SiegeGeneral>(s.defenders), generalsTroops);
    a.garrison = s.garrison;
    a.progress = s.progress;
    prepare(a);
}

} // namespace

int assaultMonths(std::span<const SiegeTroops> besiegers, std::span<const SiegeTroops> defenders,
                  int garrison, int progress, int size, Random& rng) {
    AssaultSides a;
    a.besiegers.copyIn(besiegers, plainTroops);
    a.defenders.copyIn(defenders, plainTroops);
    a.garrison = garrison;
    a.progress = progress;
    prepare(a);
    return estimateMonths(a, progress, size, rng);
}

int assaultMonths(const Siege& s, Random& rng) {
    AssaultSides a;
    copySides(s, a);
    return estimateMonths(a, s.progress, s.size, rng);
}

void assault(Siege& s, Random& rng) {
    AssaultSides a;
    copySides(s, a);
    storm(a, rng);
    for (int i = 0; i < a.besiegers.count; ++i)
        s.besiegers[i].troops = a.besiegers.troops(i);
    for (int i = 0; i < a.defenders.count; ++i)
        s.defenders[i].troops = a.defenders.troops(i);
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
