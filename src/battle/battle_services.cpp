// The game's own engines and prisoner rules behind the month's battles.
#include "battle/battle_services.h"

#include "battle/field_battle_world.h"
#include "battle/siege_world.h"
#include "personnel/prisoners.h"

#include <utility>

namespace vh {
namespace {

// Once the program is closing inside a window of the month, nothing more is asked of the
// player: the rest of the month runs as the computer would run it.
template <class Fn> auto unlessClosing(Game& game, Fn fn) {
    Frontend* const seat = game.closing ? std::exchange(game.frontend, nullptr) : game.frontend;
    struct Restore {
        Game& game;
        Frontend* seat;
        ~Restore() { game.frontend = seat; }
    } restore{game, seat};
    return fn();
}

} // namespace

ResolutionServices standardResolutionServices() {
    ResolutionServices s;
    s.fieldBattle = [](Game& game, const FieldBattleCall& c) {
        return fightFieldBattle(game, c.sideA, c.castleA, c.sideB, c.castleB, c.sideBIsCastle ? 1 : 0, c.province,
                                c.secondProvince);
    };
    s.siegeMonth = [](Game& game, int castle, const SallyBattleCall& sally) {
        const RetreatDialog retreat = [](Game& g, int c) {
            if (g.frontend) g.frontend->chooseCastleRetreat(c);
        };
        const SiegeMonthOutcome o = unlessClosing(game, [&] { return runSiegeMonth(game, castle, sally, retreat); });
        return SiegeOutcome{o.sally, o.result, o.abandoned};
    };
    s.takePrisoner = [](Game& game, int captor, int general) { takePrisoner(game, captor, general); };
    s.settlePrisoners = [](Game& game, int conqueror, const std::vector<int>& prisoners) {
        unlessClosing(game, [&] { treatSurrenderedGenerals(game, conqueror, prisoners); });
    };
    return s;
}

} // namespace vh
