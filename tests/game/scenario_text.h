// Writes the scenario tables of a world back out as a scenario file (format version 4) with its
// own map file beside it, so generated scenarios can go through the real reader and the CLI.
#pragma once

#include "world/byte_io.h"
#include "world/map_file.h"
#include "world/world_state.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace vh::test {

inline std::string scenarioText(const WorldState& w, const std::string& mapFile) {
    auto id = [](char kind, int i) { return std::string(1, kind) + std::to_string(i); };
    auto text = [](const auto& field) { return "\"" + std::string(fieldText(field)) + "\""; };
    const ScenarioSettings& s = w.settings;
    std::string out;
    out += "ScenarioVer 4\n";
    out += "Title " + text(s.title) + "\n";
    out += "StartYear " + std::to_string(s.startYear) + "\n";
    out += "StartMonth " + std::to_string(s.startMonth) + "\n";
    out += "MapFile " + mapFile + "\n";
    out += "Daimyou {\n";
    for (int h = 0; h < w.scenarioHouseCount; ++h) {
        const ScenarioHouse& d = w.scenarioHouses[h];
        const char* kind = d.kind == kHouseAinu ? "AINU" : d.kind == kHouseRyuukyuu ? "RYUUKYUU" : "NORMAL";
        out += id('h', h) + ", " + text(d.name) + ", " + kind + ", " + std::to_string(d.navigationSkill) + ", " +
               std::to_string(d.miningSkill / 10) + ", " + std::to_string(d.initialFunds) + ", " +
               std::to_string(d.gunCollection) + "\n";
    }
    out += "}\nShiro {\n";
    for (int c = 0; c < w.castleCount; ++c) {
        const CastleSite& site = w.castleSites[c];
        const Castle& k = w.castles[c];
        out += id('c', c) + ", " + text(site.name) + ", " +
               std::string(fieldText(w.map.provinces[site.province].name)) + ", " + std::to_string(site.size) +
               ", " + std::to_string(site.x) + ", " + std::to_string(site.y) + ", " +
               std::to_string(site.maxYield) + ", " + std::to_string(k.yield) + ", " +
               std::to_string(site.maxTown) + ", " + std::to_string(k.town) + ", " + std::to_string(site.maxMine) +
               ", " + std::to_string(k.mine) + ", " + (site.hasPort ? "YES" : "NO") + ", " +
               std::to_string(k.tradeShips) + ", " + std::to_string(k.warShips) + ", " +
               std::to_string(k.support / 10) + ", NORMAL, " + id('h', site.initialOwner) + "\n";
    }
    out += "}\nShiroConnect {\n";
    for (int c = 0; c < w.castleCount; ++c) {
        const int n = routeCount(w.castleSites[c]);
        if (n == 0) continue;
        out += id('c', c);
        for (int r = 0; r < n; ++r) out += ", " + id('c', w.castleSites[c].routes[r]);
        out += "\n";
    }
    out += "}\nBushou {\n";
    for (int g = 0; g < w.scenarioGeneralCount; ++g) {
        const ScenarioGeneral& b = w.scenarioGenerals[g];
        std::string house;
        if (b.house == ScenarioGeneral::kFreeHouse) house = "D_FREE";
        else if (b.house < 0) house = "(" + id('h', b.house & 0x7FFF) + ")";
        else house = id('h', b.house);
        const std::string place = b.place < 0 ? std::string(fieldText(w.map.provinces[b.place & 0x7FFF].name))
                                              : id('c', b.place);
        out += text(b.name) + ", " + std::to_string(b.valor) + ", " + std::to_string(b.politics) + ", " +
               std::to_string(b.intellect) + ", " + std::to_string(b.loyalty) + ", " + std::to_string(b.ambition) +
               ", " + std::to_string(b.cavalry) + ", " + std::to_string(b.foot) + ", " + std::to_string(b.guns) +
               ", " + std::to_string(b.birthYear) + (b.birthUnknown ? "?" : "") + ", " +
               std::to_string(b.lifeEnd) + ", " + std::to_string(b.appearYear) + ", " + house + ", " +
               std::to_string(b.succession) + ", " + place + "\n";
    }
    out += "}\n";
    if (w.relationEntryCount > 0) {
        static const char* const kKinds[] = {"SHUKUTEKI", "NOTHING", "FUSEN", "JUUZOKU", "", "", "SHINJUU"};
        out += "Doumei {\n";
        for (int r = 0; r < w.relationEntryCount; ++r) {
            const RelationEntry& e = w.relationEntries[r];
            out += id('h', e.houseA) + ", " + kKinds[e.kind] + ", " + (e.houseB < 0 ? "D_ALL" : id('h', e.houseB)) +
                   "\n";
        }
        out += "}\n";
    }
    return out;
}

// Writes NAME.snr and NAME.map into `dir`; returns the scenario's path.
inline std::string writeScenarioFiles(const std::filesystem::path& dir, const std::string& name,
                                      const WorldState& w) {
    std::filesystem::create_directories(dir);
    writeMapFile((dir / (name + ".map")).string(), w.map);
    const std::filesystem::path snr = dir / (name + ".snr");
    std::ofstream f(snr, std::ios::binary | std::ios::trunc);
    const std::string body = scenarioText(w, name + ".map");
    f.write(body.data(), static_cast<std::streamsize>(body.size()));
    return snr.string();
}

} // namespace vh::test
