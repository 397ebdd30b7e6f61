// Game: the context every rule takes explicitly — the world, the one random generator,
// the player-facing seam and the run flags. No rule keeps state anywhere else.
#pragma once

#include "context/frontend.h"
#include "world/random.h"
#include "world/world_state.h"

#include <memory>
#include <string>
#include <vector>

namespace vh {

struct PhaseTable;

struct Game {
    WorldState world;
    Random rng;
    Frontend* frontend = nullptr;
    bool quietMode = false;
    bool gameOver = false;
    bool benchmark = false;
    // The program was closed inside a window of the month (a hand-fought battle): the rules finish
    // what they are doing without asking the player again and the turn driver stops.
    bool closing = false;
    // The month's diplomacy log shown in the main window; emptied when the diplomacy phase begins.
    std::string diplomacyLog;
    // The month's report of battles and sieges (lines end in CR LF), shown by the ログ window. The
    // battle resolution of the sortie phase writes it.
    std::string battleReport;
    // The command phases' routines; null for the game's own (tests install recording ones).
    const PhaseTable* phaseTable = nullptr;
    // What the computer houses keep from one house to the next within a run of houses of one
    // phase (an index of who holds what); rebuilt whenever a new run starts, never saved.
    std::shared_ptr<void> computerScratch;
    // Messages shown while no frontend is attached (tools, tests).
    std::vector<std::string> messageLog;

    // A message that must reach the player.
    void show(const std::string& text) {
        if (frontend) frontend->showMessage(text);
        else messageLog.push_back(text);
    }
    // A message that only interrupts play: dropped during automatic progress.
    void notify(const std::string& text) {
        if (!quietMode) show(text);
    }
};

} // namespace vh
