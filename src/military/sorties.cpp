// The sortie order: gate, head-province rule, candidates, target checks and the order.
#include "military/sorties.h"

#include "military/moves.h"
#include "world/castle_rules.h"

#include <algorithm>

namespace vh {
namespace {

bool validCastle(const WorldState& w, int c) {
    return c >= 0 && c < w.castleCount;
}
bool validHouse(const WorldState& w, int h) {
    return h >= 0 && h < w.houseCount;
}

bool hasRoute(const WorldState& w, int from, int to) {
    const CastleSite& s = w.castleSites[from];
    for (int i = 0; i < CastleSite::kMaxRoutes && s.routes[i] != -1; ++i)
        if (s.routes[i] == to) return true;
    return false;
}

} // namespace

std::string checkSortieCommand(const WorldState& w, int house, int province) {
    if (province < 0) return kChooseProvince;
    if (validHouse(w, house) && w.houses[house].vassalState == 2) return kSortieVassalRefusal;
    return {};
}

bool provincesAdjacent(const WorldState& w, int a, int b) {
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castleSites[c].province != a) continue;
        const CastleSite& s = w.castleSites[c];
        for (int i = 0; i < CastleSite::kMaxRoutes && s.routes[i] != -1; ++i) {
            const int n = s.routes[i];
            if (validCastle(w, n) && w.castleSites[n].province == b) return true;
        }
    }
    return false;
}

std::string checkSortieReach(const WorldState& w, int house, int castle) {
    if (!validHouse(w, house) || !validCastle(w, castle)) return kSortieTooFar;
    // A head still pending (-2) or lost has no castle to measure from.
    const int head = w.houses[house].head;
    if (head < 0 || head >= w.generalCount) return kSortieTooFar;
    const int at = w.generals[head].castle;
    if (!validCastle(w, at)) return kSortieTooFar;
    const int p = w.castleSites[at].province, q = w.castleSites[castle].province;
    if (p == q || provincesAdjacent(w, p, q)) return {};
    return kSortieTooFar;
}

std::vector<int> sortieCandidates(const WorldState& w, int house, int castle) {
    std::vector<int> out;
    if (!castleOnSide(w, house, castle)) return out;
    const Castle& k = w.castles[castle];
    if (k.besiegerCount > 0) return out;
    const int n = std::min<int>(k.generalCount, Castle::kMaxGenerals);
    for (int i = 0; i < n; ++i) {
        const General& g = w.generals[k.generals[i]];
        if (g.corps == -1 && !(g.flags & kFlagActed)) out.push_back(k.generals[i]);
    }
    return out;
}

bool onSortie(const General& g) {
    // A hostage's sortie field holds his place; an order without the acted flag is a spent one.
    return g.house >= 0 && g.status != kStatusHostage && (g.flags & kFlagActed) && g.sortieTarget >= 0;
}

int sortiesOrderedAgainst(const WorldState& w, int house, int target) {
    const int side = commandingHouse(w, house);
    int n = 0;
    for (int j = 0; j < w.generalCount; ++j) {
        const General& g = w.generals[j];
        if (onSortie(g) && g.sortieTarget == target && commandingHouse(w, g.house) == side) ++n;
    }
    return n;
}

std::string checkSortieTarget(const WorldState& w, int house, int source, int target, int count) {
    if (!validCastle(w, source) || !validCastle(w, target) || target == source ||
        !hasRoute(w, source, target))
        return kSortieNotAdjacent;
    const Castle& k = w.castles[target];
    const bool besieged = k.besiegerCount > 0;
    // An ownerless castle is nobody's ally.
    if (!besieged && validHouse(w, k.owner) && relationKind(w.houses[k.owner], house) > kRelNothing)
        return kSortieAllied;
    const int besieger = k.besiegedBy >= 0 ? commandingHouse(w, k.besiegedBy) : -1;
    if (besieged && validHouse(w, besieger) && besieger != house &&
        relationKind(w.houses[besieger], house) > kRelNothing)
        return kSortieAllyBesieging;
    int total = count + sortiesOrderedAgainst(w, house, target);
    if (besieger >= 0 && besieger == house) total += k.besiegerCount;
    if (total > Castle::kMaxGenerals) return kSortieTooMany;
    return {};
}

void orderSortie(WorldState& w, std::span<const int> generals, int target) {
    for (int g : generals) {
        if (g < 0 || g >= w.generalCount) continue;
        w.generals[g].sortieTarget = static_cast<int16_t>(target);
        w.generals[g].flags |= kFlagActed;
    }
}

} // namespace vh
