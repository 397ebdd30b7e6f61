// Hostages: the heir a house hands over when its lord demands one, and what the holder may do
// with him: raise him as a guest general once he comes of age, or send him home.
#pragma once

#include "context/game.h"

#include <string>
#include <vector>

namespace vh {

// Waiting generals (indices into the waiting table) that `giver` could hand over: its ranked
// heirs by scenario entry, aged 1 to 18. None while the active table is full.
std::vector<int> hostageCandidates(const WorldState& w, int giver);

// `receiver` demands a hostage of `giver`. The player's house chooses in the 人質差し出し dialog
// (and may refuse); a computer house gives its least able heir, or, without one, a new heir
// "<house> 世嗣". Returns the hostage's active index, or -1 when none was given (refused, or the
// active table is full).
int takeHostage(Game& game, int receiver, int giver);

// Hostages (status 2) held by `holder`, in general order.
std::vector<int> hostagesHeldBy(const WorldState& w, int holder);

// 元服させて客将として取立てる: the refusal ("臣従大名家以外の人質を元服させることはできません",
// "15歳未満は元服できません"), or empty.
std::string checkComingOfAge(const WorldState& w, int hostage);
// The OK/Cancel question before he comes of age (the guest-exchange form when his house already
// has a guest).
std::string comingOfAgeQuestion(const WorldState& w, int hostage);
// He comes of age and joins his origin house as its guest general with the player's house.
void comeOfAge(Game& game, int hostage);

// 元の大名家に返還する: the refusal for a destroyed origin house or a full waiting table, or empty.
std::string checkReturnHostage(const WorldState& w, int hostage);
std::string returnHostageQuestion(const WorldState& w, int hostage); // "%s を %s に返還します"
// He goes back to the waiting generals of his origin house and leaves the active world. False
// (nothing changed) when checkReturnHostage refuses.
bool returnHostage(Game& game, int hostage);

} // namespace vh
