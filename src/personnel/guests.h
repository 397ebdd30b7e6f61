// Guest generals: a 臣従 vassal's general serving the vassal's lord, one per vassal house; the
// player's invitation and the computer houses' 人事 step (prisoners and guests).
#pragma once

#include "context/game.h"

#include <string>
#include <vector>

namespace vh {

struct HouseIndex;

// The guest general (status 3) of `house`, or -1.
int guestOf(const WorldState& w, int house);

// `general` becomes his house's guest general. A hostage (his house already set to the origin)
// is first placed at his castle, or joins the holder as an ordinary general when his house has
// fallen. A house's former guest turns ordinary and trades troops with the new one.
void makeGuest(Game& game, int general);

// 客将招請: the ordinary generals of the player's 臣従 vassals, not their heads, in general order.
std::vector<int> guestInvitationCandidates(const WorldState& w);
// The OK/Cancel question for inviting `general` (the exchange form when his house has a guest).
std::string guestInvitationQuestion(const WorldState& w, int general);

// The 人事 step of computer house `house`: willing prisoners are recruited, then every vassal
// house gives its ablest man (or a hostage of age comes of age) as a guest.
void computerPrisonersAndGuests(Game& game, int house);
// The same, reading who may be concerned from the phase run's index (the same result).
void computerPrisonersAndGuestsWith(Game& game, int house, const HouseIndex* index);

} // namespace vh
