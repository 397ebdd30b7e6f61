// What the month's battles need from the fighting engines and the prisoner rules, behind one
// small table of calls, so the resolution reads the same whether a test scripts the outcomes or
// the real field battle, siege and personnel rules answer.
#pragma once

#include "battle/siege.h"
#include "context/game.h"

#include <functional>
#include <vector>

namespace vh {

// One field battle as the resolution asks for it. Side A and side B hold at most 20 generals
// each, in general order; a side may instead (or also) bring a castle whose garrison soldiers
// fight with it. `sideBIsCastle` marks side B as the castle's side (relief battles and sallies).
struct FieldBattleCall {
    std::vector<int> sideA;
    int castleA = -1;
    std::vector<int> sideB;
    int castleB = -1;
    bool sideBIsCastle = false;
    int province = -1;
    int secondProvince = -1; // -1 when the battle lies in one province
};

// Field battle results.
inline constexpr int kBattleDraw = 0;
inline constexpr int kBattleSideAWon = 1;
inline constexpr int kBattleSideBWon = 2;

// The month's siege of one castle: the sally's field battle result with the besiegers as side A
// (-1 when nobody sallied) and the month's siege result (kSiegeHolds, kSiegeFallen, kSiegeSurrendered). `abandoned` when the program was closed
// inside the siege window: the month stops without asking the player anything more.
struct SiegeOutcome {
    int sally = -1;
    int result = kSiegeHolds;
    bool abandoned = false;
};

// The sally of a castle's garrison as a field battle; the siege asks the resolution for it.
using SallyBattleCall = std::function<int(Game&, int castle)>;

struct ResolutionServices {
    // The field battle engine; it decides itself whether the player fights by hand.
    std::function<int(Game&, const FieldBattleCall&)> fieldBattle;
    // The month's siege of a besieged castle: the player's siege window when his generals are
    // involved, else the garrison's sally decision, the sally and the automatic siege.
    std::function<SiegeOutcome(Game&, int castle, const SallyBattleCall& sally)> siegeMonth;
    // Takes a general prisoner for the captor house.
    std::function<void(Game&, int captor, int general)> takePrisoner;
    // The prisoners one castle fall produced, decided by the conqueror: the player in the
    // surrendered-generals dialog, a computer house by recruiting whom it can at once.
    std::function<void(Game&, int conqueror, const std::vector<int>& prisoners)> settlePrisoners;
};

// The game's own calls: the field battle and siege engines and the prisoner rules.
ResolutionServices standardResolutionServices();

} // namespace vh
