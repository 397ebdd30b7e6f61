// Reading a scenario at full capacity: 1000 houses, 2000 castles on a routed grid, 5000 generals,
// 2000 relations and every province and trade section, in plain and in cipher form.
#include "scenario/cipher_utility.h"
#include "scenario/scenario_reader.h"
#include "world/byte_io.h"
#include "world/map_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using namespace vh;

constexpr int kProvinces = 25;
constexpr int kColumns = 50;
constexpr int kRows = 40; // 2000 castles, 80 per province

std::string fullScenario() {
    std::string s = "ScenarioVer 4\nTitle \"Full capacity\"\nStartYear 1560\n";
    s += "Daimyou {\n";
    for (int h = 0; h < 1000; ++h)
        s += "h" + std::to_string(h) + ", House" + std::to_string(h) + ", NORMAL, 10, 50, -1, 10\n";
    s += "}\nShiro {\n";
    for (int i = 0; i < kColumns * kRows; ++i) {
        const int col = i % kColumns, row = i / kColumns;
        s += "c" + std::to_string(i) + ", Castle" + std::to_string(i) + ", P" + std::to_string(i / 80) +
             ", 5, " + std::to_string(col * 11) + ", " + std::to_string(row * 11) +
             ", 50000, 40000, 300, 200, 50, 20, NO, 0, 0, 60, NORMAL, h" + std::to_string(i / 2) + "\n";
    }
    s += "}\nShiroConnect {\n";
    for (int i = 0; i < kColumns * kRows; ++i) {
        const int col = i % kColumns, row = i / kColumns;
        s += "c" + std::to_string(i);
        if (col > 0) s += ", c" + std::to_string(i - 1);
        if (col + 1 < kColumns) s += ", c" + std::to_string(i + 1);
        if (row > 0) s += ", c" + std::to_string(i - kColumns);
        if (row + 1 < kRows) s += ", c" + std::to_string(i + kColumns);
        s += "\n";
    }
    s += "}\nBushou {\n";
    for (int g = 0; g < 5000; ++g) {
        const int house = g % 1000;
        s += "General" + std::to_string(g) + ", 5, 5, 5, 5, 5, 10, 30, 5, 1530, 1590, " +
             (g % 10 == 9 ? "1570" : "0") + ", h" + std::to_string(house) + ", " + std::to_string(g / 1000) +
             ", c" + std::to_string(house * 2 + g % 2) + "\n";
    }
    s += "}\nDoumei {\n";
    for (int r = 0; r < 2000; ++r)
        s += "h" + std::to_string(r % 1000) + ", " + (r < 1000 ? "FUSEN" : "NOTHING") + ", h" +
             std::to_string((r * 7 + 1) % 1000) + "\n";
    s += "}\nKuniArea {\n";
    for (int p = 0; p < kProvinces; ++p)
        s += "P" + std::to_string(p) + ", 6, 0, 0, 100, 100\n";
    s += "}\nSnowKakuritsu {\n";
    for (int p = 0; p < kProvinces; ++p)
        s += "P" + std::to_string(p) + ", 30 20 5 0 0 0 0 0 0 0 5 20\n";
    s += "}\nRainKakuritsu {\nR0, 0 0 0 0 10 30 30 10 20 0 0 0\nR1, 0 0 0 0 10 30 30 10 20 0 0 0\n}\n";
    s += "Trading {\n";
    for (int t = 0; t < 49; ++t)
        s += "t" + std::to_string(t) + ", Partner" + std::to_string(t) + ", 500\n";
    s += "}\nTradingMonth {\n";
    for (int t = 0; t < 49; ++t)
        s += "t" + std::to_string(t) + ", 3, K_ALL\n";
    s += "}\nTeppouKounyuu {\n";
    for (int m = 0; m < 10; ++m)
        s += "m" + std::to_string(m) + ", Market" + std::to_string(m) + ", 1543, 500, 2, 100, 50, 1.5, 300\n";
    s += "}\nTeppouKounyuuMonth {\n";
    for (int m = 0; m < 10; ++m)
        s += "m" + std::to_string(m) + ", 2, P0, P1, P2\n";
    s += "}\nTeppouSeisan {\nP3, 1545, 10, 1, 100\n}\n";
    return s;
}

// The generated files live in one temporary directory for the whole run.
struct Files {
    std::filesystem::path dir;
    std::string plain, cipher;

    Files() {
        dir = std::filesystem::temp_directory_path() / ("vh_scenario_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        MapData map;
        map.regions.resize(2);
        setFieldText(map.regions[0].name, "R0");
        setFieldText(map.regions[1].name, "R1");
        for (int p = 0; p < kProvinces; ++p) {
            Province pr;
            setFieldText(pr.name, "P" + std::to_string(p));
            pr.region = static_cast<int16_t>(p % 2);
            map.provinces.push_back(pr);
        }
        writeMapFile((dir / "default.map").string(), map);
        const std::string text = fullScenario();
        plain = (dir / "full.snr").string();
        cipher = (dir / "full_cipher.snr").string();
        std::ofstream(plain, std::ios::binary) << text;
        std::ofstream(dir / "secret.snr", std::ios::binary) << "Secret bench\n" << text;
        encipherScenarioFile((dir / "secret.snr").string(), cipher);
    }
    ~Files() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Files& files() {
    static Files f;
    return f;
}

void read(benchmark::State& state, const std::string& path) {
    auto world = std::make_unique<WorldState>();
    for (auto _ : state) {
        const ScenarioReadResult r = readScenario(path, files().dir.string(), *world);
        if (r.code != 0 || world->scenarioGeneralCount != 5000 || world->castleCount != 2000) {
            state.SkipWithError(("read failed: " + r.message).c_str());
            break;
        }
        benchmark::DoNotOptimize(world->castleSites[1999].routes[0]);
    }
}

void BM_ReadScenarioFullCapacity(benchmark::State& state) {
    read(state, files().plain);
}
void BM_ReadCipherScenarioFullCapacity(benchmark::State& state) {
    read(state, files().cipher);
}

BENCHMARK(BM_ReadScenarioFullCapacity)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCipherScenarioFullCapacity)->Unit(benchmark::kMillisecond);

} // namespace
