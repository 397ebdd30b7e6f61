// The month's event step. The steps run in this order every month; those whose rules are not
// built yet are named no-ops marked with the issue that builds them, so each can be filled in
// at its place without touching the order.
#include "game/month_event_step.h"

#include "diplomacy/relations.h"
#include "context/game_text.h"
#include "economy/firearms.h"
#include "simulation/accounts.h"
#include "simulation/month_events.h"
#include "simulation/succession.h"
#include "world/castle_rules.h"

namespace vh {
namespace {

// ---- The monthly events (src/simulation) ---------------------------------------------------
void generalCounters(Game& g) { advanceGeneralCounters(g); }
void freeVassals(Game& g) { freeVassalsOfFallenLords(g); }
void snow(Game& g) { heavySnow(g); }
void rain(Game& g) { heavyRain(g); }
void illness(Game& g) { illnessDeaths(g); }
void appearingGenerals(Game& g) {
    appearWaitingGenerals(g);
    makeGenericRetainers(g);
}
void uprisings(Game& g) { remnantUprisings(g); }
void corpsLeaders(Game& g) { corpsLeaderSuccessions(g); }
void houseHeads(Game& g) { headSuccessions(g); }
void relationCountdowns(Game& g) { countDownRelations(g.world); }
void powerFigures(Game& g) { recordPowerFigures(g.world); }
void harvestAndAccounts(Game& g) { settleMonthAccounts(g); }
void tradeShipMonths(Game& g) { advanceTradeVoyages(g.world); }
// ---- The economy (src/economy) --------------------------------------------------------------
void firearmsDeliveries(Game& g) { firearmsMonth(g); }
// ---------------------------------------------------------------------------------------------

// The month's weather is rolled afresh and sieges without besiegers lose their progress.
void beginEventPhase(Game& game) {
    WorldState& w = game.world;
    w.phase = kPhaseEvent;
    w.weatherFlags.fill(0);
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].besiegerCount == 0) w.castles[c].siegeProgress = 0;
}

void castleListFixUp(Game& game) { rebuildCastleLists(game); }

// Ends the game when one house commands every castle.
bool unificationTest(Game& game) {
    const int house = unifyingHouse(game.world);
    if (house < 0) return true;
    game.gameOver = true;
    if (game.benchmark) return false;
    const std::string text = endingText(game.world, house);
    if (game.frontend) game.frontend->showEnding(text);
    else game.messageLog.push_back(text);
    return false;
}

struct Step {
    const char* name;
    void (*run)(Game&);
};

const Step kBeforeUnification[] = {
    {"generals", generalCounters}, {"phase", beginEventPhase}, {"freedVassals", freeVassals}};
const Step kAfterUnification[] = {
    {"snow", snow},
    {"rain", rain},
    {"illness", illness},
    {"appearances", appearingGenerals},
    {"uprisings", uprisings},
    {"corpsLeaders", corpsLeaders},
    {"heads", houseHeads},
    {"relationCountdowns", relationCountdowns},
    {"castleLists", castleListFixUp},
    {"powerFigures", powerFigures},
    {"tradeShips", tradeShipMonths},
    {"firearms", firearmsDeliveries},
    {"accounts", harvestAndAccounts},
};

} // namespace

int unifyingHouse(const WorldState& w) {
    int winner = -1;
    for (int c = 0; c < w.castleCount; ++c) {
        int owner = w.castles[c].owner;
        if (owner >= 0 && owner < w.houseCount && w.houses[owner].vassalState != 0) owner = w.houses[owner].lord;
        if (owner < 0) return -1;
        if (winner == -1) winner = owner;
        else if (owner != winner) return -1;
    }
    return winner;
}

std::string endingText(const WorldState& w, int house) {
    return houseNameText(w, house) + nameText(w, w.settings.endingText);
}

bool monthEventStep(Game& game, const EventStepObserver& observe) {
    const auto run = [&](const Step& s) {
        s.run(game);
        if (observe) observe(s.name, game);
    };
    for (const Step& s : kBeforeUnification) run(s);
    if (!unificationTest(game)) return false;
    if (observe) observe("unification", game);
    for (const Step& s : kAfterUnification) run(s);
    return true;
}

} // namespace vh
