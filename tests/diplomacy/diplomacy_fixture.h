// A small world for the diplomacy tests, a player that answers envoys from a script, and a few
// shorthands for castles with koku and generals with troops.
#pragma once

#include "diplomacy/relations.h"
#include "context/game.h"
#include "game/scripted_frontend.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace vh::test {

// Records every envoy visit and answers from a queue; with the queue empty it answers as the
// computer would (the default of the seam).
class EnvoyPlayer : public ScriptedFrontend {
  public:
    EnvoyPlayer& envoyAnswer(bool accept, bool hostage = false) {
        envoyAnswers_.push_back({accept, hostage});
        return *this;
    }
    EnvoyVisitAnswer askEnvoyVisit(const EnvoyVisitRequest& request) override {
        visits.push_back(request);
        if (envoyAnswers_.empty()) return Frontend::askEnvoyVisit(request);
        const EnvoyVisitAnswer a = envoyAnswers_.front();
        envoyAnswers_.pop_front();
        return a;
    }
    std::vector<EnvoyVisitRequest> visits;

  private:
    std::deque<EnvoyVisitAnswer> envoyAnswers_;
};

struct DiplomacyTest : ::testing::Test {
    std::unique_ptr<Game> gamePtr = std::make_unique<Game>();
    Game& game = *gamePtr;
    WorldState& w = game.world;
    WorldBuilder b{w};

    int castle(const std::string& name, int owner, int koku, int province = 0) {
        const int c = b.castle(name, owner, province);
        w.castles[c].yield = koku;
        return c;
    }
    int general(const std::string& name, int house, int castle, int cavalry = 0, int foot = 0,
                bool inField = false) {
        const int g = b.general(name, house, castle, inField);
        w.generals[g].cavalry = static_cast<int16_t>(cavalry);
        w.generals[g].foot = static_cast<int16_t>(foot);
        return g;
    }
    void besiege(int castleIndex, int general) {
        w.castles[castleIndex].besiegedBy = static_cast<int16_t>(w.generals[general].house);
    }
    int kind(int a, int x) { return kindAbout(w, a, x); }
    // The state the generator reaches after n more draws from now, without touching it.
    uint32_t stateAfter(int n) {
        Random copy = game.rng;
        for (int i = 0; i < n; ++i)
            copy.next();
        return copy.state();
    }
};

} // namespace vh::test
