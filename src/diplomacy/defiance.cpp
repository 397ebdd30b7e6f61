// The defiance score. A house yields when the demander's weight clearly outgrows both the
// demander's other enemies and the house's own koku; the head's character tilts the balance.
#include "diplomacy/defiance.h"

#include "diplomacy/figures.h"
#include "diplomacy/koku_source.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

// The straight line through (lo, 0.5) and (hi, 1), evaluated at x; 0.5 when the two ends meet.
double lerpHalfToOne(double x, double lo, double hi) {
    if (hi == lo) return 0.5;
    return 0.5 + (x - lo) * 0.5 / (hi - lo);
}

// frontKoku over the demander's realm castles (in castle order).
int frontKokuOver(const WorldState& w, int target, const std::vector<int>& realm) {
    const int n = w.castleCount;
    std::vector<uint8_t> mine(n, 0), marked(n, 0);
    for (int c : realm) mine[c] = 1;
    std::vector<int> stack;
    long long sum = 0;
    for (int c : realm) {
        if (marked[c]) continue;
        bool touches = false;
        const CastleSite& site = w.castleSites[c];
        for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] != -1 && !touches; ++r) {
            const int nb = site.routes[r];
            touches = nb >= 0 && nb < n && w.castles[nb].owner == target;
        }
        if (!touches) continue;
        // Mark the whole block of the demander's castles joined to this one by routes.
        marked[c] = 1;
        stack.push_back(c);
        while (!stack.empty()) {
            const int x = stack.back();
            stack.pop_back();
            sum += w.castles[x].yield;
            const CastleSite& s = w.castleSites[x];
            for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r) {
                const int nb = s.routes[r];
                if (nb < 0 || nb >= n || !mine[nb] || marked[nb]) continue;
                marked[nb] = 1;
                stack.push_back(nb);
            }
        }
    }
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

} // namespace

int frontKoku(const WorldState& w, int target, int demander, const HouseIndex* index) {
    return frontKokuOver(w, target, realmCastles(w, demander, index));
}

double defianceScore(const WorldState& w, int target, int demander, bool frontOnly,
                     const std::vector<int>& extraEnemies, const HouseIndex* index, DefianceMemo* memo) {
    const KokuSource figures{w, index};
    DefianceMemo local;
    if (!memo || !extraEnemies.empty()) memo = &local; // extra enemies change the sum: not shared
    if (memo->target != target || memo->demander != demander) *memo = DefianceMemo{target, demander, false, false, {}, 0};
    const auto realm = [&]() -> const std::vector<int>& {
        if (!memo->haveRealm) {
            memo->realm = realmCastles(w, demander, index);
            memo->haveRealm = true;
        }
        return memo->realm;
    };
    double p = frontOnly ? frontKokuOver(w, target, realm()) : figures.withVassals(demander);
    const double k = figures.of(target);
    const DaimyoHouse& t = w.houses[target];
    if (t.vassalState == 2 && t.lord == demander) p -= k;
    if (frontOnly && k >= p / 2) return 1.0;

    if (!memo->haveEnemies) {
        double sum = 0;
        for (int e : hostileNeighboursIn(w, demander, realm(), target, &extraEnemies))
            sum += figures.withVassals(e);
        memo->enemyKoku = sum;
        memo->haveEnemies = true;
    }
    const double v = memo->enemyKoku;

    double ambition = 5, loyalty = 5;
    if (t.head >= 0 && t.head < w.generalCount) {
        ambition = w.generals[t.head].ambition;
        loyalty = w.generals[t.head].loyalty;
    }
    if (frontOnly) loyalty = 5;

    double s1 = 1, s2 = 1;
    if (v > 0) {
        s1 = lerpHalfToOne(p * ((loyalty - 5) * 0.5 + 5), v / 5, v);
        s2 = lerpHalfToOne(p * ((loyalty - 5) / 2.5 + 3), v / 5, v);
    }
    const int trend = w.houses[demander].powerTrend;
    if (trend > 0) {
        s1 *= 2;
        s2 *= 2;
    } else if (trend == 0) {
        s1 *= 1.3;
        s2 *= 1.3;
    }
    double s3 = 1;
    if (k > 0) s3 = lerpHalfToOne(p * ((loyalty - ambition) / 10 * 1.3 + 2), k / 5, k);

    const double setting = w.settings.dokuritsuJoukenHosei / 5.0;
    s1 *= setting;
    s2 *= setting;
    s3 *= setting;
    return std::max({1 - s1, 1 - s2, 1 - s3});
}

} // namespace vh
