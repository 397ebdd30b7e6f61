// The turn driver: house order, who acts before and after the player, dead houses, phase
// preparations, calendar, the fallen-house question, unification and quitting.
#include "game/month_event_step.h"
#include "game/new_game.h"
#include "game/phase_table.h"
#include "game/scenario_fixture.h"
#include "game/scripted_frontend.h"
#include "game/turn_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace vh {
namespace {

using test::ScenarioFixture;

// Which house routine ran, in order, per phase; a test installs this table in its game.
struct Call {
    int phase;
    int house;
};
std::vector<Call> gCalls;
std::vector<Call> gCorpsCalls;
std::vector<int> gClosings;

template <int P> void recordHouse(Game&, int h) { gCalls.push_back({P, h}); }
template <int P> void recordCorps(Game&, int c) { gCorpsCalls.push_back({P, c}); }
template <int P> void recordClosing(Game&) { gClosings.push_back(P); }

template <int P> PhaseRoutines recording() {
    PhaseRoutines r = standardPhaseTable().phases[P];
    r.house = recordHouse<P>;
    if (r.corps) r.corps = recordCorps<P>; // only phases that have a corps routine
    r.closing = recordClosing<P>;
    return r;
}

const PhaseTable kRecording = {{standardPhaseTable().phases[0], recording<1>(), recording<2>(), recording<3>(),
                                recording<4>(), recording<5>(), recording<6>()}};

struct DriverTest : ::testing::Test {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    WorldState& w = game->world;
    ScriptedFrontend ui;

    // Five houses with a castle and a general each, plus a sixth castle so nobody has unified.
    void SetUp() override {
        gCalls.clear();
        gCorpsCalls.clear();
        gClosings.clear();
        ScenarioFixture f(w);
        for (int h = 0; h < 5; ++h) {
            f.house("H" + std::to_string(h));
            f.castle("C", h, h % 4);
            f.general("G", h, h);
        }
        game->rng.seed(7);
        setUpNewGame(*game);
        game->phaseTable = &kRecording;
        game->frontend = &ui;
    }

