// Relations undone: a vassal's independence and the breaking of an alliance or a vassalage.
// The side that was left keeps a grudge (the refusal countdown) against the one that left.
#include "diplomacy/consequences.h"
#include "diplomacy/diplomacy_text.h"
#include "diplomacy/operations.h"
#include "diplomacy/relations.h"
#include "context/game.h"

namespace vh {

bool breakRelation(Game& game, int a, int b) {
    WorldState& w = game.world;
    if (a == b) return false;
    int lord = -1, vassal = -1;
    const int ka = kindAbout(w, a, b), kb = kindAbout(w, b, a);
    if (ka == kRelHasSubordinate || ka == kRelHasSubmitted)
        lord = a, vassal = b;
    else if (kb == kRelHasSubordinate || kb == kRelHasSubmitted)
        lord = b, vassal = a;

    std::vector<int> sideX, sideY;
    if (vassal >= 0) {
        DaimyoHouse& v = w.houses[vassal];
        const bool wasSubmitted = kindAbout(w, lord, vassal) == kRelHasSubmitted;
        startRefusalCountdown(w, lord, vassal, kBreakAwayRefusal);
        v.vassalState = 0;
        v.lord = vassal;
        for (int i = 0; i < w.houseCount; ++i)
            if (i != vassal) dropPair(w, vassal, i);
        for (int g = 0; g < w.generalCount; ++g) {
            General& r = w.generals[g];
            if (r.house != vassal) continue;
            r.status = kStatusOrdinary;
            if (!wasSubmitted) continue;
            r.corps = -1;
            if (onSortie(r)) sendGeneralHome(w, g);
        }
        sideX.push_back(lord);
        sideY.push_back(vassal);
    } else {
        dropPair(w, a, b);
        sideX.push_back(a);
        sideY.push_back(b);
    }
    // Each side's vassals stand with their lord: they fall out with the other side too.
    for (int v : vassalsOf(w, sideX[0]))
        if (v != sideY[0]) sideX.push_back(v);
    for (int v : vassalsOf(w, sideY[0]))
        if (v != sideX[0]) sideY.push_back(v);
    for (int x : sideX)
        for (int y : sideY)
            if (x != y) dropPair(w, x, y);

    std::vector<int> everyone = sideX;
    everyone.insert(everyone.end(), sideY.begin(), sideY.end());
    sendStrayGeneralsHome(w, everyone);
    return true;
}

bool declareIndependence(Game& game, int vassal) {
    WorldState& w = game.world;
    if (!isVassal(w, vassal)) return false;
    const int lord = w.houses[vassal].lord;
    breakRelation(game, lord, vassal);
    // Hostages the house gave its lord pay for the broken faith.
    for (int g = 0; g < w.generalCount; ++g) {
        General& r = w.generals[g];
        if (r.status != kStatusHostage || r.house != kHouseHeld) continue;
        if (r.holderHouse != lord || r.originHouse != vassal) continue;
        r.house = kHouseLost;
        if (isPlayerHouse(w, vassal))
            game.show(fillText("%s に人質となっていた %s は処刑されました", houseNameText(w, lord).c_str(),
                               generalNameText(w, g).c_str()));
    }
    return true;
}

} // namespace vh
