// A small world for the month's battles, with the engines replaced by scripted outcomes so that
// each test decides who wins and can see what each battle was asked to fight.
#pragma once

#include "battle/battle_resolution.h"
#include "game/scripted_frontend.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace vh::test {

// The world and the scripted engines; a test may keep several.
struct ResolutionWorld {
    ResolutionWorld() : game(std::make_unique<Game>()), w(game->world), b(w) {
        game->frontend = &player;
        w.playerHouse = -1;
        w.settings.heiUnit = 10;
        w.scenarioGeneralCount = 200; // every general made here has a scenario record
    }

    // A general with troops.
    int general(const std::string& name, int house, int castle, int cavalry, int foot, bool inField = false) {
        const int g = b.general(name, house, castle, inField);
        w.generals[g].cavalry = static_cast<int16_t>(cavalry);
        w.generals[g].foot = static_cast<int16_t>(foot);
        return g;
    }
    void sortie(int g, int target) {
        w.generals[g].sortieTarget = static_cast<int16_t>(target);
        w.generals[g].flags |= kFlagActed;
    }
    void ally(int a, int c) {
        setRelationKind(w.houses[a], c, kRelPact);
        setRelationKind(w.houses[c], a, kRelPact);
    }

    // The engines: battles answer from `results` (a draw when none is queued), sieges hold
    // unless `siegeResults` says otherwise, garrisons sally as `sallies` says.
    ResolutionServices services() {
        ResolutionServices s;
        s.fieldBattle = [this](Game&, const FieldBattleCall& call) {
            battles.push_back(call);
            if (results.empty()) return kBattleDraw;
            const int r = results.front();
            results.pop_front();
            return r;
        };
        // The month's siege: the garrison sallies as `sallies` says, then the siege gives the next of
        // `siegeResults` (holding when none is queued) unless the sally drove the besiegers off.
        s.siegeMonth = [this](Game& g, int castle, const SallyBattleCall& sally) {
            SiegeOutcome out;
            if (!sallies.empty()) {
                const bool out_ = sallies.front();
                sallies.pop_front();
                if (out_) out.sally = sally(g, castle);
            }
            if (out.sally >= 0 && out.sally != kBattleSideAWon) return out;
            siegedCastles.push_back(castle);
            if (!siegeResults.empty()) {
                out.result = siegeResults.front();
                siegeResults.pop_front();
            }
            return out;
        };
        s.takePrisoner = [this](Game&, int captor, int g) {
            General& r = w.generals[g];
            r.house = kHouseHeld;
            r.holderHouse = static_cast<int16_t>(captor);
            r.status = kStatusPrisoner;
            taken.push_back(g);
        };
        s.settlePrisoners = [this](Game&, int conqueror, const std::vector<int>& p) {
            settled.push_back({conqueror, p});
        };
        return s;
    }

    void run() { resolveMonthlyBattles(*game, services()); }
    std::vector<std::string> reportLines() const {
        std::vector<std::string> lines;
        const std::string& r = game->battleReport;
        size_t at = 0;
        while (at < r.size()) {
            const size_t end = r.find("\r\n", at);
            if (end == std::string::npos) {
                lines.push_back(r.substr(at) + "<no CR LF>");
                break;
            }
            lines.push_back(r.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }
    std::vector<std::string> messages() const { return player.texts("message"); }

    std::unique_ptr<Game> game;
    WorldState& w;
    WorldBuilder b;
    ScriptedFrontend player;
    std::deque<int> results;
    std::deque<bool> sallies;
    std::deque<int> siegeResults;
    std::vector<FieldBattleCall> battles;
    std::vector<int> siegedCastles;
    std::vector<int> taken;
    struct Settled {
        int conqueror;
        std::vector<int> prisoners;
        bool operator==(const Settled&) const = default;
    };
    std::vector<Settled> settled;
};

class ResolutionTest : public ::testing::Test, public ResolutionWorld {};

} // namespace vh::test
