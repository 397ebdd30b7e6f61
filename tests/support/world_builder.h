// Builds small worlds by hand for rule tests: houses, castles, routes and generals.
#pragma once

#include "context/game.h"
#include "world/byte_io.h"
#include "world/text_codec.h"

#include <cassert>
#include <string>

namespace vh::test {

class WorldBuilder {
public:
    explicit WorldBuilder(WorldState& w) : w_(w) {}

    // An independent house with its own relation kinds at "no agreement".
    int house(const std::string& name, int funds = 1000) {
        int h = w_.houseCount++;
        w_.scenarioHouseCount = w_.houseCount;
        DaimyoHouse& d = w_.houses[h];
        d = DaimyoHouse{};
        setFieldText(d.name, utf8ToCp932(name));
        d.funds = funds;
        d.lord = h;
        d.head = -3; // alive until a head general is given
        for (int j = 0; j < kMaxHouses; ++j) d.relations[j] = kRelNothing;
        return h;
    }

    int castle(const std::string& name, int owner, int province = 0, int x = 0, int y = 0) {
        int c = w_.castleCount++;
        CastleSite& s = w_.castleSites[c];
        s = CastleSite{};
        setFieldText(s.name, utf8ToCp932(name));
        s.province = static_cast<uint8_t>(province);
        s.x = static_cast<int16_t>(x);
        s.y = static_cast<int16_t>(y);
        s.initialOwner = static_cast<int16_t>(owner);
        Castle& k = w_.castles[c];
        k = Castle{};
        k.owner = static_cast<int16_t>(owner);
        k.size = 1;
        return c;
    }

    // An undirected route, entered in both castles' lists.
    void route(int a, int b) {
        addRouteEnd(a, b);
        addRouteEnd(b, a);
    }

    // A general standing in a castle's garrison (or its field list when inField).
    int general(const std::string& name, int house, int castle, bool inField = false) {
        int g = w_.generalCount++;
        General& r = w_.generals[g];
        r = General{};
        setFieldText(r.name, utf8ToCp932(name));
        r.house = static_cast<int16_t>(house);
        r.castle = static_cast<int16_t>(castle);
        r.entry = static_cast<int16_t>(g);
        if (inField) r.flags |= kFlagInField;
        if (castle >= 0) {
            Castle& k = w_.castles[castle];
            // A full list leaves him off it, as the rules do.
            if (inField && k.besiegerCount < Castle::kMaxGenerals) k.besiegers[k.besiegerCount++] = g;
            else if (!inField && k.generalCount < Castle::kMaxGenerals) k.generals[k.generalCount++] = g;
        }
        if (house >= 0 && w_.houses[house].head == -3) w_.houses[house].head = g;
        return g;
    }

    // A corps of `house` led by `leader`, in the first free slot.
    int corps(int leader, int house) {
        for (int c = 0; c < kMaxCorps; ++c) {
            if (w_.corps[c].leader != -1) continue;
            w_.corps[c] = Corps{};
            w_.corps[c].leader = leader;
            w_.corps[c].house = house;
            w_.generals[leader].corps = static_cast<int16_t>(c);
            return c;
        }
        assert(false);
        return -1;
    }

    // Makes `vassal` submit (state 2) or subordinate itself (state 1) to `lord`.
    void vassal(int vassal, int lord, int state = 2) {
        w_.houses[vassal].vassalState = static_cast<uint8_t>(state);
        w_.houses[vassal].lord = lord;
        setRelationKind(w_.houses[vassal], lord, state == 2 ? kRelSubmittedTo : kRelSubordinateTo);
        setRelationKind(w_.houses[lord], vassal, state == 2 ? kRelHasSubmitted : kRelHasSubordinate);
    }

    // A map region and a province in it, in index order.
    int region(const std::string& name) {
        Region r{};
        setFieldText(r.name, utf8ToCp932(name));
        w_.map.regions.push_back(r);
        return w_.map.regionCount() - 1;
    }
    int province(const std::string& name, int region) {
        Province p{};
        setFieldText(p.name, utf8ToCp932(name));
        p.region = static_cast<int16_t>(region);
        w_.map.provinces.push_back(p);
        return w_.map.provinceCount() - 1;
    }

    // Gives general `g` a scenario entry naming `house` with succession rank `rank`.
    void heir(int g, int house, int rank) {
        ScenarioGeneral& e = w_.scenarioGenerals[g];
        e.house = static_cast<int16_t>(house);
        e.succession = static_cast<int8_t>(rank);
        w_.generals[g].entry = static_cast<int16_t>(g);
        if (w_.scenarioGeneralCount <= g) w_.scenarioGeneralCount = g + 1;
    }

    // A general on the waiting list: the house field as a scenario writes it (bit 15 for
    // parentheses, -2 for none), the place (castle, or province with bit 15) and the year he appears.
    int waiting(const std::string& name, int houseField, int place, int appearYear) {
        int g = w_.waitingCount++;
        General& r = w_.waitingGenerals[g];
        r = General{};
        setFieldText(r.name, utf8ToCp932(name));
        r.house = static_cast<int16_t>(houseField);
        r.sortieTarget = static_cast<int16_t>(place);
        r.moveTarget = static_cast<int16_t>(appearYear);
        return g;
    }

private:
    void addRouteEnd(int from, int to) {
        CastleSite& s = w_.castleSites[from];
        int n = routeCount(s);
        assert(n < CastleSite::kMaxRoutes);
        s.routes[n] = static_cast<int16_t>(to);
    }
    WorldState& w_;
};

} // namespace vh::test
