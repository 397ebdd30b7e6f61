// Shared pieces of the commands that run games headless: argument parsing, reading a scenario
// with the game's error text, the monthly summary line and the digest line.
#pragma once

#include "cli/commands.h"
#include "context/game.h"
#include "context/game_text.h"
#include "game/headless_frontend.h"
#include "game/save_game.h"
#include "scenario/scenario_reader.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace vh::cli {

// A whole-string decimal integer within [lo, hi].
inline std::optional<long long> parseNumber(const std::string& s, long long lo, long long hi) {
    if (s.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno != 0 || end != s.c_str() + s.size() || v < lo || v > hi) return std::nullopt;
    return v;
}

// "YYYY-MM" (the year may be negative: "-5-03").
inline std::optional<GameDate> parseYearMonth(const std::string& s) {
    const size_t dash = s.rfind('-');
    if (dash == std::string::npos || dash == 0) return std::nullopt;
    const auto y = parseNumber(s.substr(0, dash), -32768, 32767);
    const auto m = parseNumber(s.substr(dash + 1), 1, 12);
    if (!y || !m) return std::nullopt;
    return GameDate{static_cast<int32_t>(*y), static_cast<int32_t>(*m)};
}

// Reads the scenario into the game's world; prints the game's message and returns a non-zero
// exit code on failure.
inline int readScenarioOrReport(const std::string& path, const std::string& programDir, WorldState& world) {
    const ScenarioReadResult r = readScenario(path, programDir, world);
    for (const std::string& notice : r.notices) std::fprintf(stderr, "%s\n", notice.c_str());
    if (r.code == 0) return 0;
    if (r.message.empty()) std::printf("ファイルエラー: %s\n", path.c_str());
    else std::printf("%s\n", r.message.c_str());
    return r.code > 0 && r.code < 256 ? r.code : 1;
}

// The headless player; with `echo` every message also goes to standard error.
class CliFrontend : public HeadlessFrontend {
public:
    explicit CliFrontend(bool echo) : echo_(echo) { setLogLimit(1000); }
    void showMessage(const std::string& text) override {
        HeadlessFrontend::showMessage(text);
        if (echo_) std::fprintf(stderr, "%s\n", text.c_str());
    }
    void showEnding(const std::string& text) override {
        HeadlessFrontend::showEnding(text);
        if (echo_) std::fprintf(stderr, "%s\n", text.c_str());
    }

private:
    bool echo_;
};

inline void printDigest(const WorldState& w) {
    const std::vector<uint8_t> image = saveImage(w);
    std::printf("digest=%016" PRIx64 "\n", fnv1a64(image.data(), image.size()));
}

// "YYYY-MM  house castles  house castles  house castles": the three houses with most castles.
inline void printMonthLine(const Game& game, void*) {
    const WorldState& w = game.world;
    std::vector<int> castles(w.houseCount, 0);
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner >= 0 && w.castles[c].owner < w.houseCount) ++castles[w.castles[c].owner];
    std::vector<int> houses;
    for (int h = 0; h < w.houseCount; ++h)
        if (houseAlive(w, h) && castles[h] > 0) houses.push_back(h);
    std::stable_sort(houses.begin(), houses.end(), [&](int a, int b) { return castles[a] > castles[b]; });
    std::string line = std::to_string(w.date.year) + "-" + (w.date.month < 10 ? "0" : "") +
                       std::to_string(w.date.month);
    for (size_t i = 0; i < houses.size() && i < 3; ++i)
        line += "  " + houseNameText(w, houses[i]) + " " + std::to_string(castles[houses[i]]);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace vh::cli
