// The steps of the month's event step, each a rule of its own. The turn driver's event step
// (game/month_event_step.cpp) runs them in their fixed order.
#pragma once

#include "context/game.h"

namespace vh {

// Stratagem points grow by intellect (up to intellect × 20); the rest and refusal countdowns run.
void advanceGeneralCounters(Game& game);
// Vassals whose lord house has fallen become independent; fellow vassals become allies.
void freeVassalsOfFallenLords(Game& game);
// Heavy snow (sieges in snowy provinces are lifted) and heavy rain (koku and towns suffer).
void heavySnow(Game& game);
void heavyRain(Game& game);
// Old generals die of illness; their troops go to the bravest of their house.
void illnessDeaths(Game& game);
// Waiting generals appear and masterless ones seek a lord; then houses short of men get
// generic retainers.
void appearWaitingGenerals(Game& game);
void makeGenericRetainers(Game& game);
// Remnants of destroyed houses rise against castles of their old land.
void remnantUprisings(Game& game);
// Power figures: 5 per castle, 1 per castle of a submitted vassal; history and trend.
void recordPowerFigures(WorldState& w);
// Every fleet at sea comes one month nearer home.
void advanceTradeVoyages(WorldState& w);

} // namespace vh
