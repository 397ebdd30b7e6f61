// Field battles from the world: the sides built from the records, the player's window offered
// the battle with his side first, and the outcome written back (troops, garrison, the dead).
#include "battle/field_battle_world.h"
#include "game/phase_table.h"
#include "game/turn_driver.h"
#include "support/world_builder.h"
#include "world/castle_rules.h"

#include <gtest/gtest.h>

#include <memory>

namespace vh {
namespace {

// A player seat that fights a battle by retreating at once, or declines, or closes the program.
class BattleSeat : public Frontend {
  public:
    HandBattle answer = HandBattle::Fought;
    int offered = 0;
    int playerSideHouse = -2;
    int castleSide = -1;
    std::vector<std::string> messages;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askOkCancel(const std::string&) override { return true; }
    bool askYesNo(const std::string&) override { return true; }
    bool askWatchOn(const std::string&) override { return true; }
    void showEnding(const std::string&) override {}
    HandBattle fightFieldBattle(FieldBattle& b, Random& rng) override {
        ++offered;
        playerSideHouse = b.sides[0].commandingHouse;
        castleSide = b.castleSide;
        if (answer == HandBattle::NotByHand) return answer;
        formFieldSideAutomatically(b, 0, rng);
        formFieldSideAutomatically(b, 1, rng);
        deployFieldBattle(b);
        if (answer == HandBattle::Abandoned) return answer;
        while (b.result == kFieldUndecided)
            playHandFieldTurn(b, kOrderRetreat, rng);
        finishFieldBattle(b, rng);
        return HandBattle::Fought;
    }
};

struct Battlefield {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    int home = -1, enemy = -1, homeCastle = -1, enemyCastle = -1;
    std::vector<int> attackers, defenders;

    Battlefield() {
        WorldState& w = game->world;
        test::WorldBuilder wb(w);
        home = wb.house("織田家");
        enemy = wb.house("今川家");
        homeCastle = wb.castle("清洲城", home);
        enemyCastle = wb.castle("駿府城", enemy);
        wb.route(homeCastle, enemyCastle);
        for (int i = 0; i < 3; ++i) {
            const int g = wb.general("攻" + std::to_string(i), home, enemyCastle, true);
            w.generals[g].cavalry = 100;
            w.generals[g].foot = 400;
            w.generals[g].guns = 50;
            w.generals[g].valor = 80;
            w.generals[g].intellect = 60;
            attackers.push_back(g);
        }
        for (int i = 0; i < 2; ++i) {
            const int g = wb.general("守" + std::to_string(i), enemy, enemyCastle);
            w.generals[g].foot = 500;
            w.generals[g].valor = 20;
            w.generals[g].intellect = 20;
            defenders.push_back(g);
        }
        w.castles[enemyCastle].garrison = 50;
        w.settings.uchijiniKakuritsu = 100;
        game->rng.seed(42);
    }
    int fight() { return fightFieldBattle(*game, attackers, -1, defenders, enemyCastle, 1, 0); }
};

bool listed(const Castle& c, int g) {
    for (int i = 0; i < c.generalCount; ++i)
        if (c.generals[i] == g) return true;
    for (int i = 0; i < c.besiegerCount; ++i)
        if (c.besiegers[i] == g) return true;
    return false;
}

TEST(FieldBattleWorld, AnAutomaticBattleWritesItsOutcomeBack) {
    Battlefield f;
    // The engine on its own, from the same records and seed, as the reference; the first seed
    // whose battle kills someone.
    FieldBattle ref;
    Random rng;
    uint32_t seed = 1;
    for (; seed < 200; ++seed) {
        ref = buildFieldBattle(*f.game, f.attackers, -1, f.defenders, f.enemyCastle, 1, 0);
        f.game->rng.seed(seed);
        rng = f.game->rng;
        setUpFieldBattle(ref, rng);
        runAutomaticFieldBattle(ref, rng);
        if (!ref.dead.empty()) break;
    }
    ASSERT_FALSE(ref.dead.empty());
    EXPECT_EQ(ref.sides[1].commandingHouse, f.enemy);
    EXPECT_TRUE(ref.sides[0].generals[0].headOfIndependentHouse);
    EXPECT_EQ(ref.sides[1].castleName, "駿府城");
    const int expected = ref.result;

    const int result = f.fight();
    EXPECT_EQ(result, expected);
    const WorldState& w = f.game->world;
    EXPECT_EQ(f.game->rng.state(), rng.state());
    EXPECT_EQ(w.castles[f.enemyCastle].garrison, ref.sides[1].garrisonSoldiers);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.generals[f.attackers[i]].foot, ref.sides[0].generals[i].foot);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(w.generals[f.defenders[i]].cavalry, ref.sides[1].generals[i].cavalry);
    for (const auto& [side, index] : ref.dead) {
        const int g = ref.sides[side].generals[index].general;
        EXPECT_EQ(w.generals[g].house, kHouseLost);
        EXPECT_FALSE(listed(w.castles[f.enemyCastle], g));
    }
    EXPECT_EQ(f.game->messageLog.size(), ref.dead.size());
    const auto [deadSide, deadIndex] = ref.dead[0];
    EXPECT_EQ(f.game->messageLog[0], ref.sides[deadSide].generals[deadIndex].name + "は討ち死にしました");

