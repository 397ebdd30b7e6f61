// The siege against a world: built from a castle's records, written back (withdrawn defenders in
// their new castles), the month run automatically or through the player's siege steps.
#include "battle/player_siege.h"
#include "battle/siege_world.h"
#include "game/scripted_frontend.h"
#include "support/world_builder.h"
#include "world/random.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vh {
namespace {

class SiegeFrontend : public ScriptedFrontend {
  public:
    std::function<bool(PlayerSiege&)> script;
    int sieges = 0;
    bool fightSiege(PlayerSiege& siege) override {
        ++sieges;
        return script ? script(siege) : false;
    }
};

struct SiegeWorld {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    SiegeFrontend frontend;
    int owner, enemy, x, y, z, strong, weak, lord, vassal;

    SiegeWorld() {
        test::WorldBuilder b(game->world);
        owner = b.house("北条家");
        enemy = b.house("上杉家");
        x = b.castle("小田原城", owner);
        y = b.castle("江戸城", owner);
        z = b.castle("厩橋城", enemy);
        b.route(x, z); // route order: the enemy's castle first
        b.route(x, y);
        Castle& c = game->world.castles[x];
        c.size = 2;
        c.food = 4000;
        c.garrison = 20;
        c.besiegedBy = static_cast<int16_t>(enemy);
        weak = b.general("北条氏規", owner, x);
        strong = b.general("北条綱成", owner, x);
        lord = b.general("上杉謙信", enemy, x, true);
        vassal = b.general("直江景綱", enemy, x, true);
        troops(weak, 0, 30, 10);
        troops(strong, 40, 60, 20);
        troops(lord, 60, 200, 0);
        troops(vassal, 20, 100, 10);
        game->frontend = &frontend;
    }
    void troops(int g, int cavalry, int foot, int guns) {
        General& r = game->world.generals[g];
        r.cavalry = static_cast<int16_t>(cavalry);
        r.foot = static_cast<int16_t>(foot);
        r.guns = static_cast<int16_t>(guns);
    }
    Castle& castle(int c) { return game->world.castles[c]; }
};

TEST(SiegeWorld, BuiltFromTheCastleAndWrittenBackWithWithdrawals) {
    SiegeWorld t;
    Siege s = siegeFromCastle(t.game->world, t.x);
    EXPECT_EQ(s.castleName, "小田原城");
    EXPECT_EQ(s.size, 2);
    EXPECT_EQ(s.garrison, 20);
    EXPECT_EQ(s.ownerHouse, "北条家");
    EXPECT_EQ(s.besiegingHouse, "上杉家");
    EXPECT_EQ(s.firstBesiegerHouse, "上杉家");
    ASSERT_EQ(s.defenders.size(), 2u);
    EXPECT_EQ(s.defenders[1].name, "北条綱成");
    EXPECT_EQ(besiegersMen(s), 380);
    ASSERT_EQ(s.neighbours.size(), 2u);
    EXPECT_FALSE(s.neighbours[0].sameSide);
    EXPECT_TRUE(s.neighbours[1].sameSide);

    // The estimate over general indices draws as the engine's does.
    const int besiegers[] = {t.lord, t.vassal};
    const int defenders[] = {t.weak};
    Random a(9), b(9);
    Siege copy = s;
    copy.defenders.resize(1);
    EXPECT_EQ(siegeEstimate(t.game->world, t.x, besiegers, defenders, a), assaultMonths(copy, b));
    EXPECT_EQ(a.state(), b.state());

    // Food for one month: the strongest defender leaves for 江戸城, the only castle of the side.
    s.food = 1;
    Random rng(3);
    ASSERT_GE(withdrawGarrison(s, rng), 1);
    EXPECT_EQ(s.withdrawals[0].general.general, t.strong);
    s.besiegers[0].troops.foot = 150;
    s.besiegers[0].points = 7;
    writeSiegeBack(t.game->world, s);
    writeSiegeBack(t.game->world, s); // twice changes nothing
    const Castle& home = t.castle(t.x);
    const Castle& refuge = t.castle(t.y);
    EXPECT_EQ(home.food, 1);
    ASSERT_EQ(refuge.generalCount, s.withdrawals.size());
    EXPECT_EQ(refuge.generals[0], t.strong);
    EXPECT_EQ(t.game->world.generals[t.strong].castle, t.y);
    EXPECT_EQ(home.generalCount + refuge.generalCount, 2);
    EXPECT_EQ(t.game->world.generals[t.lord].foot, 150);
    EXPECT_EQ(t.game->world.generals[t.lord].siegeStratagemPoints, 7);

    // Reading the castle again keeps the month's withdrawals.
    reloadSiege(s, t.game->world);
    EXPECT_EQ(s.defenders.size(), static_cast<size_t>(home.generalCount));
    EXPECT_EQ(s.withdrawalsWritten, static_cast<int>(s.withdrawals.size()));
}

TEST(SiegeWorld, AComputerMonthIsTheSallyDrawThenTheAutomaticSiege) {
    SiegeWorld t;
    t.game->rng.seed(17);
    Siege expected = siegeFromCastle(t.game->world, t.x);
    Random replay(17);
    const bool sallies = garrisonSallies(expected, replay);
    ASSERT_FALSE(sallies); // 380 besiegers against 180 defenders stay out
    automaticSiege(expected, replay);

    int battles = 0;
    const SiegeMonthOutcome out = runSiegeMonth(*t.game, t.x, [&](Game&, int) { return ++battles, 1; });
    EXPECT_EQ(battles, 0);
    EXPECT_EQ(t.frontend.sieges, 0); // nobody of the player's takes part
    EXPECT_EQ(out.sally, -1);
    EXPECT_EQ(out.result, expected.result);
    EXPECT_EQ(t.castle(t.x).siegeProgress, expected.progress);
    EXPECT_EQ(t.castle(t.x).food, expected.food);
    EXPECT_EQ(t.game->rng.state(), replay.state());

    // A garrison strong enough sallies; a lost sally battle ends the month with no siege.
    SiegeWorld u;
    u.troops(u.strong, 100, 400, 0);
    u.game->rng.seed(17);
    const SiegeMonthOutcome lost = runSiegeMonth(*u.game, u.x, [](Game&, int) { return 2; });
    EXPECT_EQ(lost.sally, 2);
    EXPECT_EQ(lost.result, kSiegeHolds);
    EXPECT_EQ(u.castle(u.x).food, 4000);
}

TEST(SiegeWorld, BesiegingPlayerStormsThroughTheSiegeSteps) {
    SiegeWorld t;
    t.game->world.playerHouse = t.enemy;
    EXPECT_TRUE(siegeFoughtByHand(t.game->world, t.x));
    std::vector<std::string> lines, shown;
    t.frontend.script = [&](PlayerSiege& p) {
        EXPECT_EQ(p.role(), SiegeRole::Besieging);
        EXPECT_FALSE(p.canOrder()); // not before the opening
        p.open();
        EXPECT_FALSE(p.canSally());
        EXPECT_FALSE(p.canRetreat());
        while (p.canOrder()) {
            lines.push_back(p.turnLine());
            p.storm();
            for (std::string& m : p.takeMessages())
                shown.push_back(m);
        }
        lines.push_back(p.turnLine());
        EXPECT_TRUE(p.over());
        return true;
    };
    t.game->rng.seed(5);
    const SiegeMonthOutcome out = runSiegeMonth(*t.game, t.x, {});
    EXPECT_EQ(t.frontend.sieges, 1);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "ターン 1/5");
    if (out.result == kSiegeFallen) {
        EXPECT_EQ(lines.back(), "強襲により落城しました");
        EXPECT_GE(t.castle(t.x).siegeProgress, 200);
    } else {
        EXPECT_EQ(lines.back(),
                  out.result == kSiegeSurrendered ? "兵糧が尽きたので開城しました" : "攻城戦終了");
    }
    EXPECT_LT(t.game->world.generals[t.lord].foot, 200); // losses reached the world

