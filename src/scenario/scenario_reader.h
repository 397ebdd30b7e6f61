// Reading a scenario file into a new world: settings, sections, the map they name, the cipher form.
// The reader never shows anything itself; the caller shows the message and the opening text.
#pragma once

#include "world/world_state.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vh {

struct ScenarioReadResult {
    int code = 0;                     // 0 success, else the error code of the table
    std::string message;              // UTF-8 text exactly as the game's message box shows it
    std::vector<std::string> notices; // duplicate-relation messages (UTF-8), in order, reading went on
};

// Reads a scenario file (plain or cipher form) into `world` as a new game would before set-up.
// programDir: where default.map and a MapFile are looked up after the scenario's own directory.
// On failure `world` is unchanged (read into a scratch WorldState, move-assign on success).
ScenarioReadResult readScenario(const std::string& path, const std::string& programDir, WorldState& world);

// The same over a file image already in memory; scenarioDir stands for the file's directory.
ScenarioReadResult readScenarioFromBytes(std::string_view bytes, const std::string& scenarioDir,
                                         const std::string& programDir, WorldState& world);

} // namespace vh
