// Scenario tests: a temporary directory with a small default.map, scenario text written from UTF-8
// as CP932, and short-hands for the usual sections.
#pragma once

#include "scenario/scenario_errors.h"
#include "scenario/scenario_reader.h"
#include "world/byte_io.h"
#include "world/map_file.h"
#include "world/text_codec.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace vh::test {

// Provinces 山城, 大和, 摂津 in region 畿内 and 駿河 in 東海; `filler` more provinces P0, P1, ...
inline MapData smallMap(int filler = 0) {
    MapData m;
    m.regions.resize(2);
    setFieldText(m.regions[0].name, utf8ToCp932("畿内"));
    setFieldText(m.regions[1].name, utf8ToCp932("東海"));
    const char* names[] = {"山城", "大和", "摂津", "駿河"};
    for (int i = 0; i < 4; ++i) {
        Province p;
        setFieldText(p.name, utf8ToCp932(names[i]));
        p.region = i == 3 ? 1 : 0;
        m.provinces.push_back(p);
    }
    for (int i = 0; i < filler; ++i) {
        Province p;
        setFieldText(p.name, "P" + std::to_string(i));
        m.provinces.push_back(p);
    }
    return m;
}

class ScenarioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        dir_ = std::filesystem::temp_directory_path() /
               ("vh_scenario_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(dir_);
        ASSERT_TRUE(writeMapFile((dir_ / "default.map").string(), smallMap()));
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string dir() const { return dir_.string(); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static void writeBytes(const std::string& file, const std::string& bytes) {
        std::ofstream f(file, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string readBytes(const std::string& file) {
        std::ifstream f(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }

    // Writes `utf8` as CP932 to test.snr in the temporary directory and reads it.
    ScenarioReadResult read(const std::string& utf8) { return readRaw(utf8ToCp932(utf8)); }
    ScenarioReadResult readRaw(const std::string& bytes) {
        writeBytes(path("test.snr"), bytes);
        world_ = std::make_unique<WorldState>();
        return readScenario(path("test.snr"), dir(), *world_);
    }
    // The error code of reading `utf8`.
    int code(const std::string& utf8) { return read(utf8).code; }

    WorldState& world() { return *world_; }

    std::filesystem::path dir_;
    std::unique_ptr<WorldState> world_ = std::make_unique<WorldState>();
};

// Two houses, three castles in 山城 and 大和, with routes a-b and b-c.
inline const char* const kHouses = "Daimyou {\n"
                                   "oda, 織田家, NORMAL, 10, -1\n"
                                   "takeda, 武田家, NORMAL, 5, 3000\n"
                                   "}\n";
inline const char* const kCastles =
    "Shiro {\n"
    "a, 二条城, 山城, 5, 100, 120, 50000, 40000, 300, 200, YES, 3, 2, 60, oda\n"
    "b, 郡山城, 大和, 3, 110, 130, 30000, 20000, 200, 100, NO, 0, 0, 50, takeda\n"
    "c, 高取城, 大和, 2, 115, 135, 10000, 9000, 100, 50, NO, 0, 0, 40, takeda\n"
    "}\n";
inline const char* const kRoutes = "ShiroConnect {\n"
                                   "a, b\n"
                                   "b, a, c\n"
                                   "c, b\n"
                                   "}\n";

inline std::string basicScenario() {
    return std::string(kHouses) + kCastles + kRoutes;
}

} // namespace vh::test
