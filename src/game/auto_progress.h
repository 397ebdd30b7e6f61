// Months without a player: automatic progress while watching, up to a chosen month, and the
// benchmark that runs a freshly set-up scenario for some years and reports its speed.
#pragma once

#include "context/game.h"
#include "game/turn_driver.h"

#include <string>

namespace vh {

// ---- Automatic progress (the "自動進行" dialog's logic) --------------------------------------
struct AutoProgress {
    GameDate target;
    bool running = false;
};

// Starts towards `target`; a target not later than the current month is refused with
// "現在よりも後の年月を入力してください" and false.
bool startAutoProgress(Game& game, AutoProgress& run, GameDate target);

enum class AutoTick {
    Continue,      // call again (the dialog restarts its timer)
    ReachedTarget, // the current month is the target; quietMode is cleared
    GameOver,      // unification; the dialog closes
    PlayerEnded,   // the player declined to watch on after the house fell
};
// One timer tick: finishes the current phase, which lets every house act and moves on.
AutoTick autoProgressTick(Game& game, AutoProgress& run);
// 中断, or closing the dialog: stops and clears quietMode.
void stopAutoProgress(Game& game, AutoProgress& run);

// Runs the game from the player's turn of the current phase until phase 1 of `target` (or the
// end of the game). `atMonth` is called at phase 1 of every month reached, the starting one
// included when the game stands there. Used by the command-line runner.
FlowStatus runUntil(Game& game, GameDate target, void (*atMonth)(const Game&, void*) = nullptr,
                    void* context = nullptr);

// ---- Benchmark ---------------------------------------------------------------------------------
inline constexpr int kBenchmarkDefaultYears = 3;

// The benchmark's set-up of an already read scenario: the generator seeded with 0, a new game.
void prepareBenchmark(Game& game);

struct BenchmarkResult {
    int code = 0;                       // 0, or kChooseWatchRefused
    FlowStatus status = FlowStatus::PlayerTurn;
    long long months = 0;               // months run, at least 1
    double seconds = 0;
    double secondsPerMonth = 0;
    std::string message;                // "実行速度 %.3f 秒／月"
};

// Watches the prepared game for `years` (1..1000) in quiet mode and measures it. The speed
// message is shown through game.show as well as returned. A unification before the target ends
// the run early and the speed is taken over the months actually run.
BenchmarkResult runBenchmark(Game& game, int years);

} // namespace vh
