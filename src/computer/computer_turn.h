// The computer houses and the player's corps in the armaments, domestic, strategy and sortie
// phases: one routine per phase for one account, and the phase table's house and corps entries
// that run them in the written order.
#pragma once

namespace vh {

struct Game;

// Castles, food, recruits and guns of one account (corps -1: the house's direct part).
void armAccount(Game& game, int house, int corps);
// Trade ships, mines, markets, land, ship building and (direct account only) gun purchases.
void developAccount(Game& game, int house, int corps);
// Relief, sieges and targets: gathering forces at the staging castles by move orders.
void planCampaign(Game& game, int house, int corps);
// Sortie orders against the targets next to the account's castles.
void launchSorties(Game& game, int house, int corps);

// Phase table entries. A house acts through each of its corps in slot order and its direct
// account (the strategy phase takes the direct account first); a corps entry runs one corps.
// The 人事 step (prisoners and guests) is the house's alone.
void personnelHouse(Game& game, int house);
void armHouse(Game& game, int house);
void armCorps(Game& game, int corps);
void developHouse(Game& game, int house);
void developCorps(Game& game, int corps);
void planHouseCampaign(Game& game, int house);
void planCorpsCampaign(Game& game, int corps);
void launchHouseSorties(Game& game, int house);
void launchCorpsSorties(Game& game, int corps);

} // namespace vh
