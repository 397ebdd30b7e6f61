// One turn of the field battle: the preview, the computer's choice of order, the execution in
// its nine steps, and the end of the battle with death in battle and the pursuit.
#include "battle/field_battle.h"

#include "battle/field_battle_combat.h"
#include "world/numeric.h"
#include "world/random.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vh {

namespace {

void recomputeFrontLines(FieldBattle& b) {
    for (FieldSide& s : b.sides)
        s.frontLine = computeFrontLine(s);
}

// 3c + f of the unbroken units; the surprised side counts only its 本陣.
long long strength(const FieldBattle& b, int side) {
    const FieldSide& s = b.sides[side];
    long long sum = 0;
    const int from = isSurprisedSide(b, side) ? kFieldMainLine : 0;
    for (int l = from; l < kFieldLineCount; ++l)
        for (const FieldUnit& u : s.lines[l])
            if (!unitBroken(u)) sum += 3LL * unitCavalry(s, u.ref) + unitFoot(s, u.ref);
    return sum;
}

// Average morale (or preview morale) over every unit of a line; an empty line averages 0.
double averageMorale(const FieldSide& s, int line, bool preview) {
    if (line < 0 || s.lines[line].count == 0) return 0;
    double sum = 0;
    for (const FieldUnit& u : s.lines[line])
        sum += preview ? u.previewMorale : u.morale;
    return sum / s.lines[line].count;
}

// Men of the front line's unbroken units over the men of all unbroken units (1 without men).
double frontShare(const FieldSide& s) {
    long long front = 0, all = 0;
    for (int l = 0; l < kFieldLineCount; ++l)
        for (const FieldUnit& u : s.lines[l]) {
            if (unitBroken(u)) continue;
            const int men = unitCavalry(s, u.ref) + unitFoot(s, u.ref);
            all += men;
            if (l == s.frontLine) front += men;
        }
    return all == 0 ? 1.0 : static_cast<double>(front) / static_cast<double>(all);
}

// Turns a front line lasts at the expected loss of morale per turn. A front line whose unbroken
// units have no men while the side has men elsewhere has a share of 0: it counts as lasting.
int lastingTurns(double morale, double preview, double share) {
    if (share <= 0) return 100;
    if (morale - preview > 0) return roundHalfAway(100.0 / (morale - preview) / share);
    return 100;
}

bool isCastleSide(const FieldBattle& b, int side) {
    return (b.castleSide == 1 && side == 1) || (b.castleSide == 2 && side == 0);
}

bool mainLineBroken(const FieldSide& s) {
    for (const FieldUnit& u : s.lines[kFieldMainLine])
        if (!unitBroken(u)) return false;
    return true;
}

} // namespace

void previewFieldTurn(FieldBattle& b, Random& rng) {
    for (FieldSide& s : b.sides)
        for (FieldLine& line : s.lines)
            for (FieldUnit& u : line)
                u.previewMorale = u.morale;
    const int d = fieldDistance(b);
    if (d < 2) {
        fightMelee(b, {kOrderHold, kOrderHold}, true, rng);
        return;
    }
    const VolleyInputs v0 = volleyInputs(b, 0);
    const VolleyInputs v1 = volleyInputs(b, 1);
    if (v0.fires) fireVolley(b, 0, v0, v1.fires, d, true, rng);
    if (v1.fires) fireVolley(b, 1, v1, v0.fires, d, true, rng);
}

