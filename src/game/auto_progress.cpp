// Automatic progress and the benchmark drive the same turn driver as normal play: the player is
// the phantom house, dead and last in the order, so each player's turn is empty.
#include "game/auto_progress.h"

#include "game/new_game.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace vh {

bool startAutoProgress(Game& game, AutoProgress& run, GameDate target) {
    if (!dateBefore(game.world.date, target)) {
        game.show("現在よりも後の年月を入力してください");
        return false;
    }
    run.target = target;
    run.running = true;
    game.quietMode = true;
    return true;
}

AutoTick autoProgressTick(Game& game, AutoProgress& run) {
    const FlowStatus s = finishPhase(game, game.world.phase);
    if (s == FlowStatus::Unified || game.gameOver) {
        stopAutoProgress(game, run);
        return AutoTick::GameOver;
    }
    if (s == FlowStatus::PlayerEnded) {
        stopAutoProgress(game, run);
        return AutoTick::PlayerEnded;
    }
    if (sameDate(game.world.date, run.target)) {
        stopAutoProgress(game, run);
        return AutoTick::ReachedTarget;
    }
    return AutoTick::Continue;
}

void stopAutoProgress(Game& game, AutoProgress& run) {
    run.running = false;
    game.quietMode = false;
}

FlowStatus runUntil(Game& game, GameDate target, void (*atMonth)(const Game&, void*), void* context) {
    if (game.gameOver) return FlowStatus::Unified;
    if (atMonth && game.world.phase == kPhasePersonnel) atMonth(game, context);
    while (!(game.world.phase == kPhasePersonnel && sameDate(game.world.date, target))) {
        const int before = game.world.phase;
        const FlowStatus s = finishPhase(game, before);
        if (s != FlowStatus::PlayerTurn) return s;
        if (atMonth && game.world.phase == kPhasePersonnel) atMonth(game, context);
        // Past the target (a resumed game may start beyond it): stop at the next month start.
        if (game.world.phase == kPhasePersonnel && dateBefore(target, game.world.date)) break;
    }
    return FlowStatus::PlayerTurn;
}

void prepareBenchmark(Game& game) {
    game.rng.seed(0);
    setUpNewGame(game);
}

BenchmarkResult runBenchmark(Game& game, int years) {
    BenchmarkResult result;
    years = std::clamp(years, 1, 1000);
    const int code = chooseHouse(game, -1);
    if (code != kChooseOk) {
        result.code = code;
        return result;
    }
    game.benchmark = true;
    game.quietMode = true;
    const GameDate start = game.world.date;
    const GameDate target{start.year + years, start.month};
    FlowStatus s = startMonth(game);
    // The clock starts after the first month's event step, so the figure covers whole months.
    const auto t0 = std::chrono::steady_clock::now();
    while (s == FlowStatus::PlayerTurn &&
           !(game.world.phase == kPhasePersonnel && sameDate(game.world.date, target)))
        s = finishPhase(game, game.world.phase);
    const auto t1 = std::chrono::steady_clock::now();
    result.status = s;
    result.seconds = std::chrono::duration<double>(t1 - t0).count();
    // A game unified in its first month has run no full month; count at least one.
    result.months = std::max<long long>(1, monthsBetween(start, game.world.date));
    result.secondsPerMonth = result.seconds / static_cast<double>(result.months);
    char text[64];
    std::snprintf(text, sizeof text, "実行速度 %.3f 秒／月", result.secondsPerMonth);
    result.message = text;
    game.quietMode = false;
    game.show(result.message);
    return result;
}

} // namespace vh
