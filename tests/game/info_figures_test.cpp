// The figures of the information dialogs: castle parts under siege, positions and action marks of
// generals, who shows in a house's general lists, and the houses' sums.
#include "game/info_figures.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <memory>

namespace vh {
namespace {

TEST(InfoFigures, CastlePartsFallFromTheOutsideIn) {
    // A size-3 castle at progress 150: the outermost part has fallen, the next is half taken.
    EXPECT_EQ(castlePartsShown(3), 3);
    EXPECT_EQ(castlePartText(150, 3, 0), "0%");
    EXPECT_EQ(castlePartText(150, 3, 1), "50%");
    EXPECT_EQ(castlePartText(150, 3, 2), "陥落");
    EXPECT_EQ(castlePartText(0, 3, 2), "0%");
    EXPECT_EQ(castlePartText(99, 1, 0), "99%");
    EXPECT_EQ(castlePartText(100, 1, 0), "陥落");
    EXPECT_EQ(castlePartText(1000, 10, 0), "陥落");
    EXPECT_EQ(castlePartText(999, 10, 0), "99%");
    EXPECT_EQ(castlePartsShown(12), 10);
    EXPECT_EQ(castlePartsShown(0), 0);
    EXPECT_STREQ(castlePartName(7), "外堀");
    EXPECT_STREQ(castlePartName(10), "");
}

TEST(InfoFigures, ShipsAndPercentages) {
    Castle c;
    c.tradeShips = 7;
    c.voyages[0].ships = 2;
    c.voyages[9].ships = 3;
    EXPECT_EQ(shipsAtSea(c), 5);
    EXPECT_EQ(shipsInPort(c), 2);
    c.tradeShips = 4; // inconsistent counts never show a negative number waiting
    EXPECT_EQ(shipsInPort(c), 0);
    EXPECT_EQ(percentTenthsText(755), " 75.5%");
    EXPECT_EQ(percentTenthsText(1000), "100.0%");
    EXPECT_EQ(percentTenthsText(3), "  0.3%");
    EXPECT_EQ(kokuSumText(3000000000LL), "300000万0000石");
    EXPECT_EQ(kokuSumText(120345), "12万0345石");
    EXPECT_STREQ(relationName(8), "同主家(臣従)");
    EXPECT_STREQ(relationName(11), "");
    EXPECT_STREQ(statusName(2), "人質");
}

struct Houses {
    std::unique_ptr<WorldState> w = std::make_unique<WorldState>();
    int oda, tokugawa, saito, head, guest, leader, member, plain, vassalGuest, vassalHead, prisoner;
    int c0, c1, c2;
    Houses() {
        test::WorldBuilder b(*w);
        oda = b.house("織田家", 5000);
        tokugawa = b.house("徳川家", 800);
        saito = b.house("斎藤家", 300);
        b.vassal(tokugawa, oda, 2);
        c0 = b.castle("清洲城", oda);
        c1 = b.castle("岡崎城", tokugawa);
        c2 = b.castle("稲葉山城", saito);
        head = b.general("織田信長", oda, c0);
        guest = b.general("前田利家", oda, c0);
        w->generals[guest].status = kStatusGuest;
        leader = b.general("柴田勝家", oda, c0);
        member = b.general("佐久間信盛", oda, c0);
        b.corps(leader, oda);
        w->generals[member].corps = w->generals[leader].corps;
        plain = b.general("丹羽長秀", oda, c0);
        vassalHead = b.general("徳川家康", tokugawa, c1);
        vassalGuest = b.general("本多忠勝", tokugawa, c1);
        w->generals[vassalGuest].status = kStatusGuest;
        prisoner = b.general("斎藤龍興", saito, c0);
        w->generals[prisoner].status = kStatusPrisoner;
        w->generals[prisoner].holderHouse = static_cast<int16_t>(oda);
        w->generals[prisoner].originHouse = static_cast<int16_t>(saito);
        b.general("稲葉一鉄", saito, c2);
        w->castles[c0].yield = 100000;
        w->castles[c1].yield = 60000;
        w->castles[c2].yield = 50000;
    }
};

TEST(InfoFigures, PositionsOfHeadsGuestsAndCorps) {
    Houses h;
    const WorldState& w = *h.w;
    EXPECT_EQ(positionText(w, h.head), "当主");
    EXPECT_EQ(positionText(w, h.guest), "織田家 客将");
    // A guest of a submitted house names the house it answers to.
    EXPECT_EQ(positionText(w, h.vassalGuest), "織田家 客将");
    EXPECT_EQ(positionText(w, h.leader), "軍団長");
    EXPECT_EQ(positionText(w, h.member), "柴田勝家 軍団");
    EXPECT_EQ(positionText(w, h.plain), "");
    EXPECT_EQ(positionText(w, 999), "");
}

TEST(InfoFigures, TheVassalSwitchOfTheGeneralList) {
    Houses h;
    const WorldState& w = *h.w;
    const std::vector<int> own = {h.head, h.guest, h.leader, h.member, h.plain};
    std::vector<int> off = own;
    off.push_back(h.vassalGuest); // without the switch only the vassal's guests come along
    EXPECT_EQ(houseGeneralList(w, h.oda, false), off);
    std::vector<int> on = own;
    on.push_back(h.vassalHead);
    on.push_back(h.vassalGuest);
    EXPECT_EQ(houseGeneralList(w, h.oda, true), on);
    // The prisoner is listed below, with his keeper, not with his own house.
    EXPECT_EQ(heldCaptives(w, h.oda), std::vector<int>{h.prisoner});
    EXPECT_EQ(houseGeneralList(w, h.saito, true).size(), 1u);
    EXPECT_TRUE(heldCaptives(w, h.saito).empty());
    EXPECT_TRUE(houseGeneralList(w, -1, true).empty());
}

TEST(InfoFigures, AgesActionsAndTheActionColumn) {
    Houses h;
    WorldState& w = *h.w;
    w.date.year = 1560;
    General& g = w.generals[h.plain];
    g.birthYear = 1535;
    EXPECT_EQ(ageText(w, g), "25");
    g.flags |= kFlagBirthUnknown;
    EXPECT_EQ(ageText(w, g), "不詳");
    EXPECT_EQ(ageText(w, g, true), "25(?)");
    EXPECT_EQ(generalAge(w, g), -1);

    EXPECT_STREQ(actionText(g), "");
    g.flags |= kFlagActed;
    EXPECT_STREQ(actionText(g), "済");
    g.sortieTarget = 2;
    EXPECT_STREQ(actionText(g), "出陣");
    g.moveTarget = 1;
    EXPECT_STREQ(actionText(g), "移動中");

    w.playerHouse = h.oda;
    for (int phase : {1, 2, 3, 4, 5, 6}) {
        w.phase = phase;
        const bool shown = (phase >= 2 && phase <= 4) || phase == 6;
        EXPECT_EQ(showsActionColumn(w, h.c0, false), shown) << phase;
        EXPECT_EQ(showsActionColumn(w, h.c1, false), shown) << phase; // the submitted vassal's castle
        EXPECT_FALSE(showsActionColumn(w, h.c2, false)) << phase;
    }
    w.castles[h.c2].besiegedBy = static_cast<int16_t>(h.tokugawa);
    w.phase = kPhaseDiplomacy;
    EXPECT_TRUE(showsActionColumn(w, h.c2, true));
    w.phase = kPhaseDomestic;
    EXPECT_FALSE(showsActionColumn(w, h.c2, true));
    w.playerHouse = -1;
    EXPECT_FALSE(showsActionColumn(w, h.c0, false));
}

TEST(InfoFigures, HouseSumsCountSubmittedVassalsForTheirLord) {
    Houses h;
    WorldState& w = *h.w;
    w.settings.heiUnit = 10;
    w.castles[h.c0].garrison = 30;
    w.castles[h.c0].town = 40;
    w.castles[h.c1].tradeShips = 3;
    w.castles[h.c1].voyages[4].ships = 1;
    w.generals[h.head].cavalry = 5;
    w.generals[h.plain].guns = 2;
    const auto f = houseFigures(w);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[h.oda].castles, 1);
    EXPECT_EQ(f[h.oda].koku, 100000);
    EXPECT_EQ(f[h.oda].kokuWithVassals, 160000);
    EXPECT_EQ(f[h.tokugawa].kokuWithVassals, 60000); // a submitted house counts its own
    EXPECT_EQ(f[h.saito].kokuWithVassals, 50000);
    EXPECT_EQ(f[h.oda].generals, 5);
    EXPECT_EQ(f[h.saito].generals, 2); // the prisoner still belongs to his house
    EXPECT_EQ(f[h.oda].cavalry, 50);
    EXPECT_EQ(f[h.oda].guns, 20);
    EXPECT_EQ(f[h.oda].garrison, 300);
    EXPECT_EQ(f[h.oda].town, 40);
    EXPECT_EQ(f[h.tokugawa].shipsInPort, 2);
    EXPECT_EQ(f[h.tokugawa].shipsAtSea, 1);
    EXPECT_EQ(lordLineText(w, h.tokugawa), "織田家に臣従");
    w.houses[h.tokugawa].vassalState = 1;
    EXPECT_EQ(lordLineText(w, h.tokugawa), "織田家に従属");
    EXPECT_EQ(lordLineText(w, h.oda), "");
}

} // namespace
} // namespace vh
