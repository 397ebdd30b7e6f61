// The phase table's entries for computer houses and the player's corps.
#include "computer/computer_turn.h"

#include "computer/account.h"
#include "computer/house_index.h"
#include "computer/routines.h"
#include "context/game.h"
#include "personnel/guests.h"

namespace vh {

namespace {

bool corpsInUse(const WorldState& w, int slot) {
    return slot >= 0 && slot < kMaxCorps && w.corps[slot].leader != -1 && w.corps[slot].house >= 0;
}

using Routine = void (*)(Game&, int, int, const HouseIndex*);

void eachCorpsThenHouse(Game& game, int house, Routine routine) {
    const HouseIndex& index = phaseRunIndex(game, house, false);
    for (int slot = 0; slot < kMaxCorps; ++slot)
        if (corpsInUse(game.world, slot) && game.world.corps[slot].house == house) routine(game, house, slot, &index);
    routine(game, house, -1, &index);
}

void oneCorps(Game& game, int slot, Routine routine) {
    if (!corpsInUse(game.world, slot)) return;
    const int house = game.world.corps[slot].house;
    if (!houseAlive(game.world, house)) return;
    routine(game, house, slot, &phaseRunIndex(game, house, true));
}

} // namespace

void personnelHouse(Game& game, int house) {
    computerPrisonersAndGuestsWith(game, house, &phaseRunIndex(game, house, false));
}
void armHouse(Game& game, int house) { eachCorpsThenHouse(game, house, armAccountWith); }
void armCorps(Game& game, int corps) { oneCorps(game, corps, armAccountWith); }
void developHouse(Game& game, int house) { eachCorpsThenHouse(game, house, developAccountWith); }
void developCorps(Game& game, int corps) { oneCorps(game, corps, developAccountWith); }
void launchHouseSorties(Game& game, int house) { eachCorpsThenHouse(game, house, launchSortiesWith); }
void launchCorpsSorties(Game& game, int corps) { oneCorps(game, corps, launchSortiesWith); }

void planHouseCampaign(Game& game, int house) {
    const HouseIndex& index = phaseRunIndex(game, house, false);
    planCampaignWith(game, house, -1, &index);
    for (int slot = 0; slot < kMaxCorps; ++slot)
        if (corpsInUse(game.world, slot) && game.world.corps[slot].house == house)
            planCampaignWith(game, house, slot, &index);
}
void planCorpsCampaign(Game& game, int corps) { oneCorps(game, corps, planCampaignWith); }

} // namespace vh
