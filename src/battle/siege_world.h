// The siege engine's bridge to the world: building a Siege from a castle's records, writing the
// month's results back, the siege estimate over general indices, and the month's siege either
// fought by the player in the siege window or run automatically.
#pragma once

#include "battle/siege.h"

#include <functional>
#include <span>

namespace vh {

struct Game;
struct WorldState;

// A castle's siege as it stands: size, progress, food, garrison, its garrison and besieger lists
// in list order, its route castles in route order, the house names for the messages.
Siege siegeFromCastle(const WorldState& w, int castle);

// Writes the siege's values into the world: the castle's progress, food and garrison, every
// general's troops and stratagem points and rest, and moves the withdrawn defenders not yet
// written into their castles' garrisons. May be called again after more turns.
void writeSiegeBack(WorldState& w, Siege& s);

// Re-reads the castle and its lists after something outside the engine (a sally battle, the
// retreat dialog) changed the world; the month's progress (turns, result, withdrawals) stays.
void reloadSiege(Siege& s, const WorldState& w);

// The siege estimate (assault months) for the given general indices (at most 20 of each count)
// against a castle's garrison soldiers, progress and size. Draws from `rng`.
int siegeEstimate(const WorldState& w, int castle, std::span<const int> besiegers,
                  std::span<const int> defenders, Random& rng);

// Whether the player fights this castle's siege in the siege window: the player's house
// besieges with a general outside its corps, or owns the castle with a garrison general outside
// its corps, or owns it with no garrison generals and no corps of the house holds its province.
bool siegeFoughtByHand(const WorldState& w, int castle);
// True when the player's side is the besieging one (else the garrison's).
bool playerBesieges(const WorldState& w, int castle);

// The garrison's sally as a field battle in the world: side A the besiegers, side B the garrison
// generals with the garrison soldiers as the castle's side. Returns 0 draw, 1 the besiegers won,
// 2 the garrison won. Supplied by the battle resolution.
using SallyBattle = std::function<int(Game& game, int castle)>;
// The retreat dialog "城から退却" for the castle; empty while there is none.
using RetreatDialog = std::function<void(Game& game, int castle)>;

struct SiegeMonthOutcome {
    int sally = -1;           // -1 no sally, else the sally battle's result (besiegers = side A)
    int result = kSiegeHolds; // 0 holds, 1 fallen by assault, 2 surrendered
    bool abandoned = false;   // the program was closed inside the siege window: stop the month
};

// The month's siege of one besieged castle. Fought by hand when siegeFoughtByHand holds and the
// frontend fights it; otherwise the computer garrison's sally decision (one draw), the sally
// battle when it sallies, and the automatic siege when there was no sally or the besiegers won
// it. The results are in the world when it returns (castle fall and report lines are the
// caller's).
SiegeMonthOutcome runSiegeMonth(Game& game, int castle, const SallyBattle& sally,
                                const RetreatDialog& retreat = {});

} // namespace vh
