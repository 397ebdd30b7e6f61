// Route distances: passage through other sides' castles per mode, leaving a castle that is not
// ours, the cut-off of the limited mode, and the fast search against the literal wave scan.
#include "support/world_builder.h"
#include "world/castle_rules.h"
#include "world/retreat_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace vh {
namespace {

using test::WorldBuilder;

struct Distances : ::testing::Test {
    WorldState w;
    WorldBuilder b{w};
    int us = b.house("我ら");
    int them = b.house("敵");

    // Both versions must agree; the test reads the fast one.
    DistanceTable dist(int house, int source, int mode) {
        DistanceTable fast = castleDistances(w, house, source, mode), plain;
        castleDistancesPlain(w, house, source, mode, plain);
        EXPECT_EQ(fast, plain) << "house " << house << " source " << source << " mode " << mode;
        return fast;
    }
};

TEST_F(Distances, OtherSidesCastlesCostThreeOnlyWhenPassable) {
    // us0 - them1 - us2 - us3
    int a = b.castle("甲", us), e = b.castle("乙", them), c = b.castle("丙", us), d = b.castle("丁", us);
    b.route(a, e);
    b.route(e, c);
    b.route(c, d);

    w.settings.tekiJouTsuuka = true;
    for (int mode : {kDistanceMove, kDistanceLimited, kDistanceRetreat})
        EXPECT_EQ(dist(us, a, mode), (DistanceTable{0, 3, 6, 7})) << mode;

    w.settings.tekiJouTsuuka = false;
    EXPECT_EQ(dist(us, a, kDistanceMove), (DistanceTable{0, kUnreachable, kUnreachable, kUnreachable}));
    EXPECT_EQ(dist(us, a, kDistanceLimited), (DistanceTable{0, kUnreachable, kUnreachable, kUnreachable}));
    EXPECT_EQ(dist(us, a, kDistanceRetreat), (DistanceTable{0, 3, 6, 7}));
}

TEST_F(Distances, SubmittedVassalsCastlesAreOwnButSubordinatesAreNot) {
    int sub = b.house("臣従家"), sord = b.house("従属家");
    b.vassal(sub, us, 2);
    b.vassal(sord, us, 1);
    int a = b.castle("甲", us), v = b.castle("乙", sub), c = b.castle("丙", us), s = b.castle("丁", sord);
    b.route(a, v);
    b.route(v, c);
    b.route(c, s);
    w.settings.tekiJouTsuuka = false;
    EXPECT_EQ(dist(us, a, kDistanceMove), (DistanceTable{0, 1, 2, kUnreachable}));
    // Sides are compared by commanding house: asked for the submitted house itself, no castle
    // (not even its own) is on its side, so callers pass the commanding house.
    EXPECT_EQ(dist(sub, v, kDistanceMove), DistanceTable(4, kUnreachable));
    EXPECT_EQ(dist(commandingHouse(w, sub), v, kDistanceMove), (DistanceTable{1, 0, 1, kUnreachable}));
}

TEST_F(Distances, BlockedCastleIsStillReachedByOwnSteps) {
    // x is next to an enemy castle seen first, but reachable round the back through our own.
    int s = b.castle("S", us), e = b.castle("E", them), x = b.castle("X", us);
    int y = b.castle("Y", us), z = b.castle("Z", us);
    b.route(s, e);
    b.route(e, x);
    b.route(s, y);
    b.route(y, z);
    b.route(z, x);
    w.settings.tekiJouTsuuka = false;
    DistanceTable t = dist(us, s, kDistanceMove);
    EXPECT_EQ(t[x], 3);
    EXPECT_EQ(t[e], kUnreachable);
}

TEST_F(Distances, LeavingACastleThatIsNotOurs) {
    // enemy castle S with our n1, n2 next to it and their n3; our far castle behind n1.
    int s = b.castle("S", them), n1 = b.castle("n1", us), n2 = b.castle("n2", us), n3 = b.castle("n3", them);
    int far = b.castle("far", us);
    b.route(s, n1);
    b.route(s, n2);
    b.route(s, n3);
    b.route(n1, far);

    w.settings.tekiJouTsuuka = false;
    w.settings.distanceLimit = 15;
    EXPECT_EQ(dist(us, s, kDistanceMove), (DistanceTable{kUnreachable, 3, 3, kUnreachable, 4}));
    // Passing through, S itself is one step of 3 back from its neighbours, n3 one more.
    EXPECT_EQ(dist(us, s, kDistanceRetreat), (DistanceTable{6, 3, 3, 9, 4}));

    w.settings.distanceLimit = 2;
    EXPECT_EQ(dist(us, s, kDistanceMove), (DistanceTable{kUnreachable, 2, 2, kUnreachable, 3}));
    // Limited: only the wave at 2 runs; its results are kept although they pass the limit.
    EXPECT_EQ(dist(us, s, kDistanceLimited), (DistanceTable{kUnreachable, 2, 2, kUnreachable, 3}));
}

TEST_F(Distances, LimitedModeStopsAfterTheWaveAtTheLimit) {
    // A chain of 20 own castles.
    int first = b.castle("c0", us);
    for (int i = 1; i < 20; ++i) b.route(b.castle("c" + std::to_string(i), us), i - 1);
    w.settings.distanceLimit = 15;
    DistanceTable t = dist(us, first, kDistanceLimited);
    EXPECT_EQ(t[15], 15);
    EXPECT_EQ(t[16], 16); // set by the last wave
    EXPECT_EQ(t[17], kUnreachable);
    EXPECT_EQ(dist(us, first, kDistanceMove)[19], 19);

    w.settings.distanceLimit = 0;
    t = dist(us, first, kDistanceLimited);
    EXPECT_EQ(t[1], 1);
    EXPECT_EQ(t[2], kUnreachable);
    w.settings.distanceLimit = -1; // no wave at all
    t = dist(us, first, kDistanceLimited);
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[1], kUnreachable);
}

