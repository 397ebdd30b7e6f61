// Moves and sorties: the gates, sources, the distance and capacity checks, the execution of the
// month's orders with overfull castles, and the sortie target checks with the 20-per-castle count.
#include "game/phase_table.h"
#include "military/moves.h"
#include "military/sorties.h"
#include "simulation/succession.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vh {
namespace {

using test::WorldBuilder;

struct Military : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int us = b.house("我ら");
    int them = b.house("敵");

    // A line of our castles 0-1-2-... joined by routes, all in province `province`.
    std::vector<int> line(int n, int owner, int province = 0) {
        std::vector<int> out;
        for (int i = 0; i < n; ++i) {
            out.push_back(b.castle("城", owner, province));
            if (i > 0) b.route(out[i - 1], out[i]);
        }
        return out;
    }
    void fill(int castle, int count, int house) {
        while (w.castles[castle].generalCount < count)
            b.general("守将", house, castle);
    }
    // Lists and besieging houses as the game keeps them.
    void rebuild() { rebuildCastleLists(w, {}); }
};

TEST_F(Military, GatesRefuseWithoutProvinceAndForSubmittedHousesOnly) {
    EXPECT_EQ(checkMoveCommand(w, us, -1), kChooseProvince);
    EXPECT_EQ(checkSortieCommand(w, us, -1), kChooseProvince);
    EXPECT_EQ(checkMoveCommand(w, us, 0), "");
    const int lord = b.house("主家");
    b.vassal(us, lord, 1); // 従属: still commands its own armies
    EXPECT_EQ(checkMoveCommand(w, us, 0), "");
    EXPECT_EQ(checkSortieCommand(w, us, 0), "");
    b.vassal(us, lord, 2); // 臣従: the lord moves them
    EXPECT_EQ(checkMoveCommand(w, us, 0), kMoveVassalRefusal);
    EXPECT_EQ(checkSortieCommand(w, us, 0), kSortieVassalRefusal);
}

TEST_F(Military, DistanceLimitEdgeAndEnemyCastlesBlockingPassage) {
    w.settings.distanceLimit = 3;
    const std::vector<int> c = line(5, us);
    const int g = b.general("将", us, c[0]);
    const DistanceTable d = moveDistances(w, us, c[0]);
    EXPECT_EQ(checkMoveDestination(w, us, c[0], d, c[3], 1), ""); // exactly at the limit
    EXPECT_EQ(checkMoveDestination(w, us, c[0], d, c[4], 1), kMoveTooFar);
    EXPECT_TRUE(moveCastleOutOfReach(w, us, d, c[4]));
    EXPECT_FALSE(moveCastleOutOfReach(w, us, d, c[3]));
    EXPECT_EQ(checkMoveDestination(w, us, c[0], d, c[0], 1), kMoveSameCastle);
    (void)g;

    // Our castle beyond an enemy castle: 3 steps through it when passage is allowed, none otherwise.
    w.settings.distanceLimit = 15;
    const int enemy = b.castle("敵城", them), beyond = b.castle("向こう", us);
    b.route(c[0], enemy);
    b.route(enemy, beyond);
    EXPECT_EQ(checkMoveDestination(w, us, c[0], moveDistances(w, us, c[0]), beyond, 1), "");
    w.settings.tekiJouTsuuka = false;
    EXPECT_EQ(checkMoveDestination(w, us, c[0], moveDistances(w, us, c[0]), beyond, 1), kMoveTooFar);
    EXPECT_EQ(checkMoveDestination(w, us, c[0], moveDistances(w, us, c[0]), enemy, 1), kMoveNotOurSide);
}

TEST_F(Military, BesiegingArmyMovesToAdjacentOwnCastlesAtDistanceThree) {
    const int enemy = b.castle("敵城", them);
    const std::vector<int> c = line(2, us);
    b.route(enemy, c[0]);
    b.general("敵将", them, enemy);
    const int a = b.general("攻将", us, enemy, true);
    const int acted = b.general("済", us, enemy, true);
    w.generals[acted].flags |= kFlagActed;
    rebuild();

    const MoveSource s = moveSource(w, us, enemy);
    EXPECT_TRUE(s.besieging);
    EXPECT_EQ(s.generals, std::vector<int>{a});
    EXPECT_EQ(moveDistances(w, us, enemy)[c[0]], 3);
    EXPECT_EQ(moveDistances(w, us, enemy)[c[1]], 4);
    w.settings.distanceLimit = 2;
    const DistanceTable d = moveDistances(w, us, enemy);
    EXPECT_EQ(d[c[0]], 2);
    EXPECT_EQ(checkMoveDestination(w, us, enemy, d, c[0], 1), "");

    orderMove(w, s.generals, c[0]);
    EXPECT_FALSE(w.generals[a].flags & kFlagInField);
    phaseRoutines(game, kPhaseStrategy).closing(game); // the 戦略 phase carries the orders out
    EXPECT_EQ(w.generals[a].castle, c[0]);
    EXPECT_EQ(w.castles[enemy].besiegerCount, 1); // the one who had acted stays before the castle
}

