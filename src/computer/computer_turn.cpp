// The phase table's entries for computer houses and the player's corps.
#include "computer/computer_turn.h"

#include "computer/account.h"
#include "context/game.h"

namespace vh {

namespace {

bool corpsInUse(const WorldState& w, int slot) {
    return slot >= 0 && slot < kMaxCorps && w.corps[slot].leader != -1 && w.corps[slot].house >= 0;
}

template <class Routine> void eachCorpsThenHouse(Game& game, int house, Routine routine) {
    for (int slot = 0; slot < kMaxCorps; ++slot)
        if (corpsInUse(game.world, slot) && game.world.corps[slot].house == house) routine(game, house, slot);
    routine(game, house, -1);
}

template <class Routine> void oneCorps(Game& game, int slot, Routine routine) {
    if (!corpsInUse(game.world, slot)) return;
    const int house = game.world.corps[slot].house;
    if (!houseAlive(game.world, house)) return;
    routine(game, house, slot);
}

} // namespace

void armHouse(Game& game, int house) { eachCorpsThenHouse(game, house, armAccount); }
void armCorps(Game& game, int corps) { oneCorps(game, corps, armAccount); }
void developHouse(Game& game, int house) { eachCorpsThenHouse(game, house, developAccount); }
void developCorps(Game& game, int corps) { oneCorps(game, corps, developAccount); }
void launchHouseSorties(Game& game, int house) { eachCorpsThenHouse(game, house, launchSorties); }
void launchCorpsSorties(Game& game, int corps) { oneCorps(game, corps, launchSorties); }

void planHouseCampaign(Game& game, int house) {
    planCampaign(game, house, -1);
    for (int slot = 0; slot < kMaxCorps; ++slot)
        if (corpsInUse(game.world, slot) && game.world.corps[slot].house == house) planCampaign(game, house, slot);
}
void planCorpsCampaign(Game& game, int corps) { oneCorps(game, corps, planCampaign); }

} // namespace vh
