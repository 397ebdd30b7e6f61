// A small world for the personnel tests: the player's house with a vassal and a rival, a castle
// each, and a scripted player.
#pragma once

#include "context/game.h"
#include "game/scripted_frontend.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <memory>

namespace vh::test {

struct PersonnelTest : ::testing::Test {
    std::unique_ptr<Game> gamePtr = std::make_unique<Game>();
    Game& game = *gamePtr;
    WorldState& w = game.world;
    WorldBuilder b{w};
    ScriptedFrontend player;
    int me = -1, vassal = -1, rival = -1;
    int myCastle = -1, vassalCastle = -1, rivalCastle = -1;
    int head = -1, vassalHead = -1, rivalHead = -1;

    void SetUp() override {
        w.date = {1560, 5};
        me = b.house("織田");
        vassal = b.house("徳川");
        rival = b.house("今川");
        myCastle = b.castle("清洲城", me);
        vassalCastle = b.castle("岡崎城", vassal);
        rivalCastle = b.castle("駿府城", rival);
        b.route(myCastle, vassalCastle);
        b.route(vassalCastle, rivalCastle);
        head = b.general("信長", me, myCastle);
        vassalHead = b.general("家康", vassal, vassalCastle);
        rivalHead = b.general("義元", rival, rivalCastle);
        b.vassal(vassal, me);
        w.playerHouse = me;
        game.frontend = &player;
    }
    int general(const char* name, int house, int castle, int valor = 5, int intellect = 5) {
        const int g = b.general(name, house, castle);
        w.generals[g].valor = static_cast<uint8_t>(valor);
        w.generals[g].intellect = static_cast<uint8_t>(intellect);
        w.generals[g].birthYear = 1530;
        return g;
    }
};

} // namespace vh::test
