// Scenario tables filled by hand (as the scenario reader would leave them) for set-up and turn
// tests, and a generator of large scenarios for the benchmark and determinism checks.
#pragma once

#include "context/game.h"
#include "world/byte_io.h"
#include "world/text_codec.h"

#include <cstdio>
#include <string>

namespace vh::test {

inline int16_t provincePlace(int province) { return static_cast<int16_t>(0x8000 | province); }
inline int16_t parenthesised(int house) { return static_cast<int16_t>(0x8000 | house); }

class ScenarioFixture {
public:
    explicit ScenarioFixture(WorldState& w, int provinces = 4, int regions = 1) : w_(w) {
        w_.map = MapData{};
        for (int r = 0; r < regions; ++r) {
            Region reg;
            setFieldText(reg.name, "R" + std::to_string(r));
            w_.map.regions.push_back(reg);
        }
        for (int p = 0; p < provinces; ++p) {
            Province pr;
            setFieldText(pr.name, "P" + std::to_string(p));
            pr.region = static_cast<int16_t>(p % regions);
            w_.map.provinces.push_back(pr);
        }
    }

    int house(const std::string& name, int funds = 1000, uint8_t kind = kHouseNormal) {
        const int h = w_.scenarioHouseCount++;
        ScenarioHouse& s = w_.scenarioHouses[h];
        s = ScenarioHouse{};
        setFieldText(s.name, utf8ToCp932(name));
        s.kind = kind;
        s.initialFunds = funds;
        s.navigationSkill = static_cast<int16_t>(10 + h);
        s.miningSkill = static_cast<int16_t>(20 + h);
        return h;
    }

    int castle(const std::string& name, int owner, int province = 0, int size = 5, int yield = 100000) {
        const int c = w_.castleCount++;
        CastleSite& s = w_.castleSites[c];
        s = CastleSite{};
        setFieldText(s.name, utf8ToCp932(name));
        s.province = static_cast<uint8_t>(province);
        s.size = static_cast<uint8_t>(size);
        s.x = static_cast<int16_t>(20 + (c * 37) % 520);
        s.y = static_cast<int16_t>(20 + (c * 53) % 400);
        s.maxYield = yield * 2;
        s.maxTown = 1000;
        s.initialOwner = static_cast<int16_t>(owner);
        Castle& k = w_.castles[c];
        k = Castle{};
        k.yield = yield;
        k.town = 100;
        k.support = 500;
        k.voyages[0].ships = 3; // set-up must clear it
        return c;
    }

    void route(int a, int b) {
        add(a, b);
        add(b, a);
    }

    // A general; `place` is a castle index or provincePlace(p); `house` an index, -2 (D_FREE)
    // or parenthesised(h).
    int general(const std::string& name, int house, int place, int rank = -1, int appearYear = 0,
                int intellect = 5) {
        const int g = w_.scenarioGeneralCount++;
        ScenarioGeneral& s = w_.scenarioGenerals[g];
        s = ScenarioGeneral{};
        setFieldText(s.name, utf8ToCp932(name));
        s.valor = 5;
        s.politics = 5;
        s.intellect = static_cast<uint8_t>(intellect);
        s.ambition = 5;
        s.loyalty = 5;
        s.cavalry = 10;
        s.foot = 50;
        s.guns = 2;
        s.birthYear = 1530;
        s.lifeEnd = 1590;
        s.appearYear = static_cast<int16_t>(appearYear);
        s.house = static_cast<int16_t>(house);
        s.place = static_cast<int16_t>(place);
        s.succession = static_cast<int8_t>(rank);
        return g;
    }

    void relation(int a, int kind, int b) {
        RelationEntry& e = w_.relationEntries[w_.relationEntryCount++];
        e.houseA = static_cast<int16_t>(a);
        e.houseB = static_cast<int16_t>(b);
        e.kind = static_cast<int16_t>(kind);
    }

private:
    void add(int from, int to) {
        CastleSite& s = w_.castleSites[from];
        int n = routeCount(s);
        s.routes[n] = static_cast<int16_t>(to);
    }
    WorldState& w_;
};

// A scenario of `houses` houses with `castlesPerHouse` castles each, laid out along a ring of
// routes, and `generalsPerHouse` generals per house (the first of each house ranked 0). Some
// generals wait for a later year. Deterministic: no randomness in the layout.
inline void generateScenario(WorldState& w, int houses, int castlesPerHouse, int generalsPerHouse,
                             int provinces = 100) {
    ScenarioFixture f(w, provinces, 10);
    for (int h = 0; h < houses; ++h) f.house("H" + std::to_string(h), h % 3 == 0 ? -1 : 5000 + h);
    const int castles = houses * castlesPerHouse;
    for (int c = 0; c < castles; ++c)
        f.castle("C" + std::to_string(c), c / castlesPerHouse, c % std::min(provinces, 128), 1 + c % 10,
                 20000 + (c * 7919) % 200000);
    for (int c = 0; c + 1 < castles; ++c) f.route(c, c + 1);
    if (castles > 2) f.route(castles - 1, 0);
    for (int h = 0; h < houses; ++h)
        for (int i = 0; i < generalsPerHouse; ++i) {
            const int castle = h * castlesPerHouse + i % castlesPerHouse;
            const bool waiting = i % 7 == 6;
            f.general("G" + std::to_string(h) + "_" + std::to_string(i), h, castle, i == 0 ? 0 : -1,
                      waiting ? w.settings.startYear + 1 + i % 5 : 0, i % 11);
        }
    for (int h = 0; h + 1 < houses; h += 4) f.relation(h, kRelPact, h + 1);
}

// A scenario with exactly the given totals: castles in contiguous blocks per house on a ring of
// routes with a chord every fifth castle, generals dealt round the houses. 999 houses, 2000
// castles and 5000 generals is the largest world that can still be watched.
inline void generateScenarioTotals(WorldState& w, int houses, int castles, int generals, int provinces = 120) {
    ScenarioFixture f(w, provinces, 10);
    for (int h = 0; h < houses; ++h) f.house("H" + std::to_string(h), h % 3 == 0 ? -1 : 5000 + h % 1000);
    auto ownerOf = [&](int c) { return static_cast<int>(static_cast<long long>(c) * houses / castles); };
    auto firstCastleOf = [&](int h) { return static_cast<int>((static_cast<long long>(h) * castles + houses - 1) / houses); };
    for (int c = 0; c < castles; ++c)
        f.castle("C" + std::to_string(c), ownerOf(c), c % std::min(provinces, 128), 1 + c % 10,
                 20000 + (c * 7919) % 200000);
    for (int c = 0; c + 1 < castles; ++c) f.route(c, c + 1);
    if (castles > 2) f.route(castles - 1, 0);
    for (int c = 0; c < castles && castles > 40; c += 5) f.route(c, (c + 17) % castles);
    for (int g = 0; g < generals; ++g) {
        const int h = g % houses;
        const int first = firstCastleOf(h);
        const int last = h + 1 < houses ? firstCastleOf(h + 1) : castles;
        const int castle = first + (g / houses) % std::max(1, last - first);
        const bool waiting = (g / houses) % 7 == 6;
        f.general("G" + std::to_string(g), h, castle, g < houses ? 0 : -1,
                  waiting ? w.settings.startYear + 1 + g % 5 : 0, g % 11);
    }
    for (int h = 0; h + 1 < houses; h += 4) f.relation(h, kRelPact, h + 1);
}

} // namespace vh::test
