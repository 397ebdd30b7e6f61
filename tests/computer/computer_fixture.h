// A small world for the computer-house tests: houses with castles of given koku, generals with
// troops, and a corps with its orders and provinces.
#pragma once

#include "context/game.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <memory>

namespace vh::test {

struct ComputerTest : ::testing::Test {
    std::unique_ptr<Game> gamePtr = std::make_unique<Game>();
    Game& game = *gamePtr;
    WorldState& w = game.world;
    WorldBuilder b{w};

    ComputerTest() { w.date = GameDate{1560, 10}; }

    int castle(const std::string& name, int owner, int koku = 10000, int province = 0) {
        const int c = b.castle(name, owner, province);
        Castle& k = w.castles[c];
        k.yield = koku;
        k.support = 500;
        k.food = 1000;
        w.castleSites[c].maxYield = koku * 2;
        w.castleSites[c].maxTown = 100;
        w.castleSnapshot[c] = k;
        return c;
    }
    int general(const std::string& name, int house, int castle, int cavalry = 0, int foot = 0) {
        const int g = b.general(name, house, castle);
        General& r = w.generals[g];
        r.cavalry = static_cast<int16_t>(cavalry);
        r.foot = static_cast<int16_t>(foot);
        r.valor = 5;
        r.intellect = 5;
        return g;
    }
    int corps(int leader, int house, int action, int province) {
        const int c = b.corps(leader, house);
        w.corps[c].orders = static_cast<int16_t>(action);
        w.corps[c].provinces[0] = static_cast<uint8_t>(province);
        return c;
    }
    void pact(int a, int x) {
        setRelationKind(w.houses[a], x, kRelPact);
        setRelationKind(w.houses[x], a, kRelPact);
    }
};

} // namespace vh::test
