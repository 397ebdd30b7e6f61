// Saved games: byte-exact round trip, resuming at the saved phase with the saved house order, and
// refusal of truncated, padded and corrupted files without touching the running game.
#include "game/new_game.h"
#include "game/phase_table.h"
#include "game/save_game.h"
#include "game/scenario_fixture.h"
#include "game/scripted_frontend.h"
#include "game/turn_driver.h"
#include "support/world_image.h"
#include "world/byte_io.h"
#include "world/map_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace vh {
namespace {

namespace fs = std::filesystem;

std::vector<int> gActed;
void recordHouse(Game&, int h) { gActed.push_back(h); }

PhaseTable recordingTable() {
    PhaseTable t = standardPhaseTable();
    for (int p = 1; p <= 6; ++p) t.phases[p].house = recordHouse;
    return t;
}
const PhaseTable kRecording = recordingTable();

// A world with some of everything the save file holds.
std::unique_ptr<Game> richGame(uint32_t seed = 3, int houses = 12, int generalsPerHouse = 5, int provinces = 20) {
    auto game = std::make_unique<Game>();
    WorldState& w = game->world;
    test::generateScenario(w, houses, 3, generalsPerHouse, provinces);
    w.map.palette[3] = 0x00123456;
    w.map.extent[2] = 77;
    w.map.nodes = {{0, 0}, {200, 0}, {0, 200}};
    w.map.points = {{100, 100}, {-1, -1}};
    w.map.edges = {MapEdge{0, 1, 0, {9, 8}}, MapEdge{1, 2, 0, {}}};
    w.map.edgeLists = {0, 1, -1};
    w.map.shapes = {MapShape{0, static_cast<int16_t>(0x8003), 2}};
    w.snowChance[4][11] = 30;
    w.rainChance[2][6] = 40;
    w.viewAreas[5].zoom = 9;
    w.gunProduction[3].current = 1.25;
    w.gunMarketCount = 2;
    setFieldText(w.gunMarkets[1].name, "market");
    w.gunMarkets[1].rateCurrent = 0.5;
    w.tradePartnerCount = 3;
    w.tradePartners[2].friendship[5] = 44;
    w.settings.teppouCost[1] = 1.5;
    w.settings.teppouKouka[2] = 33;
    w.settings.tekiJouTsuuka = false;
    setFieldText(w.settings.title, "title");
    game->rng.seed(seed);
    setUpNewGame(*game);
    w.coalitionCount = 1;
    w.coalitions[0].target = 2;
    w.coalitions[0].memberCount = 2;
    w.coalitions[0].members[0] = 3;
    w.coalitions[0].members[1] = 4;
    w.corps[5].leader = 0;
    w.corps[5].house = 0;
    w.generals[0].corps = 5;
    w.corps[5].funds = 900;
    w.recruitPools[2] = 17;
    EXPECT_EQ(chooseHouse(*game, 1), kChooseOk);
    startMonth(*game);
    return game;
}

TEST(SaveGame, RoundTripIsByteForByte) {
    auto game = richGame();
    for (int i = 0; i < 9; ++i) endTurnPressed(*game); // into the next month, phase 4
    const std::vector<uint8_t> image = saveImage(game->world);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data()), 15), "VARDENHOLM 0.44");
    for (int i = 15; i < 32; ++i) EXPECT_EQ(image[i], 0);

    auto loaded = std::make_unique<WorldState>();
    ASSERT_EQ(parseSaveImage(image.data(), image.size(), *loaded), kSaveOk);
    EXPECT_EQ(saveImage(*loaded), image);
    EXPECT_EQ(loaded->phase, 4);
    EXPECT_EQ(loaded->map.edges[0].trailer[0], 9);
    EXPECT_EQ(loaded->map.shapes[0].fill, static_cast<int16_t>(0x8003));
    EXPECT_EQ(loaded->coalitions[0].members[1], 4);
    EXPECT_EQ(loaded->corps[5].leader, 0);
    EXPECT_EQ(loaded->corps[5].house, 0);
    EXPECT_FALSE(loaded->settings.tekiJouTsuuka);
    EXPECT_EQ(worldDigest(*loaded), fnv1a64(image.data(), image.size()));
}

