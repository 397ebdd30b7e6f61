// The committed tables the map is built from: regions with their land layers, provinces with the
// prefectures that hold them, seed towns and lake outlines. All text is UTF-8.
#pragma once

#include <string>
#include <vector>

namespace mapgen {

struct RegionRow {
    std::string name;
    int layer = 0; // land layer (0-5) of the region's province shapes
};

struct ProvinceRow {
    std::string name;
    int region = 0;
    bool island = false; // an island group: its seeds claim only islands
    std::vector<std::string> prefectures;
};

struct Seed {
    int province = 0;
    double lon = 0, lat = 0;
    std::string town;
};

struct Lake {
    std::string name;
    int province = 0;
    std::vector<std::pair<double, double>> outline; // lon, lat
};

struct Tables {
    std::vector<RegionRow> regions;
    std::vector<ProvinceRow> provinces;
    std::vector<Seed> seeds;
    std::vector<Lake> lakes;

    int provinceIndex(const std::string& name) const;
    int regionIndex(const std::string& name) const;
};

// Reads regions.txt, provinces.txt, seeds.txt and lakes.txt from `dir`. On failure returns false
// and describes the first problem in `error` (file and line).
bool loadTables(const std::string& dir, Tables& out, std::string& error);

// The directory the tables were committed in (the tool's own source directory).
std::string defaultTablesDir();

} // namespace mapgen
