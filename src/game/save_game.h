// Saved games: the whole world in one self-contained binary file (map included), written and
// read block by block through the record codecs. A file is either exactly this format or refused.
#pragma once

#include "context/game.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vh {

inline constexpr char kSaveMagic[] = "VARDENHOLM 0.44"; // then zero bytes up to 32
inline constexpr int kSaveHeaderBytes = 32;

enum SaveResult : int {
    kSaveOk = 0,
    kSaveFileError = 1,   // cannot open, read or write the file
    kSaveWrongHeader = 2, // not a saved game of this version
    kSaveBadContent = 3,  // right header, but sizes, counts or indices do not hold
};

// "このファイルはセーブデータでないか、またはバージョンが異なります" for a wrong header,
// "File error" for every other failure, empty for success.
std::string saveResultMessage(int code);

// The file image of the world.
std::vector<uint8_t> saveImage(const WorldState& w);

// Reads a file image into `out`. The whole image is decoded and checked in a scratch world first:
// every count against its table's capacity and the bytes left, the file's exact length, and every
// stored index against its table; `out` is replaced only when all of it holds.
int parseSaveImage(const uint8_t* data, size_t size, WorldState& out);

// Reads image after image into one scratch world it keeps. Building a full-capacity world costs
// far more than reading most images, so before each load only what earlier loads wrote is set
// back: every load leaves exactly the world a newly built scratch would hold after it.
class SaveLoader {
public:
    SaveLoader();
    ~SaveLoader();
    // Decodes and checks an image as parseSaveImage does. After kSaveOk the loaded world is
    // `world()` until the next load or moveTo.
    int load(const uint8_t* data, size_t size);
    const WorldState& world() const { return *world_; }
    // Hands the loaded world over; the next load builds a new scratch.
    void moveTo(WorldState& out);

private:
    // Records written per table since the scratch was last set back.
    struct Written {
        int scenarioHouses = 0, houses = 0, scenarioGenerals = 0, castles = 0, generals = 0, waiting = 0,
            tradePartners = 0, coalitions = 0, gunMarkets = 0, gunProduction = 0;
    };
    void reset();
    std::unique_ptr<WorldState> world_;
    Written written_;
};

// Writes the image to a temporary file beside `path` and renames it into place, so a failed
// save leaves an earlier file of that name intact.
int writeSaveFile(const std::string& path, const WorldState& w);
int readSaveFile(const std::string& path, WorldState& out);

// The player's save command: writes the file and shows "File error" when that fails.
int saveGame(Game& game, const std::string& path);
// The player's load command: on success the world is replaced, quietMode and gameOver are
// cleared and the game stands at the player's turn of the saved phase; on failure the message
// is shown and the current game stays as it was.
int loadGame(Game& game, const std::string& path);

// 64-bit FNV-1a.
uint64_t fnv1a64(const uint8_t* data, size_t size);
// The run's fingerprint: FNV-1a of the save image.
uint64_t worldDigest(const WorldState& w);

// The check of every stored index in a decoded world (used by the loader; exposed for tests).
bool saveIndicesValid(const WorldState& w);

} // namespace vh
