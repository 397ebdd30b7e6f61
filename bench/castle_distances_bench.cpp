// Route distances on a full-size world: 2000 castles, up to 7 routes each, in the move mode and
// the limited mode, for the fast search and the literal wave scan.
#include "support/world_builder.h"
#include "world/castle_rules.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using namespace vh;

constexpr int kColumns = 50;
constexpr int kRows = 40; // 50 x 40 = 2000 castles

// Castles on a grid, each joined to its near neighbours (at most 7 routes), owned in blocks of
// 4 x 4 by 125 houses, every fifth of which has submitted to the house to its left.
// Fixed seed: every run measures the same world.
std::unique_ptr<WorldState> makeWorld() {
    auto w = std::make_unique<WorldState>();
    test::WorldBuilder b(*w);
    std::mt19937 rng(1560);
    constexpr int kHouses = (kColumns / 5) * (kRows / 4) + 25;
    for (int h = 0; h < kHouses; ++h) b.house("家" + std::to_string(h));
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            int owner = (r / 4) * (kColumns / 4) + c / 4;
            b.castle("城", owner % kHouses, 0, c * 11, r * 11);
        }
    for (int h = 5; h < kHouses; h += 5) b.vassal(h, h - 1, 2);

    std::vector<std::pair<int, int>> pairs;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            int i = r * kColumns + c;
            if (c + 1 < kColumns) pairs.emplace_back(i, i + 1);
            if (r + 1 < kRows) pairs.emplace_back(i, i + kColumns);
            if (r + 1 < kRows && c + 1 < kColumns) pairs.emplace_back(i, i + kColumns + 1);
            if (r + 1 < kRows && c > 0) pairs.emplace_back(i, i + kColumns - 1);
        }
    std::shuffle(pairs.begin(), pairs.end(), rng);
    for (auto [a, c] : pairs)
        if (routeCount(w->castleSites[a]) < 7 && routeCount(w->castleSites[c]) < 7) b.route(a, c);
    w->settings.distanceLimit = 15;
    w->settings.tekiJouTsuuka = true;
    return w;
}

const WorldState& world() {
    static std::unique_ptr<WorldState> w = makeWorld();
    return *w;
}

// Each call starts from the next castle (stepping through the map) for its owner's side.
template <bool Fast> void distances(benchmark::State& state) {
    const WorldState& w = world();
    const int mode = static_cast<int>(state.range(0));
    DistanceTable table;
    int source = 0;
    for (auto _ : state) {
        int house = commandingHouse(w, w.castles[source].owner);
        if (Fast) castleDistances(w, house, source, mode, table);
        else castleDistancesPlain(w, house, source, mode, table);
        benchmark::DoNotOptimize(table.data());
        source = (source + 397) % w.castleCount;
    }
    state.SetLabel(mode == kDistanceLimited ? "limited (15)" : "move, passable");
}

BENCHMARK(distances<true>)->Name("castleDistances/fast")->Arg(kDistanceMove)->Arg(kDistanceLimited);
BENCHMARK(distances<false>)->Name("castleDistances/plain")->Arg(kDistanceMove)->Arg(kDistanceLimited);

} // namespace
