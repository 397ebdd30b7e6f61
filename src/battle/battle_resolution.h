// The month's battles, the closing step of the sortie phase: marches and road battles, battles
// before castles, the sieges, fallen castles, vassal houses left without castles, vanishing
// houses and the battle report.
#pragma once

#include "battle/battle_services.h"
#include "context/game.h"

#include <string>
#include <vector>

namespace vh {

// Runs every step of the month's battles with the game's own engines and shows the report.
void resolveMonthlyBattles(Game& game);
// The same with other engines and prisoner rules (tests script the outcomes through these).
void resolveMonthlyBattles(Game& game, const ResolutionServices& services);

// The report as the player reads it: the month's lines, or "特になし" for a month without any.
std::string battleReportText(const Game& game);

// Appends one line to the month's report (CR LF added).
void appendReportLine(Game& game, const std::string& line);

// The general records marked as newly placed move, in turn, to the end of the active table; every
// general index kept in the world follows. Returns the new index of every former index, so that a
// caller holding indices from before can map them.
std::vector<int> moveMarkedGeneralsToEnd(WorldState& w);

} // namespace vh
