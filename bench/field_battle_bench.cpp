// An automatic field battle of twenty generals against twenty, set-up to pursuit: the battle
// resolution may fight several of these a month, and the computer's planning is meant to stay cheap.
#include "battle/field_battle.h"
#include "world/random.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

vh::FieldBattle twentyAgainstTwenty() {
    vh::FieldBattle b;
    for (int s = 0; s < 2; ++s)
        for (int i = 0; i < vh::kFieldMaxGenerals; ++i) {
            vh::FieldGeneral g;
            g.name = "武将" + std::to_string(s * 100 + i);
            g.cavalry = 20 + (i * 7 + s * 3) % 40;
            g.foot = 80 + (i * 13 + s * 5) % 120;
            g.guns = (i % 3 == 0) ? 10 + i : 0;
            g.valor = 30 + (i * 11) % 60;
            g.intellect = 30 + (i * 17 + s * 7) % 60;
            g.ofCommandingHouse = true;
            g.headOfIndependentHouse = i == 5;
            b.sides[s].generals.push_back(g);
        }
    return b;
}

void BM_FieldBattleTwentyAgainstTwenty(benchmark::State& state) {
    const vh::FieldBattle prototype = twentyAgainstTwenty();
    vh::Random rng(0);
    long long turns = 0;
    for (auto _ : state) {
        vh::FieldBattle b = prototype;
        vh::setUpFieldBattle(b, rng);
        benchmark::DoNotOptimize(vh::runAutomaticFieldBattle(b, rng));
        turns += b.turn;
    }
    state.counters["turns"] =
        benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FieldBattleTwentyAgainstTwenty)->Unit(benchmark::kMicrosecond);

} // namespace