    // Rain in either province of the battle.
    f.game->world.weatherFlags[3] = 2;
    EXPECT_FALSE(buildFieldBattle(*f.game, f.attackers, -1, f.defenders, -1, 0, 0).rain);
    EXPECT_TRUE(buildFieldBattle(*f.game, f.attackers, -1, f.defenders, -1, 0, 0, 3).rain);

    // Quiet progress keeps the deaths and drops the messages.
    Battlefield quiet;
    quiet.game->quietMode = true;
    quiet.game->rng.seed(seed);
    quiet.fight();
    EXPECT_TRUE(quiet.game->messageLog.empty());
    EXPECT_EQ(quiet.game->world.generals[ref.sides[deadSide].generals[deadIndex].general].house, kHouseLost);
}

TEST(FieldBattleWorld, ThePlayersSideBFightsAsSideZeroAndTheResultComesBack) {
    Battlefield f;
    BattleSeat seat;
    f.game->frontend = &seat;
    f.game->world.playerHouse = f.enemy;
    // The player retreats at once: in the window his side 0 loses, for the caller side A won.
    EXPECT_EQ(f.fight(), kFieldSide0Won);
    EXPECT_EQ(seat.offered, 1);
    EXPECT_EQ(seat.playerSideHouse, f.enemy);
    EXPECT_EQ(seat.castleSide, 2);
    EXPECT_EQ(f.game->world.castles[f.enemyCastle].garrison, 47); // pursuit of the unbroken: x0.95

    // Generals all in a corps: not offered to the window.
    Battlefield corps;
    corps.game->frontend = &seat;
    corps.game->world.playerHouse = corps.home;
    for (int g : corps.attackers)
        corps.game->world.generals[g].corps = 0;
    seat.offered = 0;
    corps.fight();
    EXPECT_EQ(seat.offered, 0);

    // Declined by the window, or the program closed inside it: the battle is fought out
    // automatically; a closed program also stops the month.
    for (HandBattle answer : {HandBattle::NotByHand, HandBattle::Abandoned}) {
        Battlefield g;
        g.game->frontend = &seat;
        g.game->world.playerHouse = g.home;
        seat.answer = answer;
        seat.offered = 0;
        EXPECT_EQ(g.fight(), kFieldSide0Won);
        EXPECT_EQ(seat.offered, 1);
        EXPECT_EQ(g.game->closing, answer == HandBattle::Abandoned);
    }
}

struct Battlefield* closingField = nullptr;
void battleAtClose(Game&) {
    closingField->fight();
}

TEST(FieldBattleWorld, ClosingTheProgramInsideTheWindowStopsTheMonth) {
    Battlefield f;
    BattleSeat seat;
    seat.answer = HandBattle::Abandoned;
    f.game->frontend = &seat;
    f.game->world.playerHouse = f.home;
    f.game->world.phase = kPhaseSortie;
    PhaseTable table{};
    table.phases[kPhaseSortie].closing = battleAtClose;
    f.game->phaseTable = &table;
    closingField = &f;
    const GameDate before = f.game->world.date;
    EXPECT_EQ(finishPhase(*f.game, kPhaseSortie), FlowStatus::Closed);
    EXPECT_TRUE(sameDate(f.game->world.date, before));
    EXPECT_TRUE(seat.messages.empty());
    EXPECT_EQ(endTurnPressed(*f.game), FlowStatus::Closed); // and nothing runs any more
    EXPECT_EQ(seat.offered, 1);
    closingField = nullptr;
}

} // namespace
} // namespace vh