TEST(SaveGame, HousesBeyondTheSavedCountAreEmpty) {
    auto game = richGame();
    const std::vector<uint8_t> image = saveImage(game->world);
    Game other;
    other.world.houses[500].head = 12;
    other.world.houses[500].funds = 5;
    ASSERT_EQ(parseSaveImage(image.data(), image.size(), other.world), kSaveOk);
    EXPECT_EQ(other.world.houses[500].head, -1);
    EXPECT_EQ(other.world.houses[500].funds, 0);
}

TEST(SaveGame, ResumedInPhaseFourContinuesWithTheSameHouseOrder) {
    auto game = richGame();
    game->phaseTable = &kRecording;
    for (int i = 0; i < 3; ++i) endTurnPressed(*game);
    ASSERT_EQ(game->world.phase, 4);
    const fs::path file = fs::path(::testing::TempDir()) / "phase4.sav";
    ASSERT_EQ(saveGame(*game, file.string()), kSaveOk);

    auto resumed = std::make_unique<Game>();
    resumed->phaseTable = &kRecording;
    ScriptedFrontend ui;
    resumed->frontend = &ui;
    resumed->quietMode = true;
    resumed->battleReport = "an earlier game's battles\r\n";
    ASSERT_EQ(loadGame(*resumed, file.string()), kSaveOk);
    EXPECT_FALSE(resumed->quietMode);
    EXPECT_TRUE(resumed->battleReport.empty()); // the log shows nothing of the game left behind
    EXPECT_EQ(resumed->world.phase, 4);
    EXPECT_EQ(resumed->world.houseOrder, game->world.houseOrder);
    EXPECT_EQ(resumed->world.playerPosition, game->world.playerPosition);
    EXPECT_EQ(ui.texts("phase"), std::vector<std::string>{"4"});
    EXPECT_EQ(ui.count("turn"), 1);

    // Ending the player's turn lets exactly the houses after the player act, in saved order.
    gActed.clear();
    resumed->rng.seed(game->rng.state());
    endTurnPressed(*resumed);
    const std::vector<int> resumedActed(gActed.begin(), gActed.end());
    gActed.clear();
    endTurnPressed(*game);
    EXPECT_FALSE(resumedActed.empty());
    EXPECT_EQ(resumedActed, gActed);
    EXPECT_EQ(resumed->world.phase, 5);
    EXPECT_EQ(saveImage(resumed->world), saveImage(game->world));
    fs::remove(file);
}

// One loader kept from image to image ends every load exactly as a newly built scratch does, in
// every slot of every table, and answers every refused image the same: saves of two worlds of
// different size at every phase of a few months, the smaller after the larger, each followed by
// a cut copy, a copy refused only after the whole of it was decoded, and one with a byte changed.
TEST(SaveGame, AReusedLoaderLoadsAsAFreshOne) {
    std::vector<std::vector<uint8_t>> images;
    for (const int houses : {12, 6}) {
        // The larger has generals waiting to appear; the smaller has fewer of every table.
        auto game = houses == 12 ? richGame(12, 12, 8, 20) : richGame(6, 6, 5, 12);
        game->world.gunProduction[houses + 5].current = 2.5;
        if (houses == 6) {
            game->world.tradePartnerCount = 2;
            game->world.gunMarketCount = 1;
            game->world.coalitionCount = 0;
        }
        for (int turn = 0; turn < 14; ++turn) {
            const std::vector<uint8_t> image = saveImage(game->world);
            images.push_back(image);
            images.emplace_back(image.begin(), image.begin() + static_cast<long>(image.size() * turn / 14));
            std::vector<uint8_t> bad = image;
            storeLE<int32_t>(bad.data() + bad.size() - 5525, 9999); // the player's house
            images.push_back(bad);
            bad = image;
            bad[(static_cast<size_t>(turn) * 7919 + 40) % bad.size()] ^= 0x5A;
            images.push_back(bad);
            endTurnPressed(*game);
        }
    }
    SaveLoader loader;
    int accepted = 0, refused = 0;
    for (size_t i = 0; i < images.size(); ++i) {
        const std::vector<uint8_t>& image = images[i];
        auto fresh = std::make_unique<WorldState>();
        const int code = parseSaveImage(image.data(), image.size(), *fresh);
        ASSERT_EQ(loader.load(image.data(), image.size()), code) << "image " << i;
        if (code != kSaveOk) {
            ++refused;
            continue;
        }
        ASSERT_TRUE(test::fullWorldImage(loader.world()) == test::fullWorldImage(*fresh)) << "image " << i;
        ++accepted;
    }
    EXPECT_GE(accepted, 28);
    EXPECT_GE(refused, 56);
}

