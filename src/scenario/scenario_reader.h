// Reading a scenario file into a new world: settings, sections, the map they name, the cipher form.
// The reader never shows anything itself; the caller shows the message and the opening text.
#pragma once

#include "world/world_state.h"

#include <cstdint>
#include <memory>
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

// A world kept from one read to the next, for a caller that reads many files in a row (the
// fuzzer): building a full-capacity world costs far more than reading a small file. Before each
// read, the tables the reader writes are put back to their newly built state as far as the last
// read reached; the others are never written by the reader.
class ScenarioScratch {
public:
    ScenarioScratch();
    ~ScenarioScratch();
    // Reads a file image as readScenarioFromBytes does, into the kept world. After a success the
    // world read is `world()` until the next read; its map stays empty when the scenario needed none.
    ScenarioReadResult read(std::string_view bytes, const std::string& scenarioDir, const std::string& programDir);
    WorldState& world() { return *world_; }
    bool mapLoaded() const { return mapLoaded_; }

private:
    void reset();
    std::unique_ptr<WorldState> world_;
    std::unique_ptr<const ScenarioSettings> settings_; // a new world's settings and first partner
    std::unique_ptr<const TradePartner> training_;
    bool mapLoaded_ = false;
};

} // namespace vh
