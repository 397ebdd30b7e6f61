// map-info: prints a map file's version, counts, provinces and regions.
#include "cli/commands.h"
#include "world/byte_io.h"
#include "world/map_file.h"
#include "world/text_codec.h"

#include <cstdio>
#include <filesystem>

namespace vh::cli {

int mapInfo(const Args& args) {
    if (args.size() < 2) {
        std::fputs("使い方: vardenholm-cli map-info FILE\n", stderr);
        return 2;
    }
    const std::string& path = args[1];
    MapData map;
    const int code = loadMap(path, map);
    if (code != kMapOk) {
        std::printf("%s\n", defaultMapMessage(code, std::filesystem::path(path).filename().string()).c_str());
        return code;
    }
    std::printf("version %d.%02d\n", map.version / 100, map.version % 100);
    std::printf("regions %d provinces %d nodes %zu points %zu edges %zu edge-lists %zu shapes %zu\n",
                map.regionCount(), map.provinceCount(), map.nodes.size(), map.points.size(), map.edges.size(),
                map.edgeLists.size(), map.shapes.size());
    for (int r = 0; r < map.regionCount(); ++r)
        std::printf("region %d %s\n", r, cp932ToUtf8(fieldText(map.regions[r].name)).c_str());
    for (int p = 0; p < map.provinceCount(); ++p) {
        const Province& pr = map.provinces[p];
        std::string region = pr.region >= 0 && pr.region < map.regionCount()
                                 ? cp932ToUtf8(fieldText(map.regions[pr.region].name))
                                 : std::string("-");
        std::printf("province %d %s %s\n", p, cp932ToUtf8(fieldText(pr.name)).c_str(), region.c_str());
    }
    return 0;
}

} // namespace vh::cli
