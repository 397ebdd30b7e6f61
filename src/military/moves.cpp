// Moving generals: gate, source, destination checks, order and the execution of all orders.
#include "military/moves.h"

#include "context/game.h"
#include "simulation/succession.h"

#include <algorithm>

namespace vh {
namespace {

bool validCastle(const WorldState& w, int c) {
    return c >= 0 && c < w.castleCount;
}

int strength(const General& g) {
    return g.cavalry * 3 + g.foot;
}

// Places general `g` (who has just lost his castle) by the retreat rule from `from`; a general
// with no castle of his side left anywhere is lost.
void displace(WorldState& w, int g, int from) {
    w.generals[g].castle = -1;
    if (!retreatGeneral(w, g, from, true)) w.generals[g].house = kHouseLost;
}

// Appends general `g` to castle `c`'s garrison; a full garrison keeps its stronger generals and
// sends the weakest of them and the newcomer away.
void enterGarrison(WorldState& w, int g, int c) {
    Castle& k = w.castles[c];
    if (k.generalCount < Castle::kMaxGenerals) {
        k.generals[k.generalCount++] = g;
        return;
    }
    // The weakest listed general; the first found among equals. (Starting from the first entry
    // rather than a fixed ceiling, so a garrison of very strong generals still has a weakest.)
    int slot = 0;
    for (int i = 1; i < Castle::kMaxGenerals; ++i)
        if (strength(w.generals[k.generals[i]]) < strength(w.generals[k.generals[slot]])) slot = i;
    const int weakest = k.generals[slot];
    if (strength(w.generals[weakest]) > strength(w.generals[g])) {
        displace(w, g, c);
    } else {
        k.generals[slot] = g;
        displace(w, weakest, c);
    }
}

} // namespace

bool castleOnSide(const WorldState& w, int house, int castle) {
    if (!validCastle(w, castle) || house < 0) return false;
    const int owner = w.castles[castle].owner;
    return owner >= 0 && commandingHouse(w, owner) == house;
}

std::string checkMoveCommand(const WorldState& w, int house, int province) {
    if (province < 0) return kChooseProvince;
    if (house >= 0 && house < w.houseCount && w.houses[house].vassalState == 2) return kMoveVassalRefusal;
    return {};
}

MoveSource moveSource(const WorldState& w, int house, int castle) {
    MoveSource s;
    if (!validCastle(w, castle)) return s;
    const Castle& k = w.castles[castle];
    if (castleOnSide(w, house, castle)) {
        if (k.besiegerCount > 0) {
            s.refusal = kMoveSourceBesieged;
            return s;
        }
        const int n = std::min<int>(k.generalCount, Castle::kMaxGenerals);
        for (int i = 0; i < n; ++i) {
            const General& g = w.generals[k.generals[i]];
            if (g.corps == -1 && !(g.flags & kFlagActed)) s.generals.push_back(k.generals[i]);
        }
    } else if (k.besiegedBy >= 0 && commandingHouse(w, k.besiegedBy) == house) {
        s.besieging = true;
        const int n = std::min<int>(k.besiegerCount, Castle::kMaxGenerals);
        for (int i = 0; i < n; ++i)
            if (!(w.generals[k.besiegers[i]].flags & kFlagActed)) s.generals.push_back(k.besiegers[i]);
    }
    if (!s.generals.empty()) s.castle = castle;
    return s;
}

DistanceTable moveDistances(const WorldState& w, int house, int source) {
    return castleDistances(w, house, source, kDistanceMove);
}

bool moveCastleOutOfReach(const WorldState& w, int house, const DistanceTable& dist, int castle) {
    if (!validCastle(w, castle) || castle >= static_cast<int>(dist.size())) return false;
    const int owner = w.castles[castle].owner;
    if (owner < 0 || owner >= w.houseCount || house < 0 || house >= w.houseCount) return false;
    const int kind = relationKind(w.houses[house], owner);
    if (owner != house && (kind < kRelSubmittedTo || kind > 8)) return false;
    return dist[castle] > w.settings.distanceLimit;
}

std::string checkMoveDestination(const WorldState& w, int house, int source, const DistanceTable& dist,
                                 int target, int count) {
    if (!castleOnSide(w, house, target)) return kMoveNotOurSide;
    const Castle& k = w.castles[target];
    if (k.besiegerCount > 0) return kMoveTargetBesieged;
    if (target == source) return kMoveSameCastle;
    const int d = target < static_cast<int>(dist.size()) ? dist[target] : kUnreachable;
    if (d > w.settings.distanceLimit) return kMoveTooFar;
    if (k.generalCount + count > Castle::kMaxGenerals) return kMoveCastleFull;
    return {};
}

void orderMove(WorldState& w, std::span<const int> generals, int target) {
    for (int g : generals) {
        if (g < 0 || g >= w.generalCount) continue;
        General& r = w.generals[g];
        r.flags &= ~kFlagInField;
        r.moveTarget = static_cast<int16_t>(target);
        r.flags |= kFlagActed;
    }
}

void sortGeneralList(const WorldState& w, int house, std::vector<int>& generals, int column) {
    auto count = [&](int g) {
        const General& r = w.generals[g];
        return column == 1 ? r.cavalry : column == 2 ? r.foot : r.guns;
    };
    if (column == 0) {
        std::stable_sort(generals.begin(), generals.end(), [&](int a, int b) {
            const bool ownA = w.generals[a].house == house, ownB = w.generals[b].house == house;
            if (ownA != ownB) return ownA;
            return a < b;
        });
    } else {
        std::stable_sort(generals.begin(), generals.end(), [&](int a, int b) { return count(a) > count(b); });
    }
}

void executeMoves(Game& game) {
    WorldState& w = game.world;
    for (int c = 0; c < w.castleCount; ++c)
        w.castles[c].generalCount = 0;

    for (int j = 0; j < w.generalCount; ++j) {
        General& g = w.generals[j];
        // A hostage's move field holds his appearance year, not a castle: he never moves here.
        if (g.house < 0 || g.status == kStatusHostage || !(g.flags & kFlagActed)) continue;
        if (g.moveTarget == -1 || g.moveTarget == g.castle || !validCastle(w, g.moveTarget)) continue;
        g.castle = g.moveTarget;
    }

    for (int j = 0; j < w.generalCount; ++j) {
        const General& g = w.generals[j];
        if (g.house < 0 || (g.flags & kFlagInField) || !validCastle(w, g.castle)) continue;
        enterGarrison(w, j, g.castle);
    }

    for (int j = 0; j < w.generalCount; ++j) {
        General& g = w.generals[j];
        if (g.status == kStatusHostage) continue;
        g.moveTarget = -1;
        g.flags &= ~kFlagActed;
    }

    rebuildCastleLists(game);
}

} // namespace vh
