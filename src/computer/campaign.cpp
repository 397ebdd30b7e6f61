// Generals, castles and orders shared by the computer's strategy and sorties.
#include "computer/campaign.h"

#include "computer/account.h"
#include "computer/house_index.h"
#include "battle/siege_world.h"
#include "military/moves.h"
#include "military/sorties.h"
#include "world/random.h"

#include <algorithm>

namespace vh {

bool corpsHoldsProvince(const Corps& c, int province) {
    for (uint8_t p : c.provinces)
        if (p != 0xFF && p == province) return true;
    return false;
}

std::vector<int> campaignGenerals(const WorldState& w, int house, int corps, const HouseIndex* index) {
    std::vector<int> out;
    const auto take = [&](int g) {
        const General& r = w.generals[g];
        if (r.house < 0 || r.castle < 0 || r.castle >= w.castleCount) return;
        if (corps >= 0) {
            if (r.corps == corps) out.push_back(g);
        } else if (r.corps == -1 && commandedBy(w, r.house, house)) {
            out.push_back(g);
        }
    };
    if (!index) {
        for (int g = 0; g < w.generalCount; ++g) take(g);
        return out;
    }
    if (corps >= 0) {
        for (int g : index->corpsGenerals[corps]) take(g);
        return out;
    }
    if (house >= 0 && house < static_cast<int>(index->generalsOf.size())) {
        for (int g : index->generalsOf[house]) take(g);
        for (int v : index->submittedTo[house])
            if (v != house)
                for (int g : index->generalsOf[v]) take(g);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<int> commandedCastles(const WorldState& w, int house, const HouseIndex* index) {
    std::vector<int> out;
    if (!index) {
        for (int c = 0; c < w.castleCount; ++c)
            if (commandedBy(w, w.castles[c].owner, house)) out.push_back(c);
        return out;
    }
    if (house < 0 || house >= static_cast<int>(index->castlesOf.size())) return out;
    const auto take = [&](int c) {
        if (commandedBy(w, w.castles[c].owner, house)) out.push_back(c);
    };
    for (int c : index->castlesOf[house]) take(c);
    for (int v : index->submittedTo[house])
        if (v != house)
            for (int c : index->castlesOf[v]) take(c);
    std::sort(out.begin(), out.end());
    return out;
}

bool inCampaignScope(const WorldState& w, int house, int corps, int castle) {
    if (!commandedBy(w, w.castles[castle].owner, house)) return false;
    return corps < 0 || corpsHoldsProvince(w.corps[corps], w.castleSites[castle].province);
}

bool standsInBesiegedCastle(const WorldState& w, const General& g) {
    return !onSortieFlag(g) && g.castle >= 0 && g.castle < w.castleCount && isBesieged(w.castles[g.castle]);
}

bool isFreeGeneral(const WorldState& w, const General& g) {
    return !hasActed(g) && !onSortieFlag(g) && !standsInBesiegedCastle(w, g);
}

int ownerKindTowards(const WorldState& w, int castle, int house) {
    const int owner = w.castles[castle].owner;
    if (owner < 0 || owner >= w.houseCount) return kRelNothing;
    return relationKind(w.houses[owner], house);
}

bool besiegedByFriend(const WorldState& w, int castle, int house) {
    const Castle& k = w.castles[castle];
    if (!isBesieged(k) || k.besiegedBy < 0 || k.besiegedBy >= w.houseCount) return false;
    if (k.besiegedBy == house) return true;
    return relationKind(w.houses[k.besiegedBy], house) > kRelNothing;
}

bool besiegedBy(const WorldState& w, int castle, int house) {
    const Castle& k = w.castles[castle];
    return isBesieged(k) && k.besiegedBy == house;
}

int monthsToTake(const WorldState& w, int castle, std::span<const int> besiegers, Random& rng) {
    const Castle& k = w.castles[castle];
    const int defenders = std::clamp<int>(k.generalCount, 0, Castle::kMaxGenerals);
    return siegeEstimate(w, castle, besiegers.first(std::min<size_t>(besiegers.size(), Castle::kMaxGenerals)),
                         std::span<const int>(k.generals, static_cast<size_t>(defenders)), rng);
}

void orderMoveTo(WorldState& w, int general, int castle) {
    const int one[] = {general};
    orderMove(w, one, castle);
}

void orderSortieAt(WorldState& w, int general, int castle) {
    const int one[] = {general};
    orderSortie(w, one, castle);
}

const DistanceTable& DistanceCache::from(int castle) {
    auto it = tables_.find(castle);
    if (it != tables_.end()) return it->second;
    DistanceTable& t = tables_[castle];
    if (own_.empty()) own_ = ownCastleMask(w_, house_);
    castleDistances(w_, house_, castle, kDistanceLimited, t, &own_);
    return t;
}

} // namespace vh
