// Initial relations. Both bytes of a pair change together and keep their counters unless the
// rule sets the counter itself.
//
// The full diplomatic operations (costs, coalitions, lifting sieges, sending generals home) are
// built with the diplomacy rules (issue #9); set-up needs none of those consequences.
#include "game/setup_relations.h"

#include "world/records.h"

namespace vh {
namespace {

void setBoth(WorldState& w, int a, int b, int kind) {
    setRelationKind(w.houses[a], b, kind);
    setRelationKind(w.houses[b], a, kind);
}

bool alive(const WorldState& w, int h) { return w.houses[h].head != -1; }

// A house whose lord is `lord`: a vassal of either kind.
bool isVassalOf(const WorldState& w, int h, int lord) {
    return h != lord && w.houses[h].vassalState != 0 && w.houses[h].lord == lord;
}

} // namespace

void setUpPact(WorldState& w, int a, int b) {
    setBoth(w, a, b, kRelPact);
    // The allies' vassals are drawn into the pact, and so are the vassals of both sides among
    // themselves.
    for (int v = 0; v < w.houseCount; ++v) {
        if (!alive(w, v)) continue;
        if (isVassalOf(w, v, a) && v != b) setBoth(w, v, b, kRelPact);
        if (isVassalOf(w, v, b) && v != a) setBoth(w, v, a, kRelPact);
    }
    for (int v = 0; v < w.houseCount; ++v) {
        if (!alive(w, v) || !isVassalOf(w, v, a)) continue;
        for (int u = 0; u < w.houseCount; ++u)
            if (u != v && alive(w, u) && isVassalOf(w, u, b)) setBoth(w, v, u, kRelPact);
    }
}

bool setUpSubordinate(WorldState& w, int lord, int vassal) {
    if (lord == vassal || w.houses[lord].vassalState != 0) return false;
    std::vector<int> joined{vassal};
    auto bind = [&](int v) {
        DaimyoHouse& h = w.houses[v];
        h.vassalState = 1;
        h.lord = lord;
        setRelationKind(w.houses[lord], v, kRelHasSubordinate);
        setRelationKind(h, lord, kRelSubordinateTo);
    };
    // The vassal's own vassals follow it under the new lord.
    for (int e = 0; e < w.houseCount; ++e) {
        if (e == vassal || e == lord) continue;
        const int k = relationKind(w.houses[e], vassal);
        if (k == kRelSubordinateTo || k == kRelSubmittedTo) joined.push_back(e);
    }
    for (int g : joined) bind(g);
    for (int g : joined) {
        for (int f = 0; f < w.houseCount; ++f) {
            if (f == lord || f == g) continue;
            const int lk = relationKind(w.houses[lord], f);
            switch (lk) {
            case kRelHasSubordinate: setBoth(w, g, f, 5); break;
            case kRelHasSubmitted:
                setRelationKind(w.houses[g], f, 8);
                setRelationKind(w.houses[f], g, 5);
                break;
            case kRelSwornEnemy:
                setBoth(w, g, f, relationKind(w.houses[g], f) != 0 ? kRelNothing : kRelSwornEnemy);
                break;
            default: setBoth(w, g, f, lk); break;
            }
        }
    }
    return true;
}

bool setUpSubmitted(WorldState& w, int lord, int vassal) {
    if (lord == vassal || w.houses[lord].vassalState != 0) return false;
    if (relationKind(w.houses[vassal], lord) != kRelSubordinateTo) return false;
    DaimyoHouse& v = w.houses[vassal];
    v.vassalState = 2;
    v.lord = lord;
    setRelationKind(w.houses[lord], vassal, kRelHasSubmitted);
    setRelationKind(v, lord, kRelSubmittedTo);
    // A submitted house keeps no corps of its own.
    for (Corps& c : w.corps) {
        if (c.leader == -1 || c.house != vassal) continue;
        v.funds += c.funds;
        c.leader = -1;
        c.house = -1;
    }
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == vassal) w.castles[c].corps = -1;
    for (int g = 0; g < w.generalCount; ++g)
        if (w.generals[g].house == vassal) w.generals[g].corps = -1;
    for (int i = 0; i < w.houseCount; ++i) {
        if (i == lord || i == vassal) continue;
        const int lk = relationKind(w.houses[lord], i);
        switch (lk) {
        case kRelSwornEnemy:
            setBoth(w, vassal, i, relationKind(v, i) != 0 ? kRelNothing : kRelSwornEnemy);
            break;
        case kRelHasSubordinate:
            setRelationKind(v, i, 5);
            setRelationKind(w.houses[i], vassal, 8);
            break;
        case kRelHasSubmitted: setBoth(w, vassal, i, 8); break;
        default: setBoth(w, vassal, i, lk); break;
        }
    }
    return true;
}

void applyInitialRelations(WorldState& w) {
    for (int r = 0; r < w.relationEntryCount && r < kMaxRelationEntries; ++r) {
        const RelationEntry& e = w.relationEntries[r];
        const int a = e.houseA;
        if (a < 0 || a >= w.houseCount) continue;
        auto apply = [&](int b) {
            switch (e.kind) {
            case kRelPact: setUpPact(w, a, b); break;
            case kRelSubordinateTo:
                setUpPact(w, a, b);
                setUpSubordinate(w, a, b);
                break;
            case kRelSubmittedTo:
                setUpPact(w, a, b);
                setUpSubordinate(w, a, b);
                setUpSubmitted(w, a, b);
                break;
            case kRelSwornEnemy:
                if (relationKind(w.houses[a], b) == kRelNothing) setBoth(w, a, b, kRelSwornEnemy);
                setRelationCounter(w.houses[a], b, 15);
                setRelationCounter(w.houses[b], a, 15);
                break;
            case kRelNothing:
                setBoth(w, a, b, kRelNothing);
                setRelationCounter(w.houses[a], b, 0);
                setRelationCounter(w.houses[b], a, 0);
                break;
            default: break; // the reader admits no other kind
            }
        };
        if (e.houseB == -1) {
            for (int b = 0; b < w.houseCount; ++b)
                if (b != a) apply(b);
        } else if (e.houseB >= 0 && e.houseB < w.houseCount && e.houseB != a) {
            apply(e.houseB);
        }
    }
}

} // namespace vh
