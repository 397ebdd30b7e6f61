// Small field battles described by plain values for the engine's tests.
#pragma once

#include "battle/field_battle.h"
#include "world/random.h"

#include <initializer_list>
#include <string>

namespace vh::test {

inline FieldGeneral fieldGeneral(const std::string& name, int cavalry, int foot, int guns, int valor = 50,
                                 int intellect = 50) {
    FieldGeneral g;
    g.name = name;
    g.cavalry = cavalry;
    g.foot = foot;
    g.guns = guns;
    g.valor = valor;
    g.intellect = intellect;
    g.ofCommandingHouse = true;
    return g;
}

inline FieldBattle fieldBattle(std::initializer_list<FieldGeneral> side0,
                               std::initializer_list<FieldGeneral> side1) {
    FieldBattle b;
    b.settings.kishuu = false;
    b.sides[0].generals = side0;
    b.sides[1].generals = side1;
    return b;
}

// Puts the side's units into its lines by general index (kGarrisonUnit for the garrison).
inline void placeLines(FieldBattle& b, int side, std::initializer_list<int> vanguard,
                       std::initializer_list<int> second, int commander) {
    setFieldFormation(b, side,
                      {std::vector<int>(vanguard), std::vector<int>(second), std::vector<int>{commander}});
}

// Random draws consumed between two generator states.
inline int drawsBetween(Random from, const Random& to) {
    for (int n = 0; n < 100000; ++n) {
        if (from.state() == to.state()) return n;
        from.next();
    }
    return -1;
}

} // namespace vh::test
