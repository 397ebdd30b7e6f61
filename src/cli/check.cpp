// check: reads a scenario as a new game would and prints its counts or the game's error message.
#include "cli/commands.h"
#include "scenario/scenario_reader.h"

#include <cstdio>
#include <memory>

namespace vh::cli {

int check(const Args& args) {
    std::string path, programDir;
    bool dirGiven = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--program-dir" && i + 1 < args.size()) {
            programDir = args[++i];
            dirGiven = true;
        } else if (path.empty()) {
            path = args[i];
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        std::fputs("使い方: vardenholm-cli check FILE [--program-dir DIR]\n", stderr);
        return 2;
    }
    if (!dirGiven) programDir = defaultProgramDir(args[0].c_str());

    auto world = std::make_unique<WorldState>();
    const ScenarioReadResult r = readScenario(path, programDir, *world);
    for (const std::string& notice : r.notices)
        std::printf("%s\n", notice.c_str());
    if (r.code != 0) {
        // The game shows no message for a file it cannot open.
        if (r.message.empty())
            std::fprintf(stderr, "ファイルエラー: %s\n", path.c_str());
        else
            std::printf("%s\n", r.message.c_str());
        return r.code;
    }
    std::printf("OK houses=%d castles=%d generals=%d relations=%d partners=%d markets=%d\n",
                world->scenarioHouseCount, world->castleCount, world->scenarioGeneralCount,
                world->relationEntryCount, world->tradePartnerCount - 1, world->gunMarketCount);
    return 0;
}

} // namespace vh::cli
