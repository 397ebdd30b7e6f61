// The invariant checker: a sound world passes in every scope, each corrupted table is named with
// its index, mid-phase leftovers are tolerated until a rebuild point, and broken counts are
// reported without reading outside the tables.
#include "support/world_builder.h"
#include "world/castle_rules.h"
#include "world/world_invariants.h"

#include <gtest/gtest.h>

#include <functional>

namespace vh {
namespace {

using test::WorldBuilder;

// Two houses, the second submitted to the first; the first holds a prisoner of a third house,
// besieges the third house's castle and has a corps with a fief castle.
struct Invariants : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int lord = b.house("主家"), vassal = b.house("臣従家"), enemy = b.house("敵");
    int home = b.castle("本城", lord), fief = b.castle("支城", lord), vcastle = b.castle("臣従城", vassal);
    int target = b.castle("敵城", enemy);
    int head = b.general("当主", lord, home);
    int second = b.general("家老", lord, fief);
    int vhead = b.general("臣従当主", vassal, vcastle);
    int ehead = b.general("敵当主", enemy, target);
    int besieger = b.general("寄手", vassal, target, true);
    int prisoner = b.general("捕虜", enemy, home);
    int corps = -1;

    void SetUp() override {
        b.province("尾張", b.region("東海"));
        b.route(home, fief);
        b.route(fief, vcastle);
        b.route(vcastle, target);
        b.vassal(vassal, lord);
        corps = b.corps(second, lord);
        w.castles[fief].corps = static_cast<int16_t>(corps);
        General& p = w.generals[prisoner];
        p.house = kHouseHeld;
        p.status = kStatusPrisoner;
        p.holderHouse = static_cast<int16_t>(lord);
        p.originHouse = static_cast<int16_t>(enemy);
        w.scenarioGeneralCount = w.generalCount;
        for (int c = 0; c < w.castleCount; ++c) w.castles[c].food = 100;
        w.phase = kPhasePersonnel;
        for (int i = 0; i < w.houseCount; ++i) w.houseOrder[i] = i;
        rebuildCastleLists(w, {});
    }
    std::vector<std::string> strict() { return checkWorldInvariants(w, afterEventStepScope()); }
};

bool names(const std::vector<std::string>& lines, const std::string& part) {
    for (const std::string& l : lines)
        if (l.find(part) != std::string::npos) return true;
    return false;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

TEST_F(Invariants, ASoundWorldPassesEveryScopeAndEachCorruptedTableIsNamed) {
    ASSERT_EQ(w.castles[target].besiegedBy, lord);
    ASSERT_EQ(w.castles[home].generalCount, 1) << "the prisoner stands in no list";
    EXPECT_EQ(joined(strict()), "");
    EXPECT_EQ(joined(checkWorldInvariants(w, midPhaseScope())), "");

    struct Corruption {
        const char* expected;
        std::function<void(WorldState&)> apply;
    };
    const Corruption cases[] = {
        {"houses[0]: relation kind 2 toward house 2 but kind 1 back",
         [&](WorldState& x) { setRelationKind(x.houses[lord], enemy, kRelPact); }},
        {"houses[1]: vassalState 2 but relation kind 3 toward its lord 0",
         [&](WorldState& x) {
             setRelationKind(x.houses[vassal], lord, kRelSubordinateTo);
             setRelationKind(x.houses[lord], vassal, kRelHasSubordinate);
         }},
        {"houses[1]: independent but its lord is house 0", [&](WorldState& x) { x.houses[vassal].vassalState = 0; }},
        {"houses[0]: funds 1000000001 above the cap", [&](WorldState& x) { x.houses[lord].funds = kMaxFunds + 1; }},
        {"corps[0]: funds", [&](WorldState& x) { x.corps[corps].funds = kMaxFunds + 5; }},
        {"castles[1]: fief of corps 0 of house 0 but owned by house 2",
         [&](WorldState& x) { x.castles[fief].owner = static_cast<int16_t>(enemy); }},
        {"castles[1]: garrison list names general 1, already listed at castle 0",
         [&](WorldState& x) { x.castles[home].generals[x.castles[home].generalCount++] = second; }},
        {"castles[3]: besiegedBy -1 but the field list gives 0", [&](WorldState& x) { x.castles[target].besiegedBy = -1; }},
        {"castles[0]: garrison list names general 5 of house -3",
         [&](WorldState& x) { x.castles[home].generals[x.castles[home].generalCount++] = prisoner; }},
        {"generals[5]: held by house 7, out of range", [&](WorldState& x) { x.generals[prisoner].holderHouse = 7; }},
        {"generals[5]: house -3 with status 0", [&](WorldState& x) { x.generals[prisoner].status = kStatusOrdinary; }},
        {"generals[1]: in corps 3, which is not in use", [&](WorldState& x) { x.generals[second].corps = 3; }},
        {"castles[2]: food 2001 outside 0..2000", [&](WorldState& x) { x.castles[vcastle].food = 2001; }},
        {"castles[2]: support 1001 outside 0..1000", [&](WorldState& x) { x.castles[vcastle].support = 1001; }},
        {"castleSites[2]: route to 0 one-sided", [&](WorldState& x) { x.castleSites[vcastle].routes[1] = 0; }},
        {"houses[2]: head general 3 serves house 0", [&](WorldState& x) { x.generals[ehead].house = 0; }},
        {"generals[4]: stands in castle 3 of another side",
         [&](WorldState& x) { x.generals[besieger].flags &= ~kFlagInField; }},
        {"castles[3]: besieged by general 4 of its own side",
         [&](WorldState& x) { x.castles[target].owner = static_cast<int16_t>(lord); }},
        {"houseOrder[1]: entry 0 breaks the permutation", [&](WorldState& x) { x.houseOrder[1] = 0; }},
    };
    for (const Corruption& c : cases) {
        const WorldState saved = w;
        c.apply(w);
        EXPECT_TRUE(names(strict(), c.expected)) << "expected \"" << c.expected << "\", got:\n" << joined(strict());
        w = saved;
    }
}

TEST_F(Invariants, MidPhaseLeftoversPassUntilARebuildPointButNotAfterIt) {
    // A general lost this phase still stands in his castle's list; a hostage just taken too.
    w.generals[second].house = kHouseLost;
    General& h = w.generals[vhead];
    h.house = kHouseHeld;
    h.status = kStatusHostage;
    h.holderHouse = static_cast<int16_t>(lord);
    h.originHouse = static_cast<int16_t>(vassal);
    const auto mid = checkWorldInvariants(w, midPhaseScope());
    EXPECT_FALSE(names(mid, "castles[")) << joined(mid);
    const auto after = checkWorldInvariants(w, afterMovesScope());
    EXPECT_TRUE(names(after, "generals[1]: house -1 still in the table after the rebuild")) << joined(after);
    EXPECT_TRUE(names(after, "castles[2]: garrison list {2} but the general records give {}")) << joined(after);
    // The rebuild settles all of it.
    rebuildCastleLists(w, {});
    EXPECT_EQ(joined(checkWorldInvariants(w, afterMovesScope())), "");
}

TEST_F(Invariants, BrokenCountsAreReportedWithoutReadingOutsideTheTables) {
    w.generalCount = kMaxGenerals + 7;
    w.castles[home].generalCount = 200;
    w.castles[home].generals[0] = 99999;
    w.houses[lord].head = 123456;
    const auto lines = strict();
    EXPECT_TRUE(names(lines, "generals: count 5007 outside 0..5000")) << joined(lines);
    EXPECT_TRUE(names(lines, "castles[0]: garrison count 200 above 20")) << joined(lines);
    EXPECT_TRUE(names(lines, "castles[0]: garrison list names general 99999, out of range")) << joined(lines);
    EXPECT_TRUE(names(lines, "houses[0]: head 123456 out of range")) << joined(lines);
    EXPECT_LE(lines.size(), 201u);
}

} // namespace
} // namespace vh
