// The event step that opens every month (phase イベント): its steps in their fixed order, and
// the unification test that can end the game there.
#pragma once

#include "context/game.h"

#include <functional>

namespace vh {

// Called after each step with the step's name, so a test can see the order and what each saw.
using EventStepObserver = std::function<void(const char* step, const Game& game)>;

// Runs the month's events in order. Returns false when a house has unified the country: then
// gameOver is set, the ending was shown (not in a benchmark) and no later step ran.
bool monthEventStep(Game& game, const EventStepObserver& observe = {});

// The house that commands every castle (a vassal's castle counting for its lord), or -1.
int unifyingHouse(const WorldState& w);

// "%s" + the scenario's ending text for the unifying house (UTF-8).
std::string endingText(const WorldState& w, int house);

} // namespace vh
