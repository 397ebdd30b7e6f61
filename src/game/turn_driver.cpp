// The turn driver. It changes only the calendar, the phase, the house order and the player's
// position and watch state; everything else happens in the routines it calls.
#include "game/turn_driver.h"

#include "game/month_event_step.h"
#include "game/phase_table.h"

namespace vh {

GameDate nextMonth(GameDate d) {
    if (++d.month > 12) {
        d.month = 1;
        ++d.year;
    }
    return d;
}

void shuffleHouseOrder(Game& game) {
    WorldState& w = game.world;
    const int m = w.spectator ? w.houseCount - 1 : w.houseCount;
    if (m < 0) return;
    for (int i = 0; i < m; ++i) w.houseOrder[i] = i;
    for (int i = 0; i < m; ++i) {
        const int j = i + game.rng.below(m - i);
        std::swap(w.houseOrder[i], w.houseOrder[j]);
    }
    if (w.spectator) w.houseOrder[m] = m;
}

int playerOrderPosition(const WorldState& w) {
    for (int i = 0; i < w.houseCount; ++i)
        if (w.houseOrder[i] == w.playerHouse) return i;
    return w.houseCount;
}

FlowStatus startMonth(Game& game) {
    if (game.frontend) {
        game.frontend->playOrdinaryMusic();
        game.frontend->phaseStarted(kPhaseEvent);
    }
    if (!monthEventStep(game)) return FlowStatus::Unified;
    return startPhase(game, kPhasePersonnel);
}

FlowStatus startPhase(Game& game, int phase) {
    WorldState& w = game.world;
    if (game.frontend) game.frontend->phaseStarted(phase);
    w.phase = phase;
    shuffleHouseOrder(game);
    const PhaseRoutines& r = phaseRoutines(game, phase);
    if (r.prepare) r.prepare(game);
    const int position = playerOrderPosition(w);
    for (int i = 0; i < position; ++i) {
        const int h = w.houseOrder[i];
        if (houseAlive(w, h) && r.house) r.house(game, h);
    }
    w.playerPosition = position;
    if (r.beforePlayer) r.beforePlayer(game);
    if (game.frontend) game.frontend->playerTurn();
    return FlowStatus::PlayerTurn;
}

FlowStatus finishPhase(Game& game, int phase) {
    WorldState& w = game.world;
    if (game.gameOver) return FlowStatus::Unified;
    if (game.closing) return FlowStatus::Closed;
    if (phase < kPhasePersonnel || phase > kPhaseSortie) return FlowStatus::PlayerTurn;
    const PhaseRoutines& r = phaseRoutines(game, phase);
    if (r.corps)
        for (int slot = 0; slot < kMaxCorps; ++slot)
            if (w.corps[slot].leader != -1 && w.corps[slot].house == w.playerHouse) r.corps(game, slot);
    for (int i = w.playerPosition + 1; i < w.houseCount; ++i) {
        const int h = w.houseOrder[i];
        if (houseAlive(w, h) && r.house) r.house(game, h);
    }
    if (r.closing) r.closing(game);
    // Closed inside a battle window: the step above settled what it had to; nothing more runs.
    if (game.closing) return FlowStatus::Closed;
    if (phase < kPhaseSortie) return startPhase(game, phase + 1);
    return endOfMonth(game);
}

FlowStatus endTurnPressed(Game& game) { return finishPhase(game, game.world.phase); }

FlowStatus endOfMonth(Game& game) {
    WorldState& w = game.world;
    if (houseAlive(w, w.playerHouse)) {
        w.watchAnswered = false;
    } else if (!w.spectator && !w.watchAnswered) {
        static const char* const kQuestion = "当家は滅亡しました。今後の経過を見ますか？";
        bool watch = true;
        if (game.frontend) watch = game.frontend->askWatchOn(kQuestion);
        else game.messageLog.push_back(kQuestion);
        if (!watch) return FlowStatus::PlayerEnded;
        w.watchAnswered = true;
        watchAsSpectator(w);
    }
    w.date = nextMonth(w.date);
    return startMonth(game);
}

void watchAsSpectator(WorldState& w) {
    // The phantom house must be the last house; with every slot taken the fallen house stays
    // the player's seat and the player goes on ending its empty turns.
    if (w.spectator || w.houseCount >= kMaxHouses) return;
    DaimyoHouse& phantom = w.houses[w.houseCount];
    phantom = DaimyoHouse{};
    phantom.lord = w.houseCount;
    w.playerHouse = w.houseCount;
    // Last in the order until the next shuffle, as the shuffle itself places him.
    w.houseOrder[w.houseCount] = w.houseCount;
    ++w.houseCount;
    w.spectator = true;
}

bool quitGame(Game& game) {
    static const char* const kQuestion = "ゲームを終了します";
    if (game.frontend && !game.frontend->askOkCancel(kQuestion)) return false;
    WorldState& w = game.world;
    w.playerHouse = -1;
    w.date = GameDate{w.settings.startYear, w.settings.startMonth};
    w.phase = kPhaseEvent;
    game.quietMode = false;
    return true;
}

} // namespace vh
