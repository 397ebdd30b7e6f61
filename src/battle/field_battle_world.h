// Field battles fought from the world: the two sides are filled from the general records, the
// player fights by hand when his side qualifies, and the outcome is written back to the records.
#pragma once

#include "battle/field_battle.h"

#include <span>

namespace vh {

struct Game;

// Which caller side the player fights: 0 side A, 1 side B, -1 none. A side qualifies when its
// commanding house is the player's house and one of its generals is outside every corps, or
// when it has no generals; side A is looked at first.
int handFoughtCallerSide(const Game& game, const FieldBattle& b);

// Builds the battle between side A (index 0) and side B (index 1): at most 20 generals each, in
// the caller's order (more are ignored), the castle whose garrison soldiers fight with the side
// or -1, the castle-side indicator (0 none, 1 side B is the castle's side, 2 side A is) and the
// one or two provinces (the second -1) whose weather decides the rain. A side without generals
// takes its commanding house from the castle's owner.
FieldBattle buildFieldBattle(const Game& game, std::span<const int> sideA, int castleA,
                             std::span<const int> sideB, int castleB, int castleSide, int province0,
                             int province1 = -1);

// Puts the player's side B at index 0 for the window (the castle-side indicator follows), or
// back; a result is translated with it.
void exchangeFieldSides(FieldBattle& b);

// Writes what remains of a finished battle into the world: troops, field-stratagem points and
// surprise rest of every general, the garrison soldiers of each castle, and the dead (taken off
// their castle's list, house lost, "%sは討ち死にしました" unless quiet or already shown by the
// window).
void writeBackFieldBattle(Game& game, const FieldBattle& b);

// One field battle from the world, the entry point of the battle resolution: builds it, lets the
// player fight it in the window when his side qualifies (the frontend may decline, and then it is
// fought automatically), writes the outcome back and returns 1 (side A won), 2 (side B won) or
// 0 (draw), always in the caller's side order.
int fightFieldBattle(Game& game, std::span<const int> sideA, int castleA, std::span<const int> sideB,
                     int castleB, int castleSide, int province0, int province1 = -1);

} // namespace vh
