// A small world for the economy rules: the player's house with its head in province 0, a neighbour
// province 1 joined by a route, and a far province 2.
#pragma once

#include "context/game.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

namespace vh::test {

struct EconomyTest : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int player = -1, rival = -1;
    int home = -1, near = -1, far = -1; // castles in provinces 0, 1, 2
    int head = -1;

    void SetUp() override {
        const int r = b.region("畿内");
        for (const char* name : {"山城", "摂津", "大和"})
            b.province(name, r);
        w.date = {1560, 4};
        w.settings.startYear = 1560;
        w.settings.startMonth = 4;
        w.settings.heiUnit = 10;
        player = b.house("織田", 10000);
        rival = b.house("今川", 10000);
        w.playerHouse = player;
        home = b.castle("清洲城", player, 0);
        near = b.castle("大坂城", player, 1);
        far = b.castle("奈良城", player, 2);
        b.route(home, near);
        head = b.general("信長", player, home);
        b.general("義元", rival, near);
    }

    // A port castle of `owner` in `province` with `ships` trade ships.
    int port(const char* name, int owner, int province, int ships) {
        const int c = b.castle(name, owner, province);
        w.castleSites[c].hasPort = 1;
        w.castles[c].tradeShips = static_cast<uint8_t>(ships);
        return c;
    }
};

} // namespace vh::test