int computerFieldOrder(FieldBattle& b, int side, Random& rng) {
    const int e = 1 - side;
    const int tc = b.turn;
    const bool skipRetreat = isSurprisingSide(b, side) || (isSurprisedSide(b, side) && tc <= b.confusion);
    if (!skipRetreat) {
        const long long own = strength(b, side);
        const long long enemy = strength(b, e);
        const double x = 2 + 0.5 * rng.unit();
        if (static_cast<double>(own) * x < static_cast<double>(enemy)) return kOrderRetreat;
    }
    const FieldSide& s = b.sides[side];
    const FieldSide& es = b.sides[e];
    if (mayExchangeLines(b, side)) {
        const double m0 = averageMorale(s, kFieldVanguard, false);
        const double p0 = averageMorale(s, kFieldVanguard, true);
        const double m1 = averageMorale(s, kFieldSecondLine, false);
        if (2 * p0 - m0 <= 5 && m1 > 29) return kOrderExchange;
    }
    if (fieldDistance(b) < 2) return kOrderAttack;

    const double fm = averageMorale(s, s.frontLine, false);
    const double fp = averageMorale(s, s.frontLine, true);
    const double em = averageMorale(es, es.frontLine, false);
    const double ep = averageMorale(es, es.frontLine, true);
    const bool ownGuns = frontLineHasGuns(b, side);
    const bool enemyGuns = frontLineHasGuns(b, e);

    if (isCastleSide(b, side)) {
        if (ownGuns && !b.rain) return kOrderGunfire;
        if (!enemyGuns || b.rain) return kOrderHold;
        const double enemyTotal = 3.0 * es.totalCavalry + es.totalFoot;
        const double ownTotal = 3.0 * s.totalCavalry + s.totalFoot;
        if (enemyTotal * 1.1 >= ownTotal && fp > 3) {
            const int turns = lastingTurns(fm, fp, frontShare(s));
            if (turns + tc > 14) return kOrderHold;
        }
        return kOrderAdvance;
    }
    if (ownGuns && !b.rain) {
        if (ep <= 3) return kOrderGunfire;
        const int te = lastingTurns(em, ep, frontShare(es));
        if (enemyGuns) {
            const int to = lastingTurns(fm, fp, frontShare(s));
            if (te >= to) return kOrderAdvance;
        }
        if (te + tc < 15) return kOrderGunfire;
        return kOrderAdvance;
    }
    return kOrderAdvance;
}

int executeFieldTurn(FieldBattle& b, int order0, int order1, Random& rng) {
    if (b.result != kFieldUndecided) return b.result;
    b.events = FieldTurnEvents{};
    std::array<int, 2> o{order0, order1};
    // Orders the rules never allow are held instead of executed.
    for (int s = 0; s < 2; ++s) {
        if (o[s] < kOrderHold || o[s] > kOrderRetreat) o[s] = kOrderHold;
        if (o[s] == kOrderExchange && !mayExchangeLines(b, s)) o[s] = kOrderHold;
        if (o[s] == kOrderRetreat && retreatRefused(b, s)) o[s] = kOrderHold;
    }
    ++b.turn;

    if (o[0] == kOrderRetreat || o[1] == kOrderRetreat) {
        b.events.executedOrders = o;
        b.result = o[0] == o[1] ? kFieldDraw : (o[0] == kOrderRetreat ? kFieldSide1Won : kFieldSide0Won);
        return b.result;
    }

    const int d = fieldDistance(b);
    if (o[0] == kOrderAdvance && o[1] == kOrderAdvance && d == 2) {
        if (b.sides[0].position < 4)
            o[1] = kOrderHold;
        else
            o[0] = kOrderHold;
    }

    if (o[0] == kOrderGunfire || o[1] == kOrderGunfire) {
        b.events.gunfire = true;
        // Both volleys take their inputs before either is applied; side 0's goes first.
        const VolleyInputs v0 = volleyInputs(b, 0);
        const VolleyInputs v1 = volleyInputs(b, 1);
        bool blocked = false;
        if (v0.fires) blocked = fireVolley(b, 0, v0, v1.fires, d, false, rng) || blocked;
        if (v1.fires) blocked = fireVolley(b, 1, v1, v0.fires, d, false, rng) || blocked;
        if (blocked)
            for (int s = 0; s < 2; ++s)
                if (o[s] == kOrderAdvance) {
                    o[s] = kOrderHold;
                    b.events.blocked[s] = true;
                }
        recomputeFrontLines(b);
    }

    if (o[0] == kOrderAdvance) b.sides[0].position = std::min(kFieldSteps - 1, b.sides[0].position + 1);
    if (o[1] == kOrderAdvance) b.sides[1].position = std::max(0, b.sides[1].position - 1);

    if (o[0] == kOrderAttack || o[1] == kOrderAttack) {
        b.events.melee = true;
        fightMelee(b, o, false, rng);
        recomputeFrontLines(b);
    }

    for (int s = 0; s < 2; ++s)
        if (o[s] == kOrderExchange)
            std::swap(b.sides[s].lines[kFieldVanguard], b.sides[s].lines[kFieldSecondLine]);

    const bool fought = b.events.gunfire || b.events.melee;
    for (int s = 0; s < 2; ++s) {
        FieldSide& side = b.sides[s];
        if (side.frontLine < 0) continue;
        const bool surprised = isSurprisedSide(b, s);
        for (int l = side.frontLine; l < kFieldLineCount; ++l) {
            if (surprised ? l == kFieldMainLine : (fought && l == side.frontLine)) continue;
            if (o[s] == kOrderExchange && l <= kFieldSecondLine) continue;
            if (b.events.breakthroughInto[1 - s] == l) continue;
            for (FieldUnit& u : side.lines[l])
                if (!unitBroken(u)) u.morale = std::min(100, u.morale + roundHalfAway(7 + 10 * rng.unit()));
        }
    }

    recomputeFrontLines(b);
    b.events.executedOrders = o;
    const bool lost0 = mainLineBroken(b.sides[0]);
    const bool lost1 = mainLineBroken(b.sides[1]);
    if (lost0 && lost1)
        b.result = kFieldDraw;
    else if (lost1)
        b.result = kFieldSide0Won;
    else if (lost0)
        b.result = kFieldSide1Won;
    else if (b.turn >= kFieldTurnLimit)
        b.result = kFieldDraw;
    return b.result;
}