TEST_F(Military, SourceRulesAndVassalCastles) {
    const int vassal = b.house("臣下");
    b.vassal(vassal, us, 2);
    const int own = b.castle("本城", us), theirs = b.castle("臣下城", vassal);
    b.route(own, theirs);
    const int free = b.general("自由", us, own);
    const int corpsLeader = b.general("軍団長", us, own);
    b.corps(corpsLeader, us);
    const int acted = b.general("済", us, own);
    w.generals[acted].flags |= kFlagActed;
    EXPECT_EQ(moveSource(w, us, own).generals, std::vector<int>{free});

    const int vg = b.general("臣下将", vassal, theirs);
    EXPECT_EQ(moveSource(w, us, theirs).generals, std::vector<int>{vg});
    EXPECT_EQ(checkMoveDestination(w, us, own, moveDistances(w, us, own), theirs, 1), "");

    b.general("囲む者", them, own, true);
    rebuild();
    const MoveSource s = moveSource(w, us, own);
    EXPECT_EQ(s.castle, -1);
    EXPECT_EQ(s.refusal, kMoveSourceBesieged);
    EXPECT_EQ(checkMoveDestination(w, us, theirs, moveDistances(w, us, theirs), own, 1), kMoveTargetBesieged);
    EXPECT_TRUE(moveSource(w, us, b.castle("他", them)).generals.empty());
}

TEST_F(Military, TwentyPerCastleAndOverfillDisplacesTheWeakestAtExecution) {
    const std::vector<int> c = line(3, us); // c[1] between the two sources
    const int spare = b.castle("予備", us);
    b.route(c[1], spare);
    fill(c[1], 18, us);
    for (int i = 0; i < w.castles[c[1]].generalCount; ++i)
        w.generals[w.castles[c[1]].generals[i]].foot = 100;
    const int weakest = w.castles[c[1]].generals[5];
    w.generals[weakest].foot = 10;
    std::vector<int> fromA, fromB;
    for (int i = 0; i < 3; ++i)
        fromA.push_back(b.general("甲", us, c[0]));
    for (int i = 0; i < 2; ++i)
        fromB.push_back(b.general("乙", us, c[2]));
    for (int g : fromA)
        w.generals[g].cavalry = 50; // strength 150
    w.generals[fromB[0]].foot = 50; // strength 50
    w.generals[fromB[1]].foot = 60;

    const DistanceTable dA = moveDistances(w, us, c[0]);
    EXPECT_EQ(checkMoveDestination(w, us, c[0], dA, c[1], 3), kMoveCastleFull);
    EXPECT_EQ(checkMoveDestination(w, us, c[0], dA, c[1], 2), "");
    orderMove(w, std::vector<int>{fromA[0], fromA[1]}, c[1]);
    // Orders already given do not count: the second group passes too.
    EXPECT_EQ(checkMoveDestination(w, us, c[2], moveDistances(w, us, c[2]), c[1], 2), "");
    orderMove(w, fromB, c[1]);

    // A hostage keeps what his move fields hold.
    const int hostage = b.general("人質", us, c[0]);
    w.generals[hostage].house = kHouseHeld;
    w.generals[hostage].status = kStatusHostage;
    w.generals[hostage].moveTarget = 1560;
    w.generals[hostage].flags |= kFlagActed;

    executeMoves(game);
    const Castle& k = w.castles[c[1]];
    ASSERT_EQ(k.generalCount, 20);
    const std::vector<int> list(k.generals, k.generals + 20);
    // 22 arrived or stayed: the weakest old garrison general (10) and the weaker newcomer (50) left.
    EXPECT_EQ(std::count(list.begin(), list.end(), weakest), 0);
    EXPECT_EQ(std::count(list.begin(), list.end(), fromB[0]), 0);
    EXPECT_EQ(std::count(list.begin(), list.end(), fromB[1]), 1);
    // Displaced to the nearest castle of the house with room, and part of its garrison.
    for (int g : {weakest, fromB[0]}) {
        EXPECT_NE(w.generals[g].castle, c[1]);
        EXPECT_EQ(w.generals[g].house, us);
        const Castle& there = w.castles[w.generals[g].castle];
        EXPECT_EQ(std::count(there.generals, there.generals + there.generalCount, g), 1);
    }
    for (int g = 0; g < w.generalCount; ++g) {
        if (g == hostage) continue;
        EXPECT_EQ(w.generals[g].moveTarget, -1);
        EXPECT_FALSE(w.generals[g].flags & kFlagActed);
    }
    EXPECT_EQ(w.generals[hostage].moveTarget, 1560);
    EXPECT_TRUE(w.generals[hostage].flags & kFlagActed);
    EXPECT_EQ(w.generals[fromA[2]].castle, c[0]); // not ordered: stays
}

