// Prisoners: taking a general captive, his willingness to serve, recruiting, releasing and
// executing him, the exchange of prisoners between two houses, and the fate of the generals a
// fallen castle yields to its conqueror.
#pragma once

#include "context/game.h"

#include <string>
#include <vector>

namespace vh {

// `captor` takes `general` prisoner: house -3 with holder and origin, no troops, out of the
// field, awaiting placement. One draw sets his refusal counter; a captured head never serves
// while his house stands and leaves his house without a head (head -2). The caller rebuilds the
// castle lists.
void takePrisoner(Game& game, int captor, int general);

// A prisoner accepts service when his origin house owns no castle, or his refusal counter is 0.
bool canRecruit(const WorldState& w, int general);

// The holder takes the prisoner into service, placed by the retreat rule from his castle. False
// (and he stays a prisoner) when he refuses or no castle of the holder's side takes him.
bool recruitPrisoner(Game& game, int general);

// The prisoner goes home to the nearest castle of his origin house's side, or turns masterless
// when that house has no castle left.
void releasePrisoner(Game& game, int general);

// 切腹: he leaves the world at the next rebuild.
void orderSeppuku(WorldState& w, int general);

// Prisoners (status 1) held by `holder`, in general order; with `origin` >= 0 only those taken
// from that house.
std::vector<int> prisonersHeldBy(const WorldState& w, int holder, int origin = -1);

// 捕虜交換: worth of a prisoner in an exchange.
int prisonerValue(const General& g);
struct ExchangeOutcome {
    bool accepted = false;
    std::string message; // "%s は捕虜交換を承諾しました" / "%s は捕虜交換を承諾しませんでした"
};
// The player offers `theirs` (the partner's men the player holds) for `ours` (the player's men
// the partner holds). The partner agrees only when what it gets is worth more than what it
// gives; then every one of them is released. The answer is shown to the player.
ExchangeOutcome exchangePrisoners(Game& game, int partner, const std::vector<int>& ours,
                                  const std::vector<int>& theirs);

// A computer house offers service to a prisoner it holds; "%sは%sの家臣になりました" unless play is
// automatic. True when he joined.
bool recruitForComputer(Game& game, int general);

// The generals a conquest took prisoner, decided by their new holder: the player in the
// 降伏武将の処遇 dialog (every one dealt with before play goes on), a computer house by offering
// service at once. Called by the castle fall with the prisoners of that one castle.
void treatSurrenderedGenerals(Game& game, int conqueror, const std::vector<int>& prisoners);

// The surrendered-generals request for the player, with its operations bound to this game.
SurrenderRequest surrenderRequest(Game& game, const std::vector<int>& prisoners);

// A general's age for the lists, or -1 when his birth year is unknown.
int listedAge(const WorldState& w, const General& g);

} // namespace vh
