// Regenerating the default map from the boundary data gives the committed file byte for byte.
// The boundary data lives outside the repository; without it the test is skipped.
#include "map_builder.h"
#include "tables.h"

#include "world/map_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

TEST(MapgenGeneration, RebuildsTheCommittedDefaultMap) {
    const std::string source = std::string(VH_SOURCE_DIR) + "/../shared/data/japan-prefectures.topojson";
    if (!std::filesystem::exists(source)) GTEST_SKIP() << "boundary data not present: " << source;
    mapgen::Tables tables;
    std::string error;
    ASSERT_TRUE(mapgen::loadTables(mapgen::defaultTablesDir(), tables, error)) << error;
    vh::MapData map;
    mapgen::BuildReport report;
    ASSERT_TRUE(mapgen::buildMap(source, tables, map, report, error)) << error;
    EXPECT_TRUE(report.warnings.empty()) << report.warnings.front();
    // The source's prefectures share their borders; a stray cell or two may still be claimed twice.
    EXPECT_LT(report.overlappingCells, 50);

    std::ifstream f(std::string(VH_SOURCE_DIR) + "/data/default.map", std::ios::binary);
    const std::vector<uint8_t> committed((std::istreambuf_iterator<char>(f)),
                                         std::istreambuf_iterator<char>());
    const std::vector<uint8_t> rebuilt = vh::mapFileImage(map);
    EXPECT_EQ(rebuilt.size(), committed.size());
    EXPECT_TRUE(rebuilt == committed) << "data/default.map is stale: run mapgen build";
}

TEST(MapgenGeneration, BrokenTablesAreReportedWithTheirLine) {
    const auto dir = std::filesystem::temp_directory_path() / "mapgen_tables_test";
    std::filesystem::create_directories(dir);
    for (const char* name : {"regions.txt", "provinces.txt", "seeds.txt", "lakes.txt"})
        std::filesystem::copy_file(std::filesystem::path(mapgen::defaultTablesDir()) / name, dir / name,
                                   std::filesystem::copy_options::overwrite_existing);
    {
        std::ofstream seeds(dir / "seeds.txt", std::ios::app);
        seeds << "無名国\t135.0\t35.0\t何処\n";
    }
    mapgen::Tables t;
    std::string error;
    EXPECT_FALSE(mapgen::loadTables(dir.string(), t, error));
    EXPECT_NE(error.find("seeds.txt:"), std::string::npos) << error;
    EXPECT_TRUE(t.provinces.empty()); // nothing half-loaded
    std::filesystem::remove_all(dir);
}

} // namespace