    // Every besieger in a corps: the corps runs the siege.
    SiegeWorld c;
    c.game->world.playerHouse = c.enemy;
    test::WorldBuilder(c.game->world).corps(c.lord, c.enemy);
    c.game->world.generals[c.vassal].corps = c.game->world.generals[c.lord].corps;
    EXPECT_FALSE(siegeFoughtByHand(c.game->world, c.x));
}

TEST(SiegeWorld, DefendingPlayerSalliesOrDefendsAndMayLeaveTheWindow) {
    SiegeWorld t;
    t.game->world.playerHouse = t.owner;
    int battles = 0;
    t.frontend.script = [&](PlayerSiege& p) {
        p.open();
        EXPECT_EQ(p.role(), SiegeRole::Defending);
        EXPECT_TRUE(p.canSally());
        EXPECT_FALSE(p.canRetreat()); // no retreat dialog yet
        p.sallyOut();
        EXPECT_TRUE(p.closeNow());
        EXPECT_EQ(p.takeMessages(), std::vector<std::string>{"敵軍は撤退します"});
        EXPECT_FALSE(p.canOrder());
        return true;
    };
    const SiegeMonthOutcome out = runSiegeMonth(*t.game, t.x, [&](Game&, int) { return ++battles, 2; });
    EXPECT_EQ(battles, 1);
    EXPECT_EQ(out.sally, 2);
    EXPECT_EQ(out.result, kSiegeHolds);

    // Defending inside: the computer besiegers choose; closing the program mid-month stops it
    // with the turns played so far in the world.
    SiegeWorld d;
    d.game->world.playerHouse = d.owner;
    d.frontend.script = [&](PlayerSiege& p) {
        p.open();
        p.defend();
        EXPECT_FALSE(p.canSally()); // only before the first turn
        EXPECT_EQ(p.turnLine(), "ターン 2/5");
        p.abandon();
        EXPECT_FALSE(p.canOrder());
        return true;
    };
    const int foodBefore = d.castle(d.x).food;
    const SiegeMonthOutcome left = runSiegeMonth(*d.game, d.x, {});
    EXPECT_TRUE(left.abandoned);
    EXPECT_LT(d.castle(d.x).food, foodBefore);
}

} // namespace
} // namespace vh
