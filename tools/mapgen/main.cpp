// mapgen: builds the default map from prefecture boundaries, and helps scenario authors place
// things on it.
#include "projection.h"
#include "tables.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int usage() {
    std::fputs("usage:\n"
               "  mapgen project LON LAT                      pixel x y of a place on the default map\n"
               "  mapgen provinces                             index, name and region of every province\n"
               ,
               stderr);
    return 2;
}

bool loadTablesOrReport(const std::string& dir, mapgen::Tables& t) {
    std::string error;
    if (mapgen::loadTables(dir, t, error)) return true;
    std::fprintf(stderr, "mapgen: %s\n", error.c_str());
    return false;
}

int projectCommand(const std::vector<std::string>& a) {
    if (a.size() != 3) return usage();
    char* end1 = nullptr;
    char* end2 = nullptr;
    const double lon = std::strtod(a[1].c_str(), &end1), lat = std::strtod(a[2].c_str(), &end2);
    if (*end1 || *end2 || a[1].empty() || a[2].empty()) return usage();
    const mapgen::PixelPoint p = mapgen::project(lon, lat);
    std::printf("%ld %ld\n", std::lround(p.x), std::lround(p.y));
    return 0;
}

int provincesCommand(const std::vector<std::string>& a) {
    mapgen::Tables t;
    if (!loadTablesOrReport(a.size() > 1 ? a[1] : mapgen::defaultTablesDir(), t)) return 1;
    for (size_t i = 0; i < t.provinces.size(); ++i)
        std::printf("%zu %s %s\n", i, t.provinces[i].name.c_str(), t.regions[t.provinces[i].region].name.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    if (args[0] == "project") return projectCommand(args);
    if (args[0] == "provinces") return provincesCommand(args);
    return usage();
}
