// watch and resume: a game run headless up to a month, one summary line per month, then the
// digest of the save image (and the save file itself with --save).
#include "cli/run_support.h"
#include "game/auto_progress.h"
#include "game/month_event_step.h"
#include "game/new_game.h"
#include "game/turn_driver.h"

#include <memory>

namespace vh::cli {
namespace {

struct RunOptions {
    std::string input; // scenario or save file
    std::string programDir;
    std::string savePath;
    std::optional<GameDate> until;
    uint32_t seed = 0;
    int house = -1;
    bool messages = false;
};

bool parseRunOptions(const Args& args, bool forWatch, RunOptions& o) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--until" && hasValue) {
            o.until = parseYearMonth(args[++i]);
            if (!o.until) return false;
        } else if (a == "--seed" && hasValue) {
            const auto v = parseNumber(args[++i], 0, 0xFFFFFFFFll);
            if (!v) return false;
            o.seed = static_cast<uint32_t>(*v);
        } else if (a == "--save" && hasValue) {
            o.savePath = args[++i];
        } else if (forWatch && a == "--house" && hasValue) {
            const auto v = parseNumber(args[++i], 0, kMaxHouses - 1);
            if (!v) return false;
            o.house = static_cast<int>(*v);
        } else if (forWatch && a == "--program-dir" && hasValue) {
            o.programDir = args[++i];
        } else if (a == "--messages") {
            o.messages = true;
        } else if (o.input.empty() && !a.starts_with("--")) {
            o.input = a;
        } else {
            return false;
        }
    }
    return !o.input.empty() && o.until.has_value();
}

// The month line, and with --messages the month's diplomacy log after it (on stderr, with the
// other messages).
void printMonthAndLog(const Game& game, void* withLog) {
    printMonthLine(game, nullptr);
    if (!withLog) return;
    std::string log = game.diplomacyLog;
    for (size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at)) log.erase(at, 1);
    std::fputs(log.c_str(), stderr);
}

// Runs from the player's turn where the game stands to phase 1 of the target month.
int runAndReport(Game& game, const RunOptions& o) {
    if (!dateBefore(game.world.date, *o.until)) {
        std::printf("現在よりも後の年月を入力してください\n");
        return 1;
    }
    // A watched game runs like automatic progress; a played house hears everything.
    game.quietMode = game.world.spectator;
    bool withLog = o.messages;
    const FlowStatus s = runUntil(game, *o.until, printMonthAndLog, withLog ? &withLog : nullptr);
    game.quietMode = false;
    if (s == FlowStatus::Unified) std::printf("%s\n", endingText(game.world, unifyingHouse(game.world)).c_str());
    printDigest(game.world);
    if (o.savePath.empty()) return 0;
    if (s != FlowStatus::PlayerTurn) {
        std::fputs("ゲームが終了したため、セーブしません\n", stderr);
        return 0;
    }
    if (writeSaveFile(o.savePath, game.world) != kSaveOk) {
        std::printf("File error\n");
        return 1;
    }
    return 0;
}

} // namespace

int watch(const Args& args) {
    RunOptions o;
    if (!parseRunOptions(args, true, o)) {
        std::fputs("使い方: vardenholm-cli watch SCENARIO --until YYYY-MM [--seed N] [--save FILE] [--house INDEX]\n"
                   "                           [--program-dir DIR] [--messages]\n",
                   stderr);
        return 2;
    }
    if (o.programDir.empty()) o.programDir = defaultProgramDir(args[0].c_str());
    auto game = std::make_unique<Game>();
    CliFrontend ui(o.messages);
    if (int code = readScenarioOrReport(o.input, o.programDir, game->world)) return code;
    game->frontend = &ui;
    game->rng.seed(o.seed);
    setUpNewGame(*game);
    if (chooseHouse(*game, o.house) != kChooseOk) {
        if (o.house >= 0) std::printf("大名家 %d は城を持っていないため選択できません\n", o.house);
        else std::printf("大名家数がＭＡＸの場合は全自動モードは実行できません\n");
        return 1;
    }
    if (!dateBefore(game->world.date, *o.until)) {
        std::printf("現在よりも後の年月を入力してください\n");
        return 1;
    }
    game->quietMode = game->world.spectator;
    const FlowStatus s = startMonth(*game);
    if (s == FlowStatus::Unified) {
        printMonthLine(*game, nullptr);
        std::printf("%s\n", endingText(game->world, unifyingHouse(game->world)).c_str());
        printDigest(game->world);
        return 0;
    }
    return runAndReport(*game, o);
}

int resume(const Args& args) {
    RunOptions o;
    if (!parseRunOptions(args, false, o)) {
        std::fputs("使い方: vardenholm-cli resume SAVEFILE --until YYYY-MM [--save FILE] [--seed N] [--messages]\n",
                   stderr);
        return 2;
    }
    auto game = std::make_unique<Game>();
    CliFrontend ui(o.messages);
    game->frontend = &ui;
    const int code = loadGame(*game, o.input);
    if (code != kSaveOk) {
        std::printf("%s\n", saveResultMessage(code).c_str());
        return 1;
    }
    // The generator is not part of a saved game; a resumed run draws from --seed (0 by default).
    game->rng.seed(o.seed);
    return runAndReport(*game, o);
}

} // namespace vh::cli