// Loads `bytes` into a running game through the player's command and checks it was refused with
// `message` and changed nothing.
void expectRefused(const std::vector<uint8_t>& bytes, const std::string& message) {
    auto game = richGame(11);
    const std::vector<uint8_t> before = saveImage(game->world);
    ScriptedFrontend ui;
    game->frontend = &ui;
    const fs::path file = fs::path(::testing::TempDir()) / "refused.sav";
    {
        std::ofstream f(file, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    EXPECT_NE(loadGame(*game, file.string()), kSaveOk);
    EXPECT_EQ(ui.texts("message"), std::vector<std::string>{message});
    EXPECT_EQ(saveImage(game->world), before);
    fs::remove(file);
}

const std::string kWrongHeader = "このファイルはセーブデータでないか、またはバージョンが異なります";

TEST(SaveGame, WrongHeadersAreRefused) {
    auto game = richGame();
    std::vector<uint8_t> image = saveImage(game->world);
    std::vector<uint8_t> bad = image;
    bad[20] = 1; // a byte after the magic must be zero
    expectRefused(bad, kWrongHeader);
    bad = image;
    bad[14] = '5'; // another version
    expectRefused(bad, kWrongHeader);
    expectRefused({}, kWrongHeader);
}

TEST(SaveGame, TruncatedAndPaddedFilesAreRefused) {
    auto game = richGame();
    const std::vector<uint8_t> image = saveImage(game->world);
    auto scratch = std::make_unique<WorldState>();
    // Every cut through the header and map, then a spread over the rest (a prime step, so cuts
    // fall at every offset within the records).
    for (size_t n = 32; n < image.size(); n += n < 1500 ? 1 : 97) {
        ASSERT_EQ(parseSaveImage(image.data(), n, *scratch), kSaveBadContent) << n;
    }
    std::vector<uint8_t> padded = image;
    padded.push_back(0);
    EXPECT_EQ(parseSaveImage(padded.data(), padded.size(), *scratch), kSaveBadContent);
    expectRefused(std::vector<uint8_t>(image.begin(), image.end() - 1), "File error");
    expectRefused(padded, "File error");
}

// Offset of a block after the map: the map body ends where the fixed 6000 + 600 bytes begin.
size_t countsOffset(const WorldState& w) {
    ByteSink map;
    writeMap(w.map, map);
    return 32 + map.out.size() + 6000 + 600 + 1 + 101 + 101 + 2 + 4 + 4 + 10000 + 20;
}

TEST(SaveGame, CorruptedCountsAndIndicesAreRefused) {
    auto game = richGame();
    WorldState& w = game->world;
    const std::vector<uint8_t> image = saveImage(w);
    const size_t counts = countsOffset(w);
    ASSERT_EQ(loadLE<int32_t>(image.data() + counts + 12), w.castleCount);

    auto corrupt = [&](size_t offset, int32_t value) {
        std::vector<uint8_t> bad = image;
        storeLE<int32_t>(bad.data() + offset, value);
        return bad;
    };
    auto scratch = std::make_unique<WorldState>();
    auto refused = [&](const std::vector<uint8_t>& bad) {
        return parseSaveImage(bad.data(), bad.size(), *scratch) == kSaveBadContent;
    };
    EXPECT_TRUE(refused(corrupt(counts + 4, 1001)));             // houses beyond capacity
    EXPECT_TRUE(refused(corrupt(counts + 12, w.castleCount - 1))); // a count the file size denies
    EXPECT_TRUE(refused(corrupt(counts + 16, -1)));
    EXPECT_TRUE(refused(corrupt(counts + 24, 0))); // no built-in trade partner

    // Indices: change a world and let the writer place the bytes.
    auto refusedWorld = [&](auto change) {
        auto copy = std::make_unique<WorldState>(w);
        change(*copy);
        const std::vector<uint8_t> bad = saveImage(*copy);
        return refused(bad);
    };
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.castles[0].generals[0] = x.generalCount; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.castles[0].generalCount = 21; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.generals[2].castle = static_cast<int16_t>(x.castleCount); }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.generals[2].house = static_cast<int16_t>(x.houseCount); }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.houses[1].head = x.generalCount; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.houseOrder[3] = x.houseCount; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.castleSites[1].routes[0] = static_cast<int16_t>(x.castleCount); }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.castleSites[1].province = 200; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.corps[5].leader = x.generalCount; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.coalitions[0].members[0] = -1; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.scenarioGenerals[0].place = static_cast<int16_t>(0x8000 | 300); }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.phase = 0; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.date.month = 13; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.settings.heiUnit = 0; }));
    EXPECT_TRUE(refusedWorld([](WorldState& x) { x.spectator = true; }));   // the player is not the phantom
    EXPECT_FALSE(refusedWorld([](WorldState&) {}));

    std::vector<uint8_t> badIndex = image;
    // The player's house (block 54) lies 4 + 16 + 4000 + 1000 + 1 + 4 + 500 bytes before the end.
    storeLE<int32_t>(badIndex.data() + badIndex.size() - 5525, 9999);
    expectRefused(badIndex, "File error");
}

