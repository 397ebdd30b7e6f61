// benchmark: a scenario set up from seed 0 and watched for some years; prints the speed and the
// digest of the final save image.
#include "cli/run_support.h"
#include "game/auto_progress.h"

#include <memory>

namespace vh::cli {

int benchmark(const Args& args) {
    std::string path, programDir, savePath;
    long long years = kBenchmarkDefaultYears;
    bool ok = true;
    for (size_t i = 1; i < args.size() && ok; ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--years" && hasValue) {
            const auto v = parseNumber(args[++i], 1, 1000);
            ok = v.has_value();
            if (v) years = *v;
        } else if (a == "--program-dir" && hasValue) {
            programDir = args[++i];
        } else if (a == "--save" && hasValue) {
            savePath = args[++i];
        } else if (path.empty() && !a.starts_with("--")) {
            path = a;
        } else {
            ok = false;
        }
    }
    if (!ok || path.empty()) {
        std::fputs("使い方: vardenholm-cli benchmark SCENARIO [--years N] [--save FILE] [--program-dir DIR]\n"
                   "  N: 1..1000 (既定 3)\n",
                   stderr);
        return 2;
    }
    if (programDir.empty()) programDir = defaultProgramDir(args[0].c_str());

    auto game = std::make_unique<Game>();
    CliFrontend ui(false);
    if (int code = readScenarioOrReport(path, programDir, game->world)) return code;
    game->frontend = &ui;
    prepareBenchmark(*game);
    const BenchmarkResult r = runBenchmark(*game, static_cast<int>(years));
    if (r.code != 0) {
        std::printf("大名家数がＭＡＸの場合は全自動モードは実行できません\n");
        return 1;
    }
    std::printf("%s\n", r.message.c_str());
    printDigest(game->world);
    if (!savePath.empty() && game->gameOver) {
        std::fputs("統一によりゲームが終了したため、セーブしません\n", stderr);
    } else if (!savePath.empty() && writeSaveFile(savePath, game->world) != kSaveOk) {
        std::printf("File error\n");
        return 1;
    }
    return 0;
}

} // namespace vh::cli
