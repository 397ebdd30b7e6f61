// The four routines with an optional index of who holds what (the phase table's entries pass the
// index of their run of houses; the routines called directly pass none and scan the tables).
#pragma once

namespace vh {

struct Game;
struct HouseIndex;

void armAccountWith(Game& game, int house, int corps, const HouseIndex* index);
void developAccountWith(Game& game, int house, int corps, const HouseIndex* index);
void planCampaignWith(Game& game, int house, int corps, const HouseIndex* index);
void launchSortiesWith(Game& game, int house, int corps, const HouseIndex* index);

} // namespace vh