// A hostage keeps his appearance year and place in the move and sortie fields while he is held,
// so a game holding one must load like any other.
TEST(SaveGame, AHeldHostageKeepsHisYearAndPlaceThroughSaveAndLoad) {
    auto game = richGame();
    WorldState& w = game->world;
    General& g = w.generals[3];
    g.house = kHouseHeld;
    g.status = kStatusHostage;
    g.holderHouse = 1;
    g.originHouse = 0;
    g.moveTarget = 1562;                                        // appearance year
    g.sortieTarget = static_cast<int16_t>(0x8000 | 4);          // a province
    w.generals[4].house = kHouseHeld;
    w.generals[4].status = kStatusHostage;
    w.generals[4].moveTarget = 0;
    w.generals[4].sortieTarget = static_cast<int16_t>(w.castleCount - 1);
    const std::vector<uint8_t> image = saveImage(w);
    auto loaded = std::make_unique<WorldState>();
    ASSERT_EQ(parseSaveImage(image.data(), image.size(), *loaded), kSaveOk);
    EXPECT_EQ(loaded->generals[3].moveTarget, 1562);
    EXPECT_EQ(saveImage(*loaded), image);

    // Returned to his house or executed, he is house -1 until the next list rebuild; a game
    // saved at that player's turn still loads.
    g.house = kHouseLost;
    const std::vector<uint8_t> leaving = saveImage(w);
    ASSERT_EQ(parseSaveImage(leaving.data(), leaving.size(), *loaded), kSaveOk);
    EXPECT_EQ(saveImage(*loaded), leaving);
    g.house = kHouseHeld;

    // His place must still be a castle or a province of this world, and an ordinary general's
    // orders must still name castles.
    auto refused = [&](auto change) {
        auto copy = std::make_unique<WorldState>(w);
        change(*copy);
        const std::vector<uint8_t> bad = saveImage(*copy);
        return parseSaveImage(bad.data(), bad.size(), *loaded) == kSaveBadContent;
    };
    EXPECT_TRUE(refused([](WorldState& x) { x.generals[3].sortieTarget = static_cast<int16_t>(0x8000 | 300); }));
    EXPECT_TRUE(refused([](WorldState& x) { x.generals[5].moveTarget = 1562; }));
}

TEST(SaveGame, MissingFilesAndFailedSaves) {
    auto game = richGame();
    ScriptedFrontend ui;
    game->frontend = &ui;
    const fs::path dir = fs::path(::testing::TempDir()) / "vh_save_test";
    fs::create_directories(dir);
    EXPECT_EQ(loadGame(*game, (dir / "none.sav").string()), kSaveFileError);
    EXPECT_EQ(ui.texts("message"), std::vector<std::string>{"File error"});

    // A failed save keeps the earlier file: the temporary name is blocked by a directory.
    const fs::path file = dir / "keep.sav";
    ASSERT_EQ(saveGame(*game, file.string()), kSaveOk);
    const auto size = fs::file_size(file);
    fs::create_directories(dir / "keep.sav.tmp");
    endTurnPressed(*game);
    EXPECT_EQ(saveGame(*game, file.string()), kSaveFileError);
    EXPECT_EQ(fs::file_size(file), size);
    WorldState check;
    EXPECT_EQ(readSaveFile(file.string(), check), kSaveOk);
    EXPECT_EQ(ui.texts("message").back(), "File error");
    fs::remove_all(dir);
}

TEST(SaveGame, DigestIsFnv1a) {
    EXPECT_EQ(fnv1a64(nullptr, 0), 0xcbf29ce484222325ull);
    const uint8_t a = 'a';
    EXPECT_EQ(fnv1a64(&a, 1), 0xaf63dc4c8601ec8cull);
}

} // namespace
} // namespace vh