TEST_F(Distances, LimitedModeKeepsTheLastWavesValueOverAnUnexpandedShorterPath) {
    // S - A - B - C - D - X along our castles (X true distance 5), and S - Q(enemy) - X.
    // With limit 3, Q (at 3) gives X 6 in the last wave; D (at 4) is never expanded.
    int s = b.castle("S", us);
    int a = b.castle("A", us), bb = b.castle("B", us), c = b.castle("C", us), d = b.castle("D", us);
    int x = b.castle("X", us), q = b.castle("Q", them);
    b.route(s, a);
    b.route(a, bb);
    b.route(bb, c);
    b.route(c, d);
    b.route(d, x);
    b.route(s, q);
    b.route(q, x);
    w.settings.distanceLimit = 3;
    DistanceTable t = dist(us, s, kDistanceLimited);
    EXPECT_EQ(t[d], 4);
    EXPECT_EQ(t[x], 6);
    EXPECT_EQ(dist(us, s, kDistanceMove)[x], 5);
}

TEST_F(Distances, InvalidSourceIsUnreachableEverywhere) {
    b.castle("甲", us);
    EXPECT_EQ(dist(us, -1, kDistanceMove), DistanceTable{kUnreachable});
    EXPECT_EQ(dist(us, 5, kDistanceRetreat), DistanceTable{kUnreachable});
}

// A random world: ownership, submitted and subordinate vassals, routes mostly between near
// castles. Returns the house count.
int randomWorld(WorldState& w, std::mt19937& rng, int maxCastles) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    w.houseCount = w.castleCount = 0;
    WorldBuilder b(w);
    const int houses = 1 + pick(6);
    for (int h = 0; h < houses; ++h) b.house("h" + std::to_string(h));
    for (int h = 1; h < houses; ++h)
        if (pick(3) == 0) b.vassal(h, pick(h), 1 + pick(2));
    const int castles = 1 + pick(maxCastles);
    // Neighbouring castles tend to share an owner, as on a real map.
    int owner = 0;
    for (int c = 0; c < castles; ++c) {
        if (pick(3) == 0) owner = pick(houses);
        b.castle("c", owner);
    }
    const int routes = pick(castles * 3 + 1);
    for (int r = 0; r < routes; ++r) {
        int a = pick(castles), c = pick(castles);
        if (a == c || routeCount(w.castleSites[a]) == 7 || routeCount(w.castleSites[c]) == 7) continue;
        if (pick(2) == 0 && std::abs(a - c) > 5) continue; // prefer near neighbours
        b.route(a, c);
    }
    return houses;
}

