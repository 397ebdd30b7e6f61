// Pair updates of the relation bytes, the refusal countdown and the month's diplomacy marks.
// Kinds and countdowns share one byte; every write here keeps the half it does not own.
#include "diplomacy/relations.h"

namespace vh {

void setPairKind(WorldState& w, int a, int b, int kind) {
    setPairKinds(w, a, b, kind, kind);
}

void setPairKinds(WorldState& w, int a, int b, int kindAtA, int kindAtB) {
    setRelationKind(w.houses[a], b, kindAtA);
    setRelationKind(w.houses[b], a, kindAtB);
}

void dropPair(WorldState& w, int a, int b) {
    const bool forGood =
        counterAbout(w, a, b) == kPermanentRefusal || counterAbout(w, b, a) == kPermanentRefusal;
    setPairKind(w, a, b, forGood ? kRelSwornEnemy : kRelNothing);
}

void startRefusalCountdown(WorldState& w, int house, int other, int months) {
    if (counterAbout(w, house, other) == kPermanentRefusal) return;
    setRelationCounter(w.houses[house], other, months);
}

// Destroyed houses count down too: a house that rises again must not find stale grudges.
void countDownRelations(WorldState& w) {
    for (int h = 0; h < w.houseCount; ++h) {
        DaimyoHouse& d = w.houses[h];
        for (int j = 0; j < w.houseCount; ++j) {
            const int c = relationCounter(d, j);
            if (c >= 1 && c < kPermanentRefusal) setRelationCounter(d, j, c - 1);
        }
    }
}

int lordOf(const WorldState& w, int house) {
    const DaimyoHouse& d = w.houses[house];
    return d.vassalState != 0 ? d.lord : house;
}

void clearDiplomacyTurnFlags(WorldState& w) {
    w.diplomacyTurnFlags.fill(0);
    w.diplomacyMark = 0;
}

} // namespace vh