    std::vector<int> housesActing(int phase) const {
        std::vector<int> out;
        for (const Call& c : gCalls)
            if (c.phase == phase) out.push_back(c.house);
        return out;
    }
};

TEST_F(DriverTest, HouseOrderIsAFreshShuffleWithThePhantomLast) {
    Random replica(game->rng.state());
    shuffleHouseOrder(*game);
    std::vector<int> expect{0, 1, 2, 3, 4};
    for (int i = 0; i < 5; ++i) std::swap(expect[i], expect[i + replica.below(5 - i)]);
    EXPECT_TRUE(std::equal(expect.begin(), expect.end(), w.houseOrder.begin()));

    ASSERT_EQ(chooseHouse(*game, -1), kChooseOk);
    for (int round = 0; round < 20; ++round) {
        shuffleHouseOrder(*game);
        EXPECT_EQ(w.houseOrder[5], 5);
        std::vector<int> firstFive(w.houseOrder.begin(), w.houseOrder.begin() + 5);
        std::sort(firstFive.begin(), firstFive.end());
        EXPECT_EQ(firstFive, (std::vector<int>{0, 1, 2, 3, 4}));
    }
}

TEST_F(DriverTest, HousesBeforeThePlayerActFirstTheRestAfterAndDeadHousesNever) {
    ASSERT_EQ(chooseHouse(*game, 2), kChooseOk);
    w.houses[4].head = -1; // fallen
    w.corps[7].leader = 2;
    w.corps[7].house = 2; // a corps of the player's house
    w.generals[2].corps = 7;
    w.corps[8].leader = 3;
    w.corps[8].house = 3; // someone else's
    w.generals[3].corps = 8;

    ASSERT_EQ(startMonth(*game), FlowStatus::PlayerTurn);
    ASSERT_EQ(w.phase, 1);
    const int pos = w.playerPosition;
    EXPECT_EQ(w.houseOrder[pos], 2);
    std::vector<int> before;
    for (int i = 0; i < pos; ++i)
        if (w.houseOrder[i] != 4) before.push_back(w.houseOrder[i]);
    EXPECT_EQ(housesActing(1), before);
    EXPECT_EQ(ui.count("turn"), 1);

    gCalls.clear();
    std::vector<int> after;
    for (int i = pos + 1; i < 5; ++i)
        if (w.houseOrder[i] != 4) after.push_back(w.houseOrder[i]);
    ASSERT_EQ(endTurnPressed(*game), FlowStatus::PlayerTurn);
    std::vector<int> phase1 = housesActing(1);
    EXPECT_EQ(phase1, after);
    EXPECT_EQ(gClosings, std::vector<int>{1});
    EXPECT_TRUE(gCorpsCalls.empty()); // phase 1 has no corps routine
    EXPECT_EQ(w.phase, 2);

    gCorpsCalls.clear();
    endTurnPressed(*game);
    ASSERT_EQ(gCorpsCalls.size(), 1u);
    EXPECT_EQ(gCorpsCalls[0].house, 7); // only the player's corps slot
    for (const Call& c : gCalls) EXPECT_NE(c.house, 4);
    for (const Call& c : gCalls) EXPECT_NE(c.house, 2); // the player's house has no routine
}

TEST_F(DriverTest, PlayerFirstInTheOrderMeansEveryoneActsAfter) {
    ASSERT_EQ(chooseHouse(*game, 0), kChooseOk);
    // Find a seed whose first shuffle puts house 0 first.
    for (uint32_t seed = 0;; ++seed) {
        Random probe(seed);
        std::vector<int> order{0, 1, 2, 3, 4};
        for (int i = 0; i < 5; ++i) std::swap(order[i], order[i + probe.below(5 - i)]);
        if (order[0] == 0) {
            game->rng.seed(seed);
            break;
        }
    }
    startPhase(*game, 4);
    EXPECT_EQ(w.playerPosition, 0);
    EXPECT_TRUE(housesActing(4).empty());
    finishPhase(*game, 4);
    EXPECT_EQ(housesActing(4).size(), 4u);
}

TEST_F(DriverTest, PhasePreparationsClearAndCopyWhatTheyShould) {
    ASSERT_EQ(chooseHouse(*game, -1), kChooseOk);
    w.generals[0].flags |= kFlagActed | kFlagBirthUnknown;
    w.castles[1].siegeProgress = 9;
    w.castles[1].besiegerCount = 0;
    w.castles[2].planningMark = 3;
    w.gunMarketCount = 1;
    w.gunMarkets[0].monthlyPurchases = 4;
    w.diplomacyTurnFlags[3] = 1;
    w.diplomacyMark = 1;
    game->diplomacyLog = "old";

    startPhase(*game, 2);
    EXPECT_EQ(w.castleSnapshot[1].siegeProgress, 9);
    EXPECT_NE(w.generals[0].flags & kFlagActed, 0); // not a phase that clears it
    w.castles[0].food = 4321;
    finishPhase(*game, 2); // -> phase 3
    EXPECT_EQ(w.generals[0].flags, kFlagBirthUnknown);
    EXPECT_EQ(w.diplomacyTurnFlags[3], 0);
    EXPECT_EQ(w.diplomacyMark, 0);
    EXPECT_TRUE(game->diplomacyLog.empty());
    finishPhase(*game, 3); // -> phase 4
    EXPECT_EQ(w.castleSnapshot[0].food, 4321);
    EXPECT_EQ(w.gunMarkets[0].monthlyPurchases, 0);
    finishPhase(*game, 4); // -> phase 5
    EXPECT_EQ(w.castles[2].planningMark, 0);
    finishPhase(*game, 5); // -> phase 6
    EXPECT_EQ(w.castles[1].siegeProgress, 0);
    EXPECT_EQ(gClosings, (std::vector<int>{2, 3, 4, 5}));
}

TEST_F(DriverTest, MonthAndYearRollOver) {
    ASSERT_EQ(chooseHouse(*game, -1), kChooseOk);
    w.date = {1560, 11};
    startMonth(*game);
    for (int p = 1; p <= 6; ++p) endTurnPressed(*game);
    EXPECT_EQ(w.date.year, 1560);
    EXPECT_EQ(w.date.month, 12);
    EXPECT_EQ(w.phase, 1);
    for (int p = 1; p <= 6; ++p) endTurnPressed(*game);
    EXPECT_EQ(w.date.year, 1561);
    EXPECT_EQ(w.date.month, 1);
    EXPECT_EQ(gClosings.size(), 12u);
    EXPECT_EQ(nextMonth({-1, 12}).year, 0);
}

TEST_F(DriverTest, TheFallenHouseQuestionIsAskedOnce) {
    ASSERT_EQ(chooseHouse(*game, 1), kChooseOk);
    startMonth(*game);
    w.houses[1].head = -1;
    ui.answer(true);
    for (int p = 1; p <= 6; ++p) endTurnPressed(*game);
    EXPECT_EQ(ui.count("watch-on"), 1);
    EXPECT_EQ(ui.texts("watch-on")[0], "当家は滅亡しました。今後の経過を見ますか？");
    EXPECT_TRUE(w.watchAnswered);
    // From now on the player watches through the phantom house, as in the watch mode.
    EXPECT_TRUE(w.spectator);
    EXPECT_EQ(w.playerHouse, w.houseCount - 1);
    EXPECT_FALSE(houseAlive(w, w.playerHouse));
    EXPECT_EQ(w.houseOrder[w.houseCount - 1], w.playerHouse);
    for (int p = 1; p <= 12; ++p) endTurnPressed(*game);
    EXPECT_EQ(ui.count("watch-on"), 1);
    EXPECT_EQ(ui.unscriptedQuestions(), 0);
}

TEST_F(DriverTest, DecliningToWatchEndsWithoutAdvancingTheDate) {
    ASSERT_EQ(chooseHouse(*game, 1), kChooseOk);
    startMonth(*game);
    const GameDate d = w.date;
    w.houses[1].head = -1;
    ui.answer(false);
    FlowStatus s = FlowStatus::PlayerTurn;
    for (int p = 1; p <= 6; ++p) s = endTurnPressed(*game);
    EXPECT_EQ(s, FlowStatus::PlayerEnded);
    EXPECT_TRUE(sameDate(w.date, d));
}

TEST_F(DriverTest, SpectatorsAreNeverAsked) {
    ASSERT_EQ(chooseHouse(*game, -1), kChooseOk);
    startMonth(*game);
    for (int p = 1; p <= 12; ++p) endTurnPressed(*game);
    EXPECT_EQ(ui.count("watch-on"), 0);
}

TEST_F(DriverTest, UnificationCountsVassalsForTheirLordAndEndsTheGame) {
    ASSERT_EQ(chooseHouse(*game, -1), kChooseOk);
    EXPECT_EQ(unifyingHouse(w), -1);
    for (int h : {1, 2, 3}) {
        w.houses[h].vassalState = h == 1 ? 1 : 2;
        w.houses[h].lord = 0;
    }
    w.castles[4].owner = 3;
    EXPECT_EQ(unifyingHouse(w), 0);
    EXPECT_EQ(startMonth(*game), FlowStatus::Unified);
    EXPECT_TRUE(game->gameOver);
    ASSERT_EQ(ui.count("ending"), 1);
    EXPECT_EQ(ui.texts("ending")[0], "H0は統一を成し遂げました");
    EXPECT_EQ(w.phase, 0);
    EXPECT_EQ(finishPhase(*game, 1), FlowStatus::Unified); // nothing runs any more
    EXPECT_TRUE(gCalls.empty());
}

TEST_F(DriverTest, ABenchmarkShowsNoEnding) {
    for (int c = 0; c < w.castleCount; ++c) w.castles[c].owner = 0;
    game->benchmark = true;
    EXPECT_EQ(startMonth(*game), FlowStatus::Unified);
    EXPECT_EQ(ui.count("ending"), 0);
}

TEST_F(DriverTest, QuittingAsksAndResetsToTheStartMenu) {
    ASSERT_EQ(chooseHouse(*game, 0), kChooseOk);
    startMonth(*game);
    endTurnPressed(*game);
    ui.answer(false).answer(true);
    EXPECT_FALSE(quitGame(*game));
    EXPECT_EQ(w.playerHouse, 0);
    EXPECT_TRUE(quitGame(*game));
    EXPECT_EQ(ui.texts("ok-cancel")[0], "ゲームを終了します");
    EXPECT_EQ(w.playerHouse, -1);
    EXPECT_EQ(w.phase, 0);
    EXPECT_TRUE(sameDate(w.date, GameDate{w.settings.startYear, w.settings.startMonth}));
}

} // namespace
} // namespace vh