// Random worlds: ownership, submitted and subordinate vassals, both passage settings, every
// mode and small limits. The fast search must give the scan's table exactly.
TEST(DistancesRandom, FastEqualsPlainOnRandomWorlds) {
    std::mt19937 rng(20240611);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    WorldState w;
    DistanceTable fast, plain;
    int compared = 0;
    for (int world = 0; world < 300; ++world) {
        const int houses = randomWorld(w, rng, world < 150 ? 25 : 150), castles = w.castleCount;
        for (int trial = 0; trial < 6; ++trial) {
            const int house = pick(houses), source = pick(castles);
            for (bool pass : {false, true}) {
                w.settings.tekiJouTsuuka = pass;
                for (int limit : {-1, 0, 1, 2, 3, 4, 7, 15}) {
                    w.settings.distanceLimit = limit;
                    for (int mode : {kDistanceMove, kDistanceLimited, kDistanceRetreat}) {
                        castleDistances(w, house, source, mode, fast);
                        castleDistancesPlain(w, house, source, mode, plain);
                        ASSERT_EQ(fast, plain) << "world " << world << " house " << house << " source "
                                               << source << " mode " << mode << " limit " << limit
                                               << " pass " << pass;
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_EQ(compared, 300 * 6 * 2 * 8 * 3);
}

// The bounded retreat search must pick the full table's castle: besieged and full castles,
// own and foreign starts, every house's side, both fallbacks.
TEST(RetreatRandom, BoundedSearchEqualsFullTable) {
    std::mt19937 rng(99);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto owned = std::make_unique<WorldState>();
    WorldState& w = *owned;
    int compared = 0, found = 0;
    for (int world = 0; world < 300; ++world) {
        const int houses = randomWorld(w, rng, world < 150 ? 25 : 150), castles = w.castleCount;
        for (int c = 0; c < castles; ++c) {
            w.castles[c].besiegerCount = static_cast<uint8_t>(pick(4) == 0);
            w.castles[c].generalCount = static_cast<uint8_t>(pick(4) == 0 ? Castle::kMaxGenerals : pick(3));
        }
        w.settings.distanceLimit = pick(8) - 1;
        for (int trial = 0; trial < 8; ++trial) {
            const int side = pick(houses), from = pick(castles + 1) - (trial == 0 ? 1 : 0);
            for (bool any : {false, true}) {
                const int plain = retreatTargetPlain(w, side, from, any);
                ASSERT_EQ(retreatTarget(w, side, from, any), plain)
                    << "world " << world << " side " << side << " from " << from << " any " << any;
                ++compared;
                found += plain >= 0;
            }
        }
    }
    EXPECT_EQ(compared, 300 * 8 * 2);
    EXPECT_GT(found, compared / 2);
}

TEST(Commanding, OnlySubmissionHandsTheSideToTheLord) {
    WorldState w;
    WorldBuilder b(w);
    int lord = b.house("主"), sub = b.house("臣従"), sord = b.house("従属");
    b.vassal(sub, lord, 2);
    b.vassal(sord, lord, 1);
    EXPECT_EQ(commandingHouse(w, lord), lord);
    EXPECT_EQ(commandingHouse(w, sub), lord);
    EXPECT_EQ(commandingHouse(w, sord), sord);
    EXPECT_EQ(commandingHouse(w, -1), -1);
    EXPECT_EQ(commandingHouse(w, -3), -3);
}

} // namespace
} // namespace vh
