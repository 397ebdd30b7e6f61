// The monthly turn driver: the event step, the six command phases around the player's turn, the
// end of the month and the end of the game. Front ends call these and never run rules themselves.
#pragma once

#include "context/game.h"

namespace vh {

// Where the driver stopped.
enum class FlowStatus {
    PlayerTurn,  // waiting at the player's turn of world.phase ("コマンド終了" continues)
    Unified,     // a house unified the country: gameOver is set, the ending has been shown
    PlayerEnded, // the player's house fell and the player chose not to watch on
    Closed,      // the program was closed inside a window of the month (game.closing)
};

// The event step of the month, then phase 1 up to the player's turn.
FlowStatus startMonth(Game& game);
// The first half of a command phase: shuffle the house order, prepare, let the houses placed
// before the player act, then stop at the player's turn.
FlowStatus startPhase(Game& game, int phase);
// The second half: the player's corps, the houses after the player, the closing step; then the
// next phase, or the end of the month after phase 6. Does nothing once the game is over.
FlowStatus finishPhase(Game& game, int phase);
// The player's "コマンド終了".
FlowStatus endTurnPressed(Game& game);
// After phase 6: the fallen-house question (once), the calendar, the next month.
FlowStatus endOfMonth(Game& game);

// The player watches on after the fall of his house: he becomes the phantom house of the watch
// mode (the last house, never alive), so the game goes on as if it had been started watching.
void watchAsSpectator(WorldState& w);

// The month's house order: a fresh shuffle of all houses, the watching phantom house kept last.
void shuffleHouseOrder(Game& game);
// Index of the player's house in the house order, or the house count when it is not there.
int playerOrderPosition(const WorldState& w);

// The menu command 終了: asks "ゲームを終了します" (OK/Cancel); on OK the game is left for the
// start menu (no player house, start date, phase 0) and true is returned.
bool quitGame(Game& game);

// Calendar helpers.
GameDate nextMonth(GameDate d);
inline bool sameDate(GameDate a, GameDate b) { return a.year == b.year && a.month == b.month; }
inline bool dateBefore(GameDate a, GameDate b) {
    return a.year < b.year || (a.year == b.year && a.month < b.month);
}
// Months from a to b (negative when b is earlier).
inline long long monthsBetween(GameDate a, GameDate b) {
    return (static_cast<long long>(b.year) - a.year) * 12 + (b.month - a.month);
}

} // namespace vh
