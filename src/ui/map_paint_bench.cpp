// Benchmark: painting the national map at scale 2 into an offscreen image, as the window does
// every pulse of the timer.
#include "game/game.h"
#include "ui/map_painter.h"
#include "world/map_file.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<vh::Game> benchGame() {
    auto g = std::make_unique<vh::Game>();
    vh::loadMap(std::string(VH_SOURCE_DATA_DIR) + "/default.map", g->world.map);
    return g;
}

void BM_PaintNationalMapScale2(benchmark::State& state) {
    static std::unique_ptr<vh::Game> game = benchGame();
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
