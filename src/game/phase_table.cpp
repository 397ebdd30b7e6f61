// The phase table: what each command phase prepares, the computer houses' and the player's
// corps' turns, and the closing steps (moves at the end of 戦略, the month's battles after 出陣).
#include "game/phase_table.h"

#include "battle/battle_resolution.h"
#include "world/byte_io.h"
#include "computer/computer_turn.h"
#include "diplomacy/computer_diplomacy.h"
#include "military/moves.h"
#include "military/recruit_pools.h"
#include "simulation/succession.h"

#include <cstring>

namespace vh {
namespace {

void clearActedFlags(WorldState& w) {
    for (int g = 0; g < w.generalCount; ++g) w.generals[g].flags &= ~kFlagActed;
}

void takeCastleSnapshot(WorldState& w) {
    for (int c = 0; c < w.castleCount; ++c) w.castleSnapshot[c] = w.castles[c];
}

// Every corps whose leader has left it gets a successor.
void replaceLostCorpsLeaders(Game& game) {
    WorldState& w = game.world;
    for (int slot = 0; slot < kMaxCorps; ++slot) {
        const int leader = w.corps[slot].leader;
        if (leader < 0 || leader >= w.generalCount) continue;
        if (w.generals[leader].corps == slot) continue;
        succeedCorpsLeader(game, slot, std::string(fieldText(w.generals[leader].name)));
    }
}

// The player's recruit pools for conscription, once the houses before the player have armed.
void recruitPoolsForPlayer(Game& game) { computeRecruitPools(game.world); }

void preparePersonnel(Game&) {}

void prepareArmament(Game& game) { takeCastleSnapshot(game.world); }

void prepareDiplomacy(Game& game) {
    clearActedFlags(game.world);
    game.diplomacyLog.clear();
}

void diplomacyBeforePlayer(Game& game) {
    WorldState& w = game.world;
    w.diplomacyTurnFlags.fill(0);
    w.diplomacyMark = 0;
    replaceLostCorpsLeaders(game);
}

void prepareDomestic(Game& game) {
    WorldState& w = game.world;
    takeCastleSnapshot(w);
    for (int m = 0; m < w.gunMarketCount; ++m) w.gunMarkets[m].monthlyPurchases = 0;
}

void prepareStrategy(Game& game) {
    WorldState& w = game.world;
    for (int c = 0; c < w.castleCount; ++c) w.castles[c].planningMark = 0;
    clearActedFlags(w);
}

void prepareSortie(Game& game) {
    WorldState& w = game.world;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].besiegerCount == 0) w.castles[c].siegeProgress = 0;
    clearActedFlags(w);
}

const PhaseTable kStandard = {{
    {nullptr, nullptr, nullptr, nullptr, nullptr}, // the event step is not a command phase
    {preparePersonnel, nullptr, personnelHouse, nullptr, nullptr},
    {prepareArmament, recruitPoolsForPlayer, armHouse, armCorps, nullptr},
    {prepareDiplomacy, diplomacyBeforePlayer, houseDiplomacy, nullptr, replaceLostCorpsLeaders},
    {prepareDomestic, nullptr, developHouse, developCorps, nullptr},
    {prepareStrategy, nullptr, planHouseCampaign, planCorpsCampaign, vh::executeMoves},
    {prepareSortie, nullptr, launchHouseSorties, launchCorpsSorties, resolveMonthlyBattles},
}};

} // namespace

const PhaseTable& standardPhaseTable() { return kStandard; }

const PhaseRoutines& phaseRoutines(const Game& game, int phase) {
    const PhaseTable& t = game.phaseTable ? *game.phaseTable : kStandard;
    return t.phases[phase >= 1 && phase <= 6 ? phase : 0];
}

} // namespace vh
