// mapgen: builds the default map from prefecture boundaries, and helps scenario authors place
// things on it.
#include "map_builder.h"
#include "preview.h"
#include "projection.h"
#include "tables.h"

#include "world/map_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int usage() {
    std::fputs("usage:\n"
               "  mapgen project LON LAT                      pixel x y of a place on the default map\n"
               "  mapgen provinces                             index, name and region of every province\n"
               "  mapgen build TOPOJSON OUT.map [--kuniarea OUT.txt] [--tables DIR]\n"
               "  mapgen kuniarea MAP OUT.txt                  KuniArea section (CP932) of a map file\n"
               "  mapgen preview MAP OUT.svg [X Y W H]          a picture of a map file (or of a part)\n",
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
    if (p.x < 0 || p.y < 0 || p.x >= mapgen::kFrameWidth || p.y >= mapgen::kFrameHeight)
        std::fputs("mapgen: this place lies outside the map frame\n", stderr);
    return 0;
}

int provincesCommand(const std::vector<std::string>& a) {
    mapgen::Tables t;
    if (!loadTablesOrReport(a.size() > 1 ? a[1] : mapgen::defaultTablesDir(), t)) return 1;
    for (size_t i = 0; i < t.provinces.size(); ++i)
        std::printf("%zu %s %s\n", i, t.provinces[i].name.c_str(),
                    t.regions[t.provinces[i].region].name.c_str());
    return 0;
}

int buildCommand(const std::vector<std::string>& a) {
    if (a.size() < 3) return usage();
    std::string kuniArea, tablesDir = mapgen::defaultTablesDir();
    for (size_t i = 3; i < a.size(); ++i) {
        if (a[i] == "--kuniarea" && i + 1 < a.size())
            kuniArea = a[++i];
        else if (a[i] == "--tables" && i + 1 < a.size())
            tablesDir = a[++i];
        else
            return usage();
    }
    mapgen::Tables tables;
    if (!loadTablesOrReport(tablesDir, tables)) return 1;
    mapgen::BuildReport report;
    vh::MapData map;
    std::string error;
    if (!mapgen::buildMap(a[1], tables, map, report, error)) {
        std::fprintf(stderr, "mapgen: %s\n", error.c_str());
        return 1;
    }
    for (const std::string& w : report.warnings)
        std::fprintf(stderr, "mapgen: warning: %s\n", w.c_str());
    if (!vh::writeMapFile(a[2], map)) {
        std::fprintf(stderr, "mapgen: cannot write %s\n", a[2].c_str());
        return 1;
    }
    if (!kuniArea.empty() && !mapgen::writeKuniArea(map, kuniArea)) {
        std::fprintf(stderr, "mapgen: cannot write %s\n", kuniArea.c_str());
        return 1;
    }
    std::printf("%d provinces, %d regions, %zu nodes, %zu points, %zu edges, %zu shapes, %zu bytes\n",
                map.provinceCount(), map.regionCount(), map.nodes.size(), map.points.size(), map.edges.size(),
                map.shapes.size(), vh::mapFileImage(map).size());
    const mapgen::CleanupReport& c = report.cleanup;
    std::printf("clean-up: %d lagoons filled, %d islets dropped, %d fragments and %d enclaves merged; "
                "%d islands outside the frame, %d cells claimed twice\n",
                c.lagoonsFilled, c.isletsDropped, c.piecesMerged, c.enclavesMerged, report.polygonsOutside,
                report.overlappingCells);
    return 0;
}

int kuniAreaCommand(const std::vector<std::string>& a) {
    if (a.size() != 3) return usage();
    vh::MapData map;
    const int code = vh::loadMap(a[1], map);
    if (code != vh::kMapOk) {
        std::fprintf(stderr, "mapgen: %s cannot be loaded (code %d)\n", a[1].c_str(), code);
        return 1;
    }
    if (!mapgen::writeKuniArea(map, a[2])) {
        std::fprintf(stderr, "mapgen: cannot write %s\n", a[2].c_str());
        return 1;
    }
    return 0;
}

int previewCommand(const std::vector<std::string>& a) {
    if (a.size() != 3 && a.size() != 7) return usage();
    vh::ViewRect view;
    double scale = 2;
    if (a.size() == 7) {
        view = {std::atof(a[3].c_str()), std::atof(a[4].c_str()), std::atof(a[5].c_str()),
                std::atof(a[6].c_str())};
        if (view.width <= 0 || view.height <= 0) return usage();
        scale = std::min(1120 / view.width, 880 / view.height);
    }
    vh::MapData map;
    const int code = vh::loadMap(a[1], map);
    if (code != vh::kMapOk) {
        std::fprintf(stderr, "mapgen: %s cannot be loaded (code %d)\n", a[1].c_str(), code);
        return 1;
    }
    if (!mapgen::writePreviewSvg(map, a[2], view, scale)) {
        std::fprintf(stderr, "mapgen: cannot write %s\n", a[2].c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    if (args[0] == "project") return projectCommand(args);
    if (args[0] == "provinces") return provincesCommand(args);
    if (args[0] == "build") return buildCommand(args);
    if (args[0] == "preview") return previewCommand(args);
    if (args[0] == "kuniarea") return kuniAreaCommand(args);
    return usage();
}