TEST_F(Military, GeneralListSortsOwnHouseFirstThenCountsLargestFirst) {
    const int vassal = b.house("臣下");
    b.vassal(vassal, us, 2);
    const int own = b.castle("本城", us);
    const int v = b.general("臣", vassal, own), a = b.general("甲", us, own), c = b.general("丙", us, own);
    w.generals[a].guns = 5;
    w.generals[v].guns = 9;
    std::vector<int> list = {v, c, a};
    sortGeneralList(w, us, list, 0);
    EXPECT_EQ(list, (std::vector<int>{a, c, v}));
    sortGeneralList(w, us, list, 3);
    EXPECT_EQ(list, (std::vector<int>{v, a, c}));
}

// Provinces: 0 (head), 1 adjacent to 0, 2 adjacent to 1 only.
struct Sorties : Military {
    int home = b.castle("本城", us, 0);
    int next = b.castle("隣城", us, 1);
    int far = b.castle("遠城", us, 2);
    int target = b.castle("敵城", them, 1);
    int head = b.general("当主", us, home);

    void SetUp() override {
        b.route(home, next);
        b.route(next, far);
        b.route(next, target);
    }
};

TEST_F(Sorties, HeadProvinceRuleAndPendingHead) {
    EXPECT_EQ(checkSortieReach(w, us, home), "");
    EXPECT_EQ(checkSortieReach(w, us, next), "");
    EXPECT_EQ(checkSortieReach(w, us, far), kSortieTooFar);
    w.houses[us].head = -2; // the succession still pending
    EXPECT_EQ(checkSortieReach(w, us, home), kSortieTooFar);
}

TEST_F(Sorties, TargetChecksInOrder) {
    const int g = b.general("将", us, next);
    const int corpsLeader = b.general("軍団", us, next);
    b.corps(corpsLeader, us);
    EXPECT_EQ(sortieCandidates(w, us, next), std::vector<int>{g});
    EXPECT_EQ(checkSortieTarget(w, us, next, target, 1), "");
    EXPECT_EQ(checkSortieTarget(w, us, next, home, 1), ""); // our own castle: a reinforcement
    EXPECT_EQ(checkSortieTarget(w, us, home, target, 1), kSortieNotAdjacent);
    EXPECT_EQ(checkSortieTarget(w, us, next, next, 1), kSortieNotAdjacent);

    // Allied owner: refused unless the castle is besieged, and not when an ally besieges it.
    setRelationKind(w.houses[them], us, kRelPact);
    EXPECT_EQ(checkSortieTarget(w, us, next, target, 1), kSortieAllied);
    const int third = b.house("第三");
    b.general("囲む者", third, target, true);
    rebuild();
    EXPECT_EQ(checkSortieTarget(w, us, next, target, 1), "");
    setRelationKind(w.houses[third], us, kRelPact);
    EXPECT_EQ(checkSortieTarget(w, us, next, target, 1), kSortieAllyBesieging);

    // An ownerless castle is never an ally.
    const int empty = b.castle("空城", -1, 1);
    b.route(next, empty);
    EXPECT_EQ(checkSortieTarget(w, us, next, empty, 1), "");
}

TEST_F(Sorties, TwentyPerCastleCountsOrdersAndOurBesiegers) {
    fill(next, 20, us);
    const std::vector<int> ordered(w.castles[next].generals, w.castles[next].generals + 15);
    orderSortie(w, ordered, target);
    EXPECT_EQ(w.generals[ordered[0]].sortieTarget, target);
    EXPECT_TRUE(onSortie(w.generals[ordered[0]]));
    EXPECT_EQ(sortieCandidates(w, us, next).size(), 5u);
    EXPECT_EQ(checkSortieTarget(w, us, next, target, 5), "");
    EXPECT_EQ(checkSortieTarget(w, us, next, target, 6), kSortieTooMany);

    // Our own army already before the castle counts too; a spent order (acted cleared) does not.
    b.general("囲む者", us, target, true);
    rebuild();
    EXPECT_EQ(checkSortieTarget(w, us, next, target, 5), kSortieTooMany);
    for (int g : ordered)
        w.generals[g].flags &= ~kFlagActed;
    EXPECT_EQ(checkSortieTarget(w, us, next, target, 19), "");
}

} // namespace
} // namespace vh
