// The siege engine on plain values: falling, starving, storming, stratagems, the push-back, the
// estimate and the exact order of the random draws.
#include "battle/siege.h"
#include "game/info_figures.h"
#include "world/numeric.h"
#include "world/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vh {
namespace {

SiegeGeneral general(const char* name, int cavalry, int foot, int guns = 0, int intellect = 0, int points = 0,
                     int rest = 0) {
    SiegeGeneral g;
    g.name = name;
    g.troops = {cavalry, foot, guns};
    g.intellect = intellect;
    g.points = points;
    g.rest = rest;
    return g;
}

Siege castle(int size, int progress, int food, int garrison) {
    Siege s;
    s.castleName = "試験城";
    s.size = size;
    s.progress = progress;
    s.food = food;
    s.garrison = garrison;
    s.wantMessages = true;
    return s;
}

int round(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

TEST(SiegeEngine, SizeThreeCastleFallsAtThreeHundredOutermostPartFirst) {
    EXPECT_EQ(castlePartText(0, 3, 2), "0%");
    EXPECT_EQ(castlePartText(150, 3, 2), "陥落");
    EXPECT_EQ(castlePartText(150, 3, 1), "50%");
    EXPECT_EQ(castlePartText(150, 3, 0), "0%");
    EXPECT_EQ(castlePartText(299, 3, 0), "99%");
    EXPECT_EQ(castlePartText(300, 3, 0), "陥落");
    EXPECT_STREQ(castlePartName(0), "本丸");
    EXPECT_STREQ(castlePartName(2), "三の丸");

    // An overwhelming army storms from 299: any gain takes the castle, and the turn ends there
    // (no food is eaten).
    Siege s = castle(3, 299, 500, 1);
    s.besiegers = {general("甲", 0, 5000)};
    Random rng(7);
    EXPECT_EQ(siegeTurn(s, SiegeOrder::Storm, rng), kSiegeFallen);
    EXPECT_GE(s.progress, 300);
    EXPECT_EQ(s.food, 500);
    EXPECT_TRUE(s.over());
    // Nothing more happens in a month that is over.
    const Random before = rng;
    EXPECT_EQ(siegeTurn(s, SiegeOrder::Storm, rng), kSiegeFallen);
    EXPECT_EQ(rng.state(), before.state());

    // One point short: the castle still holds at 299.
    Siege t = castle(3, 298, 500, 100);
    t.besiegers = {general("甲", 0, 100)};
    Random r2(3);
    EXPECT_EQ(siegeTurn(t, SiegeOrder::Storm, r2), kSiegeHolds);
    EXPECT_EQ(t.progress, 299);
}

TEST(SiegeEngine, StormingWithEqualMenGainsOneAndTheBesiegersPayTwice) {
    for (uint32_t seed : {1u, 2u, 99u}) {
        Siege s = castle(5, 40, 10000, 50);
        s.defenders = {general("守", 10, 40)};
        s.besiegers = {general("攻", 20, 80, 100)};
        Random rng(seed);
        assault(s, rng);
        EXPECT_EQ(s.progress, 41);
        const int lost = (50 + 50) - defendersMen(s);
        EXPECT_GE(lost, 0);
        // k = (100 - 2L) / 100: the besiegers lose about twice the defenders' losses.
        EXPECT_LE(besiegersMen(s), 100 - lost);
        EXPECT_LE(s.besiegers[0].troops.guns, s.besiegers[0].troops.foot);
    }
    // Neither side with men: the ratio is 1 and the gain the minimum.
    Siege empty = castle(2, 0, 100, 0);
    empty.besiegers = {general("攻", 0, 0)};
    Random rng(5);
    assault(empty, rng);
    EXPECT_EQ(empty.progress, 1);
}

TEST(SiegeEngine, StratagemNeedsEightyPointsAndThenRests) {
    const auto besieged = [](int points) {
        Siege s = castle(3, 0, 5000, 10);
        s.defenders = {general("守", 0, 50, 0, 5)};
        s.besiegers = {general("策士", 0, 100, 0, 8, points)};
        s.besiegingHouse = "上杉家";
        s.ownerHouse = "北条家";
        return s;
    };
    Siege poor = besieged(79);
    Random r1(11);
    siegeTurn(poor, SiegeOrder::Wait, r1);
    EXPECT_EQ(poor.stratagem.side, StratagemSide::None);
    EXPECT_EQ(poor.besiegers[0].points, 79);
    EXPECT_TRUE(poor.messages.empty());

    Siege rich = besieged(80);
    Random r2(11);
    siegeTurn(rich, SiegeOrder::Wait, r2);
    ASSERT_EQ(rich.stratagem.side, StratagemSide::Besiegers);
    EXPECT_EQ(rich.stratagem.kind, StratagemKind::Granary);
    EXPECT_EQ(rich.stratagem.plotterName, "策士");
    EXPECT_EQ(rich.besiegers[0].points, 0);
    EXPECT_GE(rich.besiegers[0].rest, 1);
    EXPECT_LE(rich.besiegers[0].rest, 4);
    ASSERT_EQ(rich.messages.size(), 1u);
    EXPECT_EQ(
        rich.messages[0],
        "【攻城軍の兵糧倉焼き討ち】\n上杉家 の 策士 の手勢が城内に潜入し、兵糧倉の焼き討ちに成功しました");
    // Resting, he plots no more; with 160 points he still waits out his rest.
    rich.besiegers[0].points = 160;
    siegeTurn(rich, SiegeOrder::Wait, r2);
    EXPECT_EQ(rich.stratagem.side, StratagemSide::None);

    // A plotter must be cleverer than every general on the other side.
    Siege matched = besieged(80);
    matched.defenders[0].intellect = 8;
    Random r3(11);
    siegeTurn(matched, SiegeOrder::Wait, r3);
    EXPECT_EQ(matched.stratagem.side, StratagemSide::None);

    // Stratagems off: nobody plots.
    Siege off = besieged(200);
    off.settings.keiryaku = false;
    off.defenders[0].points = 200;
    off.defenders[0].intellect = 10;
    Random r4(11);
    for (int t = 0; t < kSiegeTurns; ++t)
        siegeTurn(off, t % 2 ? SiegeOrder::Storm : SiegeOrder::Wait, r4);
    EXPECT_EQ(off.stratagem.side, StratagemSide::None);
    EXPECT_EQ(off.besiegers[0].points, 200);
    EXPECT_EQ(off.defenders[0].points, 200);
    EXPECT_TRUE(off.messages.empty());
}

TEST(SiegeEngine, GarrisonDecoyOnlyWhenNoBesiegerPlotted) {
    Siege s = castle(3, 0, 5000, 10);
    s.defenders = {general("軍師", 0, 50, 0, 9, 80)};
    s.besiegers = {general("甲", 0, 100, 0, 4), general("乙", 20, 100, 0, 2)};
    s.ownerHouse = "北条家";
    s.firstBesiegerHouse = "里見家";
    Random rng(4);
    siegeTurn(s, SiegeOrder::Wait, rng);
    ASSERT_EQ(s.stratagem.side, StratagemSide::Garrison);
    EXPECT_EQ(s.stratagem.kind, StratagemKind::Decoy);
    EXPECT_EQ(s.defenders[0].points, 0);
    EXPECT_LE(besiegersMen(s), 220);
    EXPECT_EQ(s.messages.back(), "【篭城軍の囮部隊による計略】\n北条家 の 軍師 の囮部隊の誘いにより、里見家 "
                                 "の兵の一部が突出して損害を受けました");
}

TEST(SiegeEngine, DrawsComeInTheWrittenOrder) {
    // A storm turn with a rumour: gain; each defender's foot then cavalry; the soldiers; each
    // besieger's foot then cavalry; the besiegers' order (two of them: two draws); the plotter's
    // rest; the rumour on each defender's foot then cavalry, then on the soldiers.
    Siege s = castle(4, 10, 9000, 30);
    s.defenders = {general("守一", 10, 40, 30, 3), general("守二", 5, 20, 0, 6)};
    s.besiegers = {general("攻一", 20, 60, 10, 2), general("攻二", 15, 80, 0, 9, 90)};
    const uint32_t seed = 12345;
    Random rng(seed);
    siegeTurn(s, SiegeOrder::Storm, rng);

    Random x(seed);
    const double a = 175.0 / 105.0;
    int progress =
        10 + static_cast<int>(std::clamp(2.0 * (a - 1.0) * (1.0 + (x.unit() - 0.5) / 2.0), 1.0, 10000.0));
    int d[2][2] = {{10, 40}, {5, 20}}; // cavalry, foot
    int lost = 0;
    for (auto& g : d) {
        const int foot = round((0.92 + 0.08 * x.unit()) * g[1]);
        const int cav = round((0.92 + 0.08 * x.unit()) * g[0]);
        lost += g[0] - cav + g[1] - foot;
        g[0] = cav;
        g[1] = foot;
    }
    int soldiers = round((0.92 + 0.08 * x.unit()) * 30);
    lost += 30 - soldiers;
    const double k = std::max(0.0, (175 - 2.0 * lost) / 175);
    int b[2][2] = {{20, 60}, {15, 80}};
    for (auto& g : b) {
        g[1] = round(g[1] * std::min(1.0, (0.98 + 0.04 * x.unit()) * k));
        g[0] = round(g[0] * std::min(1.0, (0.98 + 0.04 * x.unit()) * k));
    }
    const int eaten =
        static_cast<int>(std::ceil((d[0][0] + d[0][1] + d[1][0] + d[1][1] + soldiers) * 10 / 5.0));
    // The order shuffle of two: position 0 swaps with 0 + floor(r/32768*2), then position 1 with itself.
    const int first = Random::scaleBelow(x.next(), 2);
    x.next();
    EXPECT_EQ(s.stratagem.plotterName, "攻二"); // the only one able, whatever the order
    (void)first;
    const int rest = 1 + static_cast<int>(3 * x.unit());
    const int intel[2] = {3, 6};
    for (int i = 0; i < 2; ++i) {
        d[i][1] =
            static_cast<int>(d[i][1] * std::min(1.0, 0.9 + 0.05 * x.unit() + 0.01 * intel[i] - 0.005 * 9));
        d[i][0] =
            static_cast<int>(d[i][0] * std::min(1.0, 0.9 + 0.05 * x.unit() + 0.01 * intel[i] - 0.005 * 9));
    }
    soldiers = static_cast<int>(soldiers * std::min(1.0, 0.9 + 0.05 * x.unit() + 0.03 - 0.005 * 9));

    EXPECT_EQ(s.progress, progress);
    EXPECT_EQ(s.food, 9000 - eaten);
    EXPECT_EQ(s.garrison, soldiers);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(s.defenders[i].troops.cavalry, d[i][0]) << i;
        EXPECT_EQ(s.defenders[i].troops.foot, d[i][1]) << i;
        EXPECT_EQ(s.besiegers[i].troops.cavalry, b[i][0]) << i;
        EXPECT_EQ(s.besiegers[i].troops.foot, b[i][1]) << i;
    }
    EXPECT_EQ(s.defenders[0].troops.guns, std::min(30, d[0][1]));
    EXPECT_EQ(s.stratagem.kind, StratagemKind::Rumour);
    EXPECT_EQ(s.besiegers[1].rest, rest);
    EXPECT_EQ(s.besiegers[1].points, 10);
    EXPECT_EQ(rng.state(), x.state()); // no draw more, no draw less
}

TEST(SiegeEngine, FoodSurrenderStillLetsThePlottersAct) {
    Siege s = castle(2, 0, 100, 10);
    s.defenders = {general("守", 0, 50, 0, 2)};
    s.besiegers = {general("策士", 0, 200, 0, 7, 80)};
    Random rng(8);
    // Food 100 against ceil(60 × 10 ÷ 5) = 120 eaten.
    EXPECT_EQ(siegeTurn(s, SiegeOrder::Wait, rng), kSiegeSurrendered);
    EXPECT_EQ(s.food, 0);
    EXPECT_EQ(s.stratagem.side, StratagemSide::Besiegers);
    EXPECT_EQ(s.result, kSiegeSurrendered);

    // A granary raid that burns the last food surrenders the castle too.
    Siege raid = castle(2, 0, 200, 0);
    raid.defenders = {general("守", 0, 10)};
    raid.besiegers = {general("策士", 0, 200, 0, 10, 80)};
    Random r2(8);
    EXPECT_EQ(siegeTurn(raid, SiegeOrder::Wait, r2), kSiegeSurrendered);
    EXPECT_EQ(raid.food, 0);
}

TEST(SiegeEngine, PushBackNeedsGunsProgressAndBesiegers) {
    Siege s = castle(3, 50, 9000, 10);
    s.defenders = {general("守", 0, 50, 0)};
    s.besiegers = {general("攻", 0, 100)};
    Random rng(2);
    const uint32_t before = rng.state();
    EXPECT_EQ(gunsPushBack(s, rng), 0);
    EXPECT_EQ(s.progress, 50);
    EXPECT_EQ(rng.state(), before);
    EXPECT_TRUE(s.messages.empty());

    s.defenders[0].troops.guns = 50; // x = 1 × 0.5 × 50 × (0.8 + 0.4r) = 20..30
    const int d = gunsPushBack(s, rng);
    EXPECT_GE(d, 20);
    EXPECT_LE(d, 30);
    EXPECT_EQ(s.progress, 50 - d);
    EXPECT_EQ(s.messages.back(), "守備軍の鉄砲による反撃で、攻城軍が押し戻されました");

    // Besiegers without men are pushed back all the way, with no draw; the floor is 0.
    s.besiegers[0].troops = {};
    const uint32_t quiet = rng.state();
    EXPECT_EQ(gunsPushBack(s, rng), 10000);
    EXPECT_EQ(s.progress, 0);
    EXPECT_EQ(rng.state(), quiet);
}

TEST(SiegeEngine, EstimateCountsRunsBelowTheTargetAndExtrapolates) {
    Random rng(1);
    // No besieging men: every run gains 1; 50 runs from 0 reach 50 of 100, n = 100, A = 20.
    const SiegeTroops none[] = {{0, 0, 0}};
    const SiegeTroops some[] = {{0, 10, 0}};
    EXPECT_EQ(assaultMonths(none, some, 0, 0, 1, rng), 20);
    // The first run takes the castle: n = 0, A = 1.
    const SiegeTroops host[] = {{0, 30000, 0}};
    EXPECT_EQ(assaultMonths(host, some, 0, 99, 1, rng), 1);
    // A castle at its target needs no run at all.
    const uint32_t before = rng.state();
    EXPECT_EQ(assaultMonths(host, some, 0, 100, 1, rng), 1);
    EXPECT_EQ(rng.state(), before);

    // Food months.
    Siege s = castle(1, 0, 1000, 0);
    EXPECT_EQ(foodMonths(s, 10), 1000); // no besiegers
    s.besiegers = {general("攻", 0, 1)};
    EXPECT_EQ(foodMonths(s, 10), 10);
    EXPECT_EQ(foodMonths(s, 30), 4);
    EXPECT_EQ(foodMonths(s, 0), 10000);
    s.food = 0;
    EXPECT_EQ(foodMonths(s, 0), 1);
}

// The estimate as the rule reads, run after run with the general rounding: the engine's shortcuts
// (cheaper rounding, runs without attackers counted instead of played) must give the same months
// and leave the generator in the same state.
int plainAssaultMonths(std::vector<SiegeTroops> b, std::vector<SiegeTroops> d, int garrison, int progress,
                       int size, Random& rng) {
    const auto men = [](const std::vector<SiegeTroops>& t) {
        int n = 0;
        for (const SiegeTroops& x : t) n += x.men();
        return n;
    };
    const int start = progress, target = 100 * size;
    int below = 0;
    for (int run = 0; run < 50 && progress < target; ++run) {
        const int attackers = men(b), holders = garrison + men(d);
        const double ratio = attackers == 0 && holders == 0 ? 1.0
                             : holders == 0                 ? 10000.0
                                                            : static_cast<double>(attackers) / holders;
        progress += static_cast<int>(std::clamp(2.0 * (ratio - 1.0) * (1.0 + (rng.unit() - 0.5) / 2.0), 1.0, 10000.0));
        int lost = 0;
        for (SiegeTroops& t : d) {
            const int foot = roundHalfAway((0.92 + 0.08 * rng.unit()) * t.foot);
            const int cavalry = roundHalfAway((0.92 + 0.08 * rng.unit()) * t.cavalry);
            lost += t.foot - foot + t.cavalry - cavalry;
            t = {cavalry, foot, std::min(t.guns, foot)};
        }
        const int soldiers = roundHalfAway((0.92 + 0.08 * rng.unit()) * garrison);
        lost += garrison - soldiers;
        garrison = soldiers;
        if (lost == 0) lost = 1;
        const double k = attackers == 0 ? 0.0 : std::max(0.0, (attackers - 2.0 * lost) / attackers);
        for (SiegeTroops& t : b) {
            t.foot = roundHalfAway(t.foot * std::min(1.0, (0.98 + 0.04 * rng.unit()) * k));
            t.cavalry = roundHalfAway(t.cavalry * std::min(1.0, (0.98 + 0.04 * rng.unit()) * k));
            t.guns = std::min(t.guns, t.foot);
        }
        if (progress < target) ++below;
    }
    const int n = progress >= target ? below : roundHalfAway(50.0 * (target - start) / (progress - start));
    return std::max(1, ceilAway(n / 5.0));
}

// Both ways of storming (four generals at a time where the processor allows, one by one) against
// the plain reading.
TEST(SiegeEngine, EstimateEqualsTheRunByRunReadingOnRandomSieges) {
    for (const bool wide : {true, false}) {
        if (useWideStorming(wide) != wide) {
            ASSERT_TRUE(wide);
            std::printf("this processor storms one general at a time only\n");
            continue;
        }
        Random gen(7);
        int withoutAttackers = 0;
        for (int i = 0; i < 4000; ++i) {
            const auto troops = [&](int count, int scale) {
                std::vector<SiegeTroops> t(count);
                for (SiegeTroops& x : t) // a quarter of the generals come with nobody
                    if (gen.below(4) != 0) x = {gen.below(scale), gen.below(scale * 3), gen.below(scale)};
                return t;
            };
            const int scale = 1 + gen.below(3) * gen.below(3000);
            std::vector<SiegeTroops> b = troops(gen.below(21), gen.below(2) ? scale : 1 + scale / 20);
            std::vector<SiegeTroops> d = troops(gen.below(21), scale);
            const int garrison = gen.below(2) * gen.below(20000), size = 1 + gen.below(10);
            // A count below zero (no valid world has one) takes the storming's one-count-at-a-time way.
            if (i % 5 == 4 && !d.empty()) d.back().cavalry = -1 - d.back().cavalry;
            if (i % 10 == 9 && !b.empty()) b.front().foot = -1 - b.front().foot;
            const int progress = gen.below(4) == 0 ? gen.below(100 * size + 50) : 0;
            withoutAttackers += std::all_of(b.begin(), b.end(), [](const SiegeTroops& t) { return t.men() == 0; });
            Random fast(static_cast<uint32_t>(i * 7919u)), plain = fast;
            ASSERT_EQ(assaultMonths(b, d, garrison, progress, size, fast),
                      plainAssaultMonths(b, d, garrison, progress, size, plain)) << "case " << i << " wide " << wide;
            ASSERT_EQ(fast.state(), plain.state()) << "case " << i << " wide " << wide;
        }
        EXPECT_GT(withoutAttackers, 100); // the shortcut was taken from the start often enough
    }
    useWideStorming(true);
}

TEST(Random, DiscardAndFillStepAsManyDrawsAsAskedFor) {
    for (const uint64_t n : {0ull, 1ull, 2ull, 81ull, 4100ull, 65537ull}) {
        Random a(12345), b(12345);
        for (uint64_t i = 0; i < n; ++i) a.next();
        b.discard(n);
        EXPECT_EQ(a.state(), b.state()) << n;
    }
    for (int n = 0; n <= 9; ++n) {
        Random a(777), b(777);
        int got[9] = {};
        b.fill(got, n);
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(got[i], a.next()) << n << " draw " << i;
        EXPECT_EQ(a.state(), b.state()) << n;
    }
}

TEST(SiegeEngine, WithdrawalSendsTheStrongestToTheFirstFreeCastleOfTheSide) {
    Siege s = castle(2, 0, 500, 0);
    // Little food: the rest of the garrison always outlasts the assault less than the food does.
    s.besiegers = {general("攻", 0, 2000)};
    s.defenders = {general("弱", 0, 10), general("強", 30, 10), general("中", 0, 30)};
    s.neighbours = {{-1, "敵城", false, false, 0},
                    {-1, "囲城", true, true, 0},
                    {-1, "満城", true, false, 20},
                    {-1, "友城", true, false, 19},
                    {-1, "次城", true, false, 0}};
    Random rng(6);
    const int left = withdrawGarrison(s, rng);
    ASSERT_GE(left, 1);
    // Ranked by 3c + f: 強 (100), 中 (30), 弱 (10); 友城 takes one, then 次城.
    EXPECT_EQ(s.withdrawals[0].general.name, "強");
    EXPECT_EQ(s.withdrawals[0].neighbour, 3);
    EXPECT_EQ(s.neighbours[3].generalCount, 20);
    if (left > 1) {
        EXPECT_EQ(s.withdrawals[1].neighbour, 4);
    }
    EXPECT_EQ(static_cast<int>(s.defenders.size()), 3 - left);
    EXPECT_EQ(s.messages[0], "強は退却しました");
    for (const SiegeGeneral& g : s.defenders)
        EXPECT_NE(g.name, "強");
    // Nowhere to go: nobody leaves.
    Siege shut = s;
    shut.withdrawals.clear();
    for (SiegeNeighbour& n : shut.neighbours)
        n.besieged = true;
    EXPECT_EQ(withdrawGarrison(shut, rng), 0);
}

TEST(SiegeEngine, AutomaticMonthPlaysFiveTurnsThenPushesBack) {
    Siege s = castle(10, 0, 20000, 100);
    for (int i = 0; i < 3; ++i)
        s.defenders.push_back(general("守", 10, 50, 20, 3));
    for (int i = 0; i < 3; ++i)
        s.besiegers.push_back(general("攻", 10, 60, 0, 3));
    Random rng(21);
    int turns = 0;
    EXPECT_EQ(automaticSiege(s, rng, [&](const Siege& now) { EXPECT_EQ(now.turn, ++turns); }), kSiegeHolds);
    EXPECT_EQ(turns, kSiegeTurns);
    EXPECT_TRUE(s.pushbackDone);
    // Same seed, same month.
    Siege again = castle(10, 0, 20000, 100);
    again.defenders = std::vector<SiegeGeneral>(3, general("守", 10, 50, 20, 3));
    again.besiegers = std::vector<SiegeGeneral>(3, general("攻", 10, 60, 0, 3));
    Random r2(21);
    automaticSiege(again, r2);
    EXPECT_EQ(again.progress, s.progress);
    EXPECT_EQ(again.food, s.food);
    EXPECT_EQ(r2.state(), rng.state());
}

} // namespace
} // namespace vh