int playHandFieldTurn(FieldBattle& b, int playerOrder, Random& rng, int* enemyOrder) {
    previewFieldTurn(b, rng);
    const int o1 = computerFieldOrder(b, 1, rng);
    if (enemyOrder) *enemyOrder = o1;
    return executeFieldTurn(b, playerOrder, o1, rng);
}

void finishFieldBattle(FieldBattle& b, Random& rng) {
    if (b.finished) return;
    b.finished = true;
    if (b.result != kFieldSide0Won && b.result != kFieldSide1Won) return;
    const int loser = b.result == kFieldSide0Won ? 1 : 0;
    const FieldSide& winner = b.sides[1 - loser];
    FieldSide& lost = b.sides[loser];

    double p = 0;
    for (const FieldGeneral& g : winner.generals)
        p += 3.0 * g.cavalry + g.foot;
    if (winner.hasGarrison) p += winner.garrisonSoldiers;
    const int u = b.settings.uchijiniKakuritsu;
    if (p > 0 && u > 0) {
        const double base = std::pow(0.8, u / 5.0);
        for (const FieldLine& line : lost.lines)
            for (const FieldUnit& unit : line) {
                if (!unitBroken(unit) || unit.ref == kGarrisonUnit) continue;
                FieldGeneral& g = lost.generals[unit.ref];
                const double threshold = (3.0 * g.cavalry + g.foot) / p * 3 + base;
                if (rng.unit() >= threshold) {
                    g.killed = true;
                    b.dead.emplace_back(loser, unit.ref);
                }
            }
    }

    for (const FieldLine& line : lost.lines)
        for (const FieldUnit& unit : line) {
            const double factor = unitBroken(unit) ? 0.8 : 0.95;
            if (unit.ref == kGarrisonUnit) {
                lost.garrisonSoldiers = static_cast<int>(lost.garrisonSoldiers * factor);
                continue;
            }
            FieldGeneral& g = lost.generals[unit.ref];
            g.cavalry = static_cast<int>(g.cavalry * factor);
            g.foot = static_cast<int>(g.foot * factor);
            g.guns = std::min(g.guns, g.foot);
        }
}

int runAutomaticFieldBattle(FieldBattle& b, Random& rng) {
    while (b.result == kFieldUndecided) {
        previewFieldTurn(b, rng);
        const int o0 = computerFieldOrder(b, 0, rng);
        const int o1 = computerFieldOrder(b, 1, rng);
        executeFieldTurn(b, o0, o1, rng);
    }
    finishFieldBattle(b, rng);
    return b.result;
}

} // namespace vh
