// The field battle engine by plain values: gunfire range, movement, surprise, the end of the
// battle, formation and the computer's orders, and the number of draws each step makes.
#include "battle/field_battle_combat.h"
#include "field_battle_fixture.h"
#include "world/ranked_list.h"

#include <gtest/gtest.h>

namespace vh {
namespace {

using test::drawsBetween;
using test::fieldBattle;
using test::fieldGeneral;
using test::placeLines;

TEST(FieldGunfire, FiveStepsIsAQuarterOfThreeAndAnEighthOfPointBlank) {
    for (double ratio : {0.05, 0.7, 4.0}) {
        EXPECT_DOUBLE_EQ(4 * volleyMoraleBlow(ratio, 10, 5), volleyMoraleBlow(ratio, 10, 3));
        EXPECT_DOUBLE_EQ(8 * volleyMoraleBlow(ratio, 10, 5), volleyMoraleBlow(ratio, 10, 2));
    }
    EXPECT_DOUBLE_EQ(4 * volleyCasualties(300, 0.4, 10, 5), volleyCasualties(300, 0.4, 10, 3));
    EXPECT_DOUBLE_EQ(8 * volleyCasualties(300, 0.4, 10, 5), volleyCasualties(300, 0.4, 10, 2));
    // TK2 = 20 doubles the casualties.
    EXPECT_DOUBLE_EQ(2 * volleyCasualties(300, 0.4, 10, 2), volleyCasualties(300, 0.4, 20, 2));

    // On the field, with the same draws: the men lost from 5 steps are an eighth of those lost
    // point-blank (up to the rounding of each unit's share).
    auto menLost = [](int distance) {
        FieldBattle b = fieldBattle(
            {fieldGeneral("砲頭", 0, 1000, 1000)},
            {fieldGeneral("甲", 0, 3000, 0), fieldGeneral("乙", 0, 3000, 0), fieldGeneral("丙", 0, 100, 0)});
        placeLines(b, 0, {}, {}, 0);
        placeLines(b, 1, {0, 1}, {}, 2);
        deployFieldBattle(b);
        b.sides[1].position = b.sides[0].position + distance;
        Random rng(99);
        executeFieldTurn(b, kOrderGunfire, kOrderHold, rng);
        EXPECT_TRUE(b.events.gunfire);
        return 6000 - b.sides[1].generals[0].foot - b.sides[1].generals[1].foot;
    };
    const int near = menLost(2), far = menLost(5);
    EXPECT_GT(near, 200);
    EXPECT_NEAR(near, 8 * far, 20);
}

TEST(FieldGunfire, BlockingOnlyWhenTheTargetDoesNotFire) {
    auto duel = [](int enemyGuns) {
        FieldBattle b =
            fieldBattle({fieldGeneral("甲", 0, 1000, 1000)}, {fieldGeneral("乙", 0, 100, enemyGuns)});
        b.settings.teppouKouka[2] = 100; // the blocking chance reaches 1 at point-blank range
        placeLines(b, 0, {}, {}, 0);
        placeLines(b, 1, {}, {}, 0);
        deployFieldBattle(b);
        b.sides[1].position = 4;
        Random rng(5);
        executeFieldTurn(b, kOrderGunfire, kOrderAdvance, rng);
        return b;
    };
    FieldBattle b = duel(0);
    EXPECT_TRUE(b.events.blocked[1]);
    EXPECT_EQ(b.events.executedOrders[1], kOrderHold);
    EXPECT_EQ(b.sides[1].position, 4);
    // The enemy fires back although it ordered an advance: no blocking draw, the advance goes on.
    b = duel(50);
    EXPECT_FALSE(b.events.blocked[1]);
    EXPECT_EQ(b.sides[1].position, 3);
    EXPECT_LT(b.sides[0].generals[0].foot, 1000);
    for (const FieldSide& s : b.sides)
        EXPECT_LE(s.generals[0].guns, s.generals[0].foot);
}

TEST(FieldMovement, AdvancingArmiesMeetAtDistanceOneAndOneStepsFromTwo) {
    FieldBattle b = fieldBattle({fieldGeneral("甲", 10, 100, 0)}, {fieldGeneral("乙", 10, 100, 0)});
    Random rng(3);
    setUpFieldBattle(b, rng);
    EXPECT_EQ(b.sides[0].position, 2);
    EXPECT_EQ(b.sides[1].position, 7);
    for (int turn = 0; turn < 2; ++turn) {
        previewFieldTurn(b, rng);
        const int o0 = computerFieldOrder(b, 0, rng), o1 = computerFieldOrder(b, 1, rng);
        EXPECT_EQ(o0, kOrderAdvance);
        EXPECT_EQ(o1, kOrderAdvance);
        executeFieldTurn(b, o0, o1, rng);
    }
    EXPECT_EQ(b.sides[0].position, 4);
    EXPECT_EQ(b.sides[1].position, 5);
    EXPECT_EQ(fieldDistance(b), 1);
    previewFieldTurn(b, rng);
    EXPECT_EQ(computerFieldOrder(b, 0, rng), kOrderAttack);
    EXPECT_TRUE(fieldOrderUsable(b, 0, kOrderAttack));
    EXPECT_FALSE(fieldOrderUsable(b, 0, kOrderAdvance));

    // Both advancing at distance 2: side 0 steps while below 4, else side 1.
    b.sides[0].position = 3;
    b.sides[1].position = 5;
    executeFieldTurn(b, kOrderAdvance, kOrderAdvance, rng);
    EXPECT_EQ(b.events.executedOrders, (std::array<int, 2>{kOrderAdvance, kOrderHold}));
    EXPECT_EQ(b.sides[0].position, 4);
    b.sides[1].position = 6;
    executeFieldTurn(b, kOrderAdvance, kOrderAdvance, rng);
    EXPECT_EQ(b.sides[1].position, 5);
    EXPECT_EQ(b.sides[0].position, 4);
}

TEST(FieldEnd, RetreatsDecideAtOnceAndTwentyUndecidedTurnsAreADraw) {
    auto battle = [] {
        FieldBattle b = fieldBattle({fieldGeneral("甲", 10, 100, 0)}, {fieldGeneral("乙", 10, 100, 0)});
        Random rng(1);
        setUpFieldBattle(b, rng);
        return b;
    };
    Random rng(8);
    FieldBattle b = battle();
    EXPECT_EQ(executeFieldTurn(b, kOrderRetreat, kOrderHold, rng), kFieldSide1Won);
    b = battle();
    EXPECT_EQ(executeFieldTurn(b, kOrderAttack, kOrderRetreat, rng), kFieldSide0Won);
    b = battle();
    EXPECT_EQ(executeFieldTurn(b, kOrderRetreat, kOrderRetreat, rng), kFieldDraw);

    b = battle();
    for (int t = 1; t < kFieldTurnLimit; ++t)
        ASSERT_EQ(executeFieldTurn(b, kOrderHold, kOrderHold, rng), kFieldUndecided);
    EXPECT_EQ(executeFieldTurn(b, kOrderHold, kOrderHold, rng), kFieldDraw);
    EXPECT_EQ(b.turn, kFieldTurnLimit);
    const Random before = rng;
    finishFieldBattle(b, rng);
    EXPECT_EQ(drawsBetween(before, rng), 0); // a draw: no death draws, no pursuit
    EXPECT_EQ(b.sides[1].generals[0].foot, 100);
}

// A weak side with a wise general surprises a strong side whose commander is weak.
FieldBattle surpriseBattle() {
    FieldGeneral resting = fieldGeneral("休", 10, 50, 0, 50, 95);
    resting.fieldStratagemPoints = 150;
    resting.surpriseRest = 1;
    FieldGeneral poor = fieldGeneral("貧", 10, 50, 0, 50, 95);
    poor.fieldStratagemPoints = 99;
    FieldGeneral close = fieldGeneral("近", 10, 50, 0, 50, 82); // 82 - 80 is not more than 2
    close.fieldStratagemPoints = 200;
    FieldGeneral sage = fieldGeneral("智", 300, 50, 0, 90, 83);
    sage.fieldStratagemPoints = 120;
    sage.headOfIndependentHouse = true;
    FieldGeneral lord = fieldGeneral("殿", 0, 5, 0, 10, 80);
    lord.headOfIndependentHouse = true;
    FieldBattle b = fieldBattle({resting, poor, close, sage},
                                {fieldGeneral("大", 0, 800, 3), fieldGeneral("中", 0, 600, 2), lord});
    b.settings.kishuu = true;
    b.settings.uchijiniKakuritsu = 0;
    return b;
}

TEST(FieldSurprise, TheSurprisedSideFightsWithItsMainLineAndCannotExchangeOrRetreat) {
    FieldBattle b = surpriseBattle();
    Random rng(2024);
    Random expected = rng;
    beginFieldBattle(b, rng);
    const int rest = 2 + static_cast<int>(3 * expected.unit());
    const int confusion = 3 + expected.below(3);
    EXPECT_EQ(rng.state(), expected.state());
    EXPECT_EQ(b.surprise, 1);
    EXPECT_EQ(b.surpriser, 3);
    EXPECT_EQ(b.sides[0].generals[3].fieldStratagemPoints, 20);
    EXPECT_EQ(b.sides[0].generals[3].surpriseRest, rest);
    EXPECT_EQ(b.confusion, confusion);
    EXPECT_EQ(b.sides[0].generals[2].fieldStratagemPoints, 200);
    formFieldSideAutomatically(b, 0, rng);
    formFieldSideAutomatically(b, 1, rng);
    deployFieldBattle(b);
    EXPECT_EQ(b.sides[0].position, 4);
    EXPECT_EQ(b.sides[1].position, 5);
    ASSERT_EQ(b.sides[1].lines[kFieldMainLine].units[0].ref, 2);
    EXPECT_FALSE(mayExchangeLines(b, 1));

    // During the confusion the surprised side may not retreat: not by order, not by the computer.
    EXPECT_TRUE(retreatRefused(b, 1));
    previewFieldTurn(b, rng);
    EXPECT_EQ(computerFieldOrder(b, 1, rng), kOrderAttack);
    EXPECT_EQ(executeFieldTurn(b, kOrderHold, kOrderRetreat, rng), kFieldUndecided);
    EXPECT_EQ(b.events.executedOrders[1], kOrderHold);

    // The melee strikes the surprised side's 本陣, never its intact front lines; with its
    // commander broken the surprising side has won although the 先陣 stands.
    int result = kFieldUndecided;
    while (result == kFieldUndecided)
        result = executeFieldTurn(b, kOrderAttack, kOrderAttack, rng);
    EXPECT_EQ(result, kFieldSide0Won);
    for (const FieldUnit& u : b.sides[1].lines[kFieldVanguard]) {
        EXPECT_EQ(u.morale, 100);
        EXPECT_EQ(unitFoot(b.sides[1], u.ref), 800);
    }
    EXPECT_TRUE(unitBroken(b.sides[1].lines[kFieldMainLine].units[0]));
    const int lordFoot = b.sides[1].generals[2].foot;
    finishFieldBattle(b, rng);
    EXPECT_EQ(b.sides[1].generals[0].foot, 760);                              // unbroken: x0.95
    EXPECT_EQ(b.sides[1].generals[2].foot, static_cast<int>(lordFoot * 0.8)); // broken: x0.8
    EXPECT_TRUE(b.dead.empty());                                              // UchijiniKakuritsu 0
}

TEST(FieldSurprise, AfterTheConfusionAWeakMainLineRetreats) {
    FieldBattle b = surpriseBattle();
    Random rng(2024);
    setUpFieldBattle(b, rng);
    b.turn = b.confusion + 1;
    previewFieldTurn(b, rng);
    const Random before = rng;
    EXPECT_EQ(computerFieldOrder(b, 1, rng), kOrderRetreat); // only its 本陣 counts
    EXPECT_EQ(drawsBetween(before, rng), 1);
    // The surprising side never considers retreating.
    const Random again = rng;
    EXPECT_EQ(computerFieldOrder(b, 0, rng), kOrderAttack);
    EXPECT_EQ(drawsBetween(again, rng), 0);
}

TEST(FieldFormation, CommanderRuleWithItsFallbacks) {
    auto form = [](FieldBattle b) {
        Random rng(0);
        formFieldSideAutomatically(b, 0, rng);
        deployFieldBattle(b);
        return b;
    };
    // Guns sort most first: 30 20 10 5 0. The head of an independent house leads.
    FieldGeneral head = fieldGeneral("頭", 0, 10, 10);
    head.headOfIndependentHouse = true;
    FieldBattle b = form(fieldBattle({fieldGeneral("a", 0, 10, 20), head, fieldGeneral("c", 0, 10, 30),
                                      fieldGeneral("d", 0, 10, 0), fieldGeneral("e", 0, 10, 5)},
                                     {}));
    const FieldSide& s = b.sides[0];
    EXPECT_EQ(s.lines[kFieldMainLine].units[0].ref, 1);
    ASSERT_EQ(s.lines[kFieldVanguard].count, 2); // 4 left: half to the 先陣
    EXPECT_EQ(s.lines[kFieldVanguard].units[0].ref, 2);
    EXPECT_EQ(s.lines[kFieldVanguard].units[1].ref, 0);
    EXPECT_EQ(s.lines[kFieldSecondLine].count, 2);
    EXPECT_EQ(s.commandBonus, 50);

    // No head: the wisest of the own house in the fewest-guns group, ties to the one nearer the end.
    FieldGeneral vassal = fieldGeneral("v", 0, 10, 0, 50, 99);
    vassal.ofCommandingHouse = false;
    b = form(fieldBattle({fieldGeneral("x", 0, 10, 0, 50, 70), vassal, fieldGeneral("y", 0, 10, 0, 50, 70),
                          fieldGeneral("z", 0, 10, 9, 50, 90)},
                         {}));
    // The guns-0 run was shuffled by the seed: the one of x and y placed nearer the end leads.
    Random replay(0);
    RankedList sorted(4);
    for (int i = 0; i < 4; ++i)
        sorted.add(i, b.sides[0].generals[i].guns);
    sorted.sortDescending();
    sorted.shuffleTies(replay);
    int later = -1;
    for (int pos = 0; pos < 4; ++pos)
        if (sorted.item(pos) == 0 || sorted.item(pos) == 2) later = sorted.item(pos);
    EXPECT_EQ(b.sides[0].lines[kFieldMainLine].units[0].ref, later);
    EXPECT_EQ(b.sides[0].commandBonus, 70);

    // The group has no such general: go towards the front; a guest qualifies.
    FieldGeneral guest = fieldGeneral("g", 0, 10, 5, 50, 10);
    guest.ofCommandingHouse = false;
    guest.guest = true;
    FieldGeneral other = vassal;
    other.guns = 0;
    b = form(fieldBattle({fieldGeneral("f", 0, 10, 8), guest, other}, {}));
    EXPECT_EQ(b.sides[0].lines[kFieldMainLine].units[0].ref, 1);
    EXPECT_EQ(b.sides[0].commandBonus, 10);

    // Nobody qualifies: the weakest (3c + f) of the fewest-guns group, and no command bonus.
    FieldGeneral w1 = vassal, w2 = vassal, w3 = vassal;
    w1.cavalry = 5; // 15
    w2.foot = 14;   // 14
    w3.guns = 1;    // not in the group
    w3.foot = 1;
    b = form(fieldBattle({w1, w2, w3}, {}));
    EXPECT_EQ(b.sides[0].lines[kFieldMainLine].units[0].ref, 1);
    EXPECT_EQ(b.sides[0].commandBonus, 0);

    // A castle side appends its garrison unit; a side of the garrison alone puts it in the 本陣,
    // and a garrison commander gives no bonus.
    b = fieldBattle({head, fieldGeneral("a", 0, 10, 1)}, {});
    b.sides[0].hasGarrison = true;
    b.sides[0].castleName = "岐阜城";
    b = form(b);
    EXPECT_EQ(b.sides[0].lines[kFieldVanguard].units[0].ref, 1);
    EXPECT_EQ(b.sides[0].lines[kFieldSecondLine].units[0].ref, kGarrisonUnit);
    EXPECT_EQ(unitName(b.sides[0], kGarrisonUnit), "岐阜城守備兵");
    b = fieldBattle({}, {});
    b.sides[0].hasGarrison = true;
    b.sides[0].garrisonSoldiers = 40;
    b = form(b);
    EXPECT_EQ(b.sides[0].lines[kFieldMainLine].units[0].ref, kGarrisonUnit);
    EXPECT_EQ(b.sides[0].commandBonus, 0);
    EXPECT_EQ(unitValor(b.sides[0], kGarrisonUnit), 3);
}

TEST(FieldOrders, CastleSideRainExchangeAndAFrontLineWithoutMen) {
    // The castle side fires when it can, holds against an enemy without guns.
    FieldBattle b = fieldBattle({fieldGeneral("攻", 0, 100, 50)}, {fieldGeneral("守", 0, 100, 50)});
    b.castleSide = 1;
    Random rng(11);
    setUpFieldBattle(b, rng);
    previewFieldTurn(b, rng);
    EXPECT_EQ(computerFieldOrder(b, 1, rng), kOrderGunfire);
    b.rain = true;
    EXPECT_EQ(computerFieldOrder(b, 1, rng), kOrderHold);
    EXPECT_NE(computerFieldOrder(b, 0, rng), kOrderGunfire);
    EXPECT_FALSE(fieldOrderUsable(b, 0, kOrderGunfire));
    EXPECT_EQ(fieldWeatherLine(b), "天候 : 雨（鉄砲使用不可）");

    // Exchange when the 先陣 would fall to 5 or below and the 第二陣 stands above 29.
    b = fieldBattle(
        {fieldGeneral("前", 0, 100, 0), fieldGeneral("後", 0, 100, 0), fieldGeneral("将", 0, 100, 0)},
        {fieldGeneral("敵", 0, 100, 0)});
    placeLines(b, 0, {0}, {1}, 2);
    placeLines(b, 1, {}, {}, 0);
    deployFieldBattle(b);
    b.sides[0].lines[kFieldVanguard].units[0].morale = 40;
    b.sides[0].lines[kFieldVanguard].units[0].previewMorale = 22; // 2 * 22 - 40 = 4
    EXPECT_EQ(computerFieldOrder(b, 0, rng), kOrderExchange);
    b.sides[0].lines[kFieldSecondLine].units[0].morale = 29;
    EXPECT_NE(computerFieldOrder(b, 0, rng), kOrderExchange);
    b.sides[0].lines[kFieldSecondLine].units[0].morale = 100;
    executeFieldTurn(b, kOrderExchange, kOrderHold, rng);
    EXPECT_EQ(b.sides[0].lines[kFieldVanguard].units[0].ref, 1);
    EXPECT_EQ(b.sides[0].lines[kFieldSecondLine].units[0].morale, 40); // neither line recovered

    // A front line whose unbroken gunner has no men while the side has men behind it: its share
    // is 0, it counts as lasting 100 turns, and the enemy that would break first is shot at.
    FieldGeneral empty = fieldGeneral("空", 0, 0, 150);
    b = fieldBattle({empty, fieldGeneral("本", 0, 500, 0)},
                    {fieldGeneral("敵砲", 0, 500, 10), fieldGeneral("敵将", 0, 10, 0)});
    placeLines(b, 0, {0}, {}, 1);
    placeLines(b, 1, {0}, {}, 1);
    deployFieldBattle(b);
    b.sides[1].position = 4;
    previewFieldTurn(b, rng);
    EXPECT_EQ(b.sides[0].lines[kFieldVanguard].units[0].previewMorale, 0);
    EXPECT_GT(b.sides[1].lines[kFieldVanguard].units[0].previewMorale, 3);
    EXPECT_EQ(computerFieldOrder(b, 0, rng), kOrderGunfire);
}

TEST(FieldDraws, EachStepDrawsExactlyAsWritten) {
    // Set-up: a run of three equal guns draws three times, no surprise, then the confusion.
    FieldGeneral head = fieldGeneral("頭", 0, 100, 0);
    head.headOfIndependentHouse = true;
    FieldBattle b = fieldBattle(
        {fieldGeneral("a", 0, 100, 10), fieldGeneral("b", 0, 100, 10), fieldGeneral("c", 0, 100, 10), head},
        {fieldGeneral("x", 0, 100, 20), fieldGeneral("y", 0, 100, 10)});
    b.settings.kishuu = true;
    Random rng(777);
    Random copy = rng;
    setUpFieldBattle(b, rng);
    EXPECT_EQ(drawsBetween(copy, rng), 4);
    copy.next(); // the confusion comes before the formations
    RankedList order(4);
    for (int i = 0; i < 4; ++i)
        order.add(i, b.sides[0].generals[i].guns);
    order.sortDescending();
    order.shuffleTies(copy);
    EXPECT_EQ(b.sides[0].lines[kFieldVanguard].units[0].ref, order.item(0));
    EXPECT_EQ(b.sides[0].lines[kFieldVanguard].units[1].ref, order.item(1));
    EXPECT_EQ(b.sides[0].lines[kFieldSecondLine].units[0].ref, order.item(2));

    // Gunfire of side 0 at a front line of three (one broken) without guns: blocking, casualty,
    // three shuffle draws, three per unbroken general; then the recovering units draw once each.
    b = fieldBattle(
        {fieldGeneral("砲", 0, 100, 20), fieldGeneral("二", 0, 100, 0), fieldGeneral("将", 0, 100, 0)},
        {fieldGeneral("p", 0, 100, 0), fieldGeneral("q", 0, 100, 0), fieldGeneral("r", 0, 100, 0),
         fieldGeneral("s", 0, 100, 0)});
    placeLines(b, 0, {0}, {1}, 2);
    placeLines(b, 1, {0, 1, 2}, {}, 3);
    deployFieldBattle(b);
    b.sides[1].lines[kFieldVanguard].units[2].morale = 0;
    Random before = rng;
    previewFieldTurn(b, rng);
    EXPECT_EQ(drawsBetween(before, rng), 1 + 1 + 3 + 2 * 3); // the preview draws as the real volley
    before = rng;
    executeFieldTurn(b, kOrderGunfire, kOrderHold, rng);
    EXPECT_EQ(drawsBetween(before, rng), 1 + 1 + 3 + 2 * 3 + 2 + 1);

    // Melee, side 1 all cavalry: five draws per unbroken general, the breakthrough draw (certain)
    // and one per unit of the line broken through; recovery only behind it.
    b = fieldBattle(
        {fieldGeneral("前", 0, 100, 0), fieldGeneral("二", 0, 100, 0), fieldGeneral("将", 0, 100, 0)},
        {fieldGeneral("騎", 100, 0, 0), fieldGeneral("将", 0, 100, 0)});
    placeLines(b, 0, {0}, {1}, 2);
    placeLines(b, 1, {0}, {}, 1);
    deployFieldBattle(b);
    b.sides[1].position = b.sides[0].position + 1;
    before = rng;
    executeFieldTurn(b, kOrderAttack, kOrderAttack, rng);
    EXPECT_EQ(b.events.breakthroughFrom[1], kFieldVanguard);
    EXPECT_EQ(b.events.breakthroughInto[1], kFieldSecondLine);
    EXPECT_LT(b.sides[0].lines[kFieldSecondLine].units[0].morale, 100);
    EXPECT_EQ(drawsBetween(before, rng), 5 + 5 + 1 + 1 + 1 + 1);
}

} // namespace
} // namespace vh
