// save-info: the date, phase, player and every table count of a saved game, or the loader's
// message.
#include "cli/run_support.h"
#include "game/display_rules.h"

#include <memory>

namespace vh::cli {

int saveInfo(const Args& args) {
    if (args.size() != 2) {
        std::fputs("使い方: vardenholm-cli save-info SAVEFILE\n", stderr);
        return 2;
    }
    auto w = std::make_unique<WorldState>();
    const int code = readSaveFile(args[1], *w);
    if (code != kSaveOk) {
        std::printf("%s\n", saveResultMessage(code).c_str());
        return 1;
    }
    std::printf("date %d-%02d\n", w->date.year, w->date.month);
    std::printf("start %d-%02d\n", w->settings.startYear, w->settings.startMonth);
    std::printf("phase %d %s\n", w->phase, phaseName(w->phase));
    const std::string player = w->spectator ? "(観戦)" : houseNameText(*w, w->playerHouse);
    std::printf("player %d %s\n", w->playerHouse, player.c_str());
    std::printf("spectator %d\n", w->spectator ? 1 : 0);
    std::printf("player-position %d\n", w->playerPosition);
    std::printf("title %s\n", nameText(*w, w->settings.title).c_str());
    std::printf("scenario-houses %d\n", w->scenarioHouseCount);
    std::printf("houses %d\n", w->houseCount);
    std::printf("scenario-generals %d\n", w->scenarioGeneralCount);
    std::printf("castles %d\n", w->castleCount);
    std::printf("generals %d\n", w->generalCount);
    std::printf("waiting-generals %d\n", w->waitingCount);
    std::printf("trade-partners %d\n", w->tradePartnerCount);
    std::printf("coalitions %d\n", w->coalitionCount);
    std::printf("gun-markets %d\n", w->gunMarketCount);
    std::printf("provinces %d\n", w->provinceCount());
    std::printf("regions %d\n", w->regionCount());
    int corps = 0;
    for (const Corps& c : w->corps) corps += c.leader != -1;
    std::printf("corps %d\n", corps);
    printDigest(*w);
    return 0;
}

} // namespace vh::cli
