// Benchmark: painting the national map at scale 2 into an offscreen image, as the window does
// every pulse of the timer.
#include "context/game.h"
#include "game/new_game.h"
#include "scenario/scenario_reader.h"
#include "ui/map_painter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The bundled 1560 scenario, set up as a new game and played by its first house.
std::unique_ptr<vh::Game> benchGame() {
    auto g = std::make_unique<vh::Game>();
    const std::string dir = VH_SOURCE_DATA_DIR;
    const vh::ScenarioReadResult r = vh::readScenario(dir + "/scenarios/1560.snr", dir, g->world);
    if (r.code != 0) return nullptr;
    vh::setUpNewGame(*g);
    vh::chooseHouse(*g, g->world.castles[0].owner);
    return g;
}

void BM_PaintNationalMapScale2(benchmark::State& state) {
    static std::unique_ptr<vh::Game> game = benchGame();
    if (!game) {
        state.SkipWithError("data/scenarios/1560.snr could not be read");
        return;
    }
    state.counters["castles"] = game->world.castleCount;
    vh::ui::MapViewState s;
    s.setMagnified(true);
    QImage img(vh::ui::mapViewSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&img);
        vh::ui::paintMap(p, game->world, s);
        p.end();
        ++s.pulse;
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PaintNationalMapScale2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
