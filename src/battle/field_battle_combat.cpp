// Gunfire and melee of the field battle. The preview runs the same computations with the same
// draws in the same order and writes only preview morale, so the computer's choice of order sees
// exactly the blow it is about to take.
#include "battle/field_battle_combat.h"

#include "world/numeric.h"
#include "world/random.h"
#include "world/ranked_list.h"

#include <algorithm>
#include <cmath>

namespace vh {

namespace {

int& moraleOf(FieldUnit& u, bool preview) {
    return preview ? u.previewMorale : u.morale;
}

void lowerMorale(FieldUnit& u, bool preview, double blow) {
    int& m = moraleOf(u, preview);
    m = std::max(0, m - roundHalfAway(blow));
}

int clampLoss(int loss, int have) {
    return std::clamp(loss, 0, std::max(have, 0));
}

} // namespace

double volleyMoraleBlow(double ratio, int tk1, int distance) {
    return (std::pow(ratio + 1.0, 0.9) - 1.0) * 150.0 * (tk1 / 10.0) / std::pow(2.0, distance - 2);
}

double volleyCasualties(int guns, double r, int tk2, int distance) {
    return std::pow(static_cast<double>(guns), 0.9) * (0.9 + 0.2 * r) / 2.0 * (tk2 / 10.0) /
           std::pow(2.0, distance - 2);
}

VolleyInputs volleyInputs(const FieldBattle& b, int s) {
    const FieldSide& own = b.sides[s];
    const FieldSide& enemy = b.sides[1 - s];
    VolleyInputs v;
    v.fires = frontLineHasGuns(b, s);
    if (own.frontLine >= 0)
        for (const FieldUnit& u : own.lines[own.frontLine])
            if (!unitBroken(u)) v.guns += unitGuns(own, u.ref);
    long long ne = 0;
    if (enemy.frontLine >= 0)
        for (const FieldUnit& u : enemy.lines[enemy.frontLine]) {
            const int men = unitCavalry(enemy, u.ref) + unitFoot(enemy, u.ref);
            v.allMen += men;
            if (!unitBroken(u)) {
                ne += men;
                v.bestValor = std::max(v.bestValor, unitValor(enemy, u.ref) + enemy.commandBonus);
            }
        }
    v.ratio = ne < 1 ? 100000.0 : static_cast<double>(v.guns) / static_cast<double>(ne);
    return v;
}

bool fireVolley(FieldBattle& b, int s, const VolleyInputs& v, bool enemyFires, int distance, bool preview,
                Random& rng) {
    FieldSide& enemy = b.sides[1 - s];
    const int* tk = b.settings.teppouKouka;
    const int d = std::max(distance, 2);
    bool blocked = false;
    if (!enemyFires) {
        double chance = v.ratio / ((v.bestValor + 10) / 20.0) * (tk[2] / 10.0) / 3.0;
        chance = std::min(chance, tk[2] / 100.0 * 0.7 + 0.3);
        chance = chance / (d - 1);
        blocked = rng.unit() < chance;
    }
    const double blow = volleyMoraleBlow(v.ratio, tk[0], d);
    const double casualties = volleyCasualties(v.guns, rng.unit(), tk[1], d);
    if (enemy.frontLine < 0) return blocked && !preview;
    FieldLine& line = enemy.lines[enemy.frontLine];

    // Random order over the whole line, broken units included.
    int order[kFieldMaxUnits];
    const int n = line.count;
    if (n >= 2) {
        RankedList shuffle(n);
        for (int i = 0; i < n; ++i)
            shuffle.add(i, 0);
        shuffle.shuffleTies(rng);
        for (int i = 0; i < n; ++i)
            order[i] = shuffle.item(i);
    } else {
        for (int i = 0; i < n; ++i)
            order[i] = i;
    }

    double dealt = 0;
    for (int i = 0; i < n; ++i) {
        FieldUnit& u = line.units[order[i]];
        if (unitBroken(u)) continue;
        lowerMorale(u, preview, blow * (0.5 + rng.unit()));
        const int c = unitCavalry(enemy, u.ref);
        const int f = unitFoot(enemy, u.ref);
        const int w = c + f;
        if (w == 0) {
            moraleOf(u, preview) = 0;
            continue;
        }
        double share = v.allMen > 0 ? static_cast<double>(w) / v.allMen * casualties : 0.0;
        share = std::max(0.0, std::min(share, casualties - dealt));
        if (u.ref == kGarrisonUnit) {
            const int loss = clampLoss(roundHalfAway(share + 2 * rng.unit() - 1), f);
            if (!preview) {
                enemy.garrisonSoldiers -= loss;
                dealt += loss;
            }
        } else {
            const double r1 = rng.unit();
            const int lossC =
                clampLoss(roundHalfAway(static_cast<double>(c) / (c + f) * share + 2 * r1 - 1), c);
            const double r2 = rng.unit();
            const int lossF =
                clampLoss(roundHalfAway(static_cast<double>(f) / (c + f) * share + 2 * r2 - 1), f);
            if (!preview) {
                FieldGeneral& g = enemy.generals[u.ref];
                g.cavalry -= lossC;
                g.foot -= lossF;
                g.guns = std::min(g.guns, g.foot);
                dealt += lossC + lossF;
            }
        }
        if (!preview && unitCavalry(enemy, u.ref) + unitFoot(enemy, u.ref) == 0) u.morale = 0;
    }
    return blocked && !preview;
}

int engagedLine(const FieldBattle& b, int side) {
    return isSurprisedSide(b, side) ? kFieldMainLine : b.sides[side].frontLine;
}

MeleeSums meleeSums(const FieldBattle& b, int side) {
    const FieldSide& s = b.sides[side];
    MeleeSums m;
    m.line = engagedLine(b, side);
    if (m.line >= 0)
        for (const FieldUnit& u : s.lines[m.line]) {
            if (unitBroken(u)) continue;
            const int c = unitCavalry(s, u.ref);
            const int f = unitFoot(s, u.ref);
            m.cavalry += c;
            m.foot += f;
            if (u.ref == kGarrisonUnit) {
                m.power += f * 13.0;
            } else {
                const double fighting = unitValor(s, u.ref) + s.commandBonus + 10.0;
                m.power += (3.0 * c + f) * fighting;
                m.cavalryPower += 3.0 * c * fighting;
            }
        }
    if (m.power == 0) m.power = 1;
    return m;
}

// Blows and losses of one side's engaged line in a melee.
static void meleeLosses(FieldBattle& b, int side, double moraleBlow, double lossRate, bool preview,
                        Random& rng) {
    FieldSide& s = b.sides[side];
    const int l = engagedLine(b, side);
    if (l < 0) return;
    for (FieldUnit& u : s.lines[l]) {
        if (unitBroken(u)) continue;
        lowerMorale(u, preview, (0.5 + rng.unit()) * moraleBlow);
        if (u.ref == kGarrisonUnit) {
            const double r1 = rng.unit();
            const double r2 = rng.unit();
            const int loss = clampLoss(roundHalfAway(s.garrisonSoldiers * (0.5 + r1) * lossRate + 0.6 * r2),
                                       s.garrisonSoldiers);
            if (!preview) s.garrisonSoldiers -= loss;
            continue;
        }
        FieldGeneral& g = s.generals[u.ref];
        const double r1 = rng.unit();
        const double r2 = rng.unit();
        const int lossC = clampLoss(roundHalfAway(g.cavalry * (0.5 + r1) * lossRate + 0.6 * r2), g.cavalry);
        const double r3 = rng.unit();
        const double r4 = rng.unit();
        const int lossF = clampLoss(roundHalfAway(g.foot * (0.5 + r3) * lossRate + 0.6 * r4), g.foot);
        if (preview) continue;
        g.cavalry -= lossC;
        g.foot -= lossF;
        g.guns = std::min(g.guns, g.foot);
        if (g.cavalry == 0 && g.foot == 0) u.morale = 0;
    }
}

void fightMelee(FieldBattle& b, const std::array<int, 2>& orders, bool preview, Random& rng) {
    const std::array<MeleeSums, 2> sums{meleeSums(b, 0), meleeSums(b, 1)};
    const std::array<int, 2> frontBefore{b.sides[0].frontLine, b.sides[1].frontLine};
    for (int s = 0; s < 2; ++s) {
        const double moraleBlow = 13.0 * sums[1 - s].power / sums[s].power;
        const double lossRate = 0.03 * sums[1 - s].power / sums[s].power;
        meleeLosses(b, s, moraleBlow, lossRate, preview, rng);
    }
    if (preview || b.surprise != 0) return;
    for (int s = 0; s < 2; ++s) {
        const MeleeSums& m = sums[s];
        if (m.cavalry <= 0 || orders[s] == kOrderExchange) continue;
        const int h = frontBefore[1 - s];
        if (h != kFieldVanguard && h != kFieldSecondLine) continue;
        FieldSide& enemy = b.sides[1 - s];
        int k = h + 1;
        if (!std::any_of(enemy.lines[k].begin(), enemy.lines[k].end(),
                         [](const FieldUnit& u) { return !unitBroken(u); }))
            k = h + 2;
        if (k > kFieldMainLine) continue;
        const double chance = static_cast<double>(m.cavalry) / (m.cavalry + m.foot);
        if (!(rng.unit() <= chance)) continue;
        const double blow = m.cavalryPower * 2.0 / sums[1 - s].power * 13.0;
        for (FieldUnit& u : enemy.lines[k])
            if (!unitBroken(u)) lowerMorale(u, false, blow * (0.5 + rng.unit()));
        b.events.breakthroughFrom[s] = h;
        b.events.breakthroughInto[s] = k;
    }
}

} // namespace vh
