// One month's automatic siege of a size-10 castle held by 20 generals against 20 besiegers, and
// the siege estimate the computer's planning calls for every castle it weighs.
#include "battle/siege.h"
#include "world/random.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace vh;

SiegeGeneral general(const std::string& name, int cavalry, int foot, int guns, int intellect, int points) {
    SiegeGeneral g;
    g.name = name;
    g.troops = {cavalry, foot, guns};
    g.valor = 5;
    g.intellect = intellect;
    g.points = points;
    return g;
}

// A full castle with full food, well matched armies and stratagem points on both sides, and
// three neighbours of which one can take withdrawn generals.
Siege fullSiege() {
    Siege s;
    s.castleName = "大坂城";
    s.size = 10;
    s.food = 20000;
    s.garrison = 500;
    for (int i = 0; i < kSiegeSideMax; ++i) {
        s.defenders.push_back(
            general("守" + std::to_string(i), 20 + i, 100 + 5 * i, 40, 3 + i % 7, 60 + 5 * i));
        s.besiegers.push_back(
            general("攻" + std::to_string(i), 40 + i, 150 + 5 * i, 20, 2 + i % 9, 50 + 5 * i));
    }
    s.neighbours = {
        {-1, "堺", false, false, 0}, {-1, "尼崎城", true, true, 4}, {-1, "高槻城", true, false, 12}};
    return s;
}

void BM_SiegeMonth(benchmark::State& state) {
    const Siege start = fullSiege();
    Random rng(0);
    for (auto _ : state) {
        Siege s = start;
        benchmark::DoNotOptimize(automaticSiege(s, rng));
        benchmark::DoNotOptimize(s.progress);
    }
}
BENCHMARK(BM_SiegeMonth)->Unit(benchmark::kMicrosecond);

void BM_SiegeEstimate(benchmark::State& state) {
    const Siege s = fullSiege();
    SiegeTroops b[kSiegeSideMax], d[kSiegeSideMax];
    for (int i = 0; i < kSiegeSideMax; ++i) {
        b[i] = s.besiegers[i].troops;
        d[i] = s.defenders[i].troops;
    }
    Random rng(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(assaultMonths(b, d, s.garrison, s.progress, s.size, rng));
}
BENCHMARK(BM_SiegeEstimate)->Unit(benchmark::kMicrosecond);

} // namespace
