// The player's diplomacy commands in the window: the command's own refusal, its windows in order
// (envoy, house, confirmation), the operation and its outcome messages.
#pragma once

#include "diplomacy/player_commands.h"
#include "ui/command_table.h"

namespace vh::ui {

class MainWindow;

// Runs one command from its button (or from the province information); true when it was carried
// out, so the window refreshes its figures and colours.
bool runDiplomacyCommandDialogs(MainWindow& window, DiplomacyCommand command);

// The button handler of a command for the command table.
CommandFn diplomacyCommandFn(DiplomacyCommand command);

} // namespace vh::ui
