// The game's own engines and prisoner rules behind the month's battles.
#include "battle/battle_services.h"

namespace vh {

ResolutionServices standardResolutionServices() {
    ResolutionServices s;
    // Waits for the field battle engine: until it is merged every battle is a draw.
    s.fieldBattle = [](Game&, const FieldBattleCall&) { return kBattleDraw; };
    // Waits for the siege engine: until it is merged every besieged castle holds.
    s.siegeMonth = [](Game&, int, const SallyBattleCall&) { return SiegeOutcome{}; };
    // Wait for the prisoner rules: nobody is taken prisoner or recruited yet.
    s.takePrisoner = [](Game&, int, int) {};
    s.recruitPrisoner = [](Game&, int) { return false; };
    s.surrenderedGenerals = [](Game&, const std::vector<int>&) {};
    return s;
}

} // namespace vh
