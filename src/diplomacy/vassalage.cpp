// Demands for subordination and submission, and what becoming a vassal changes: the vassal's
// relations follow its lord's, its own vassals pass to the lord, a submitted vassal's corps end.
#include "diplomacy/consequences.h"
#include "diplomacy/defiance.h"
#include "diplomacy/figures.h"
#include "diplomacy/operations.h"
#include "diplomacy/relations.h"
#include "context/game.h"

namespace vh {

namespace {

// The thresholds that differ between the two demands.
struct DemandTerms {
    double defianceBase, defianceSpread;
    double kokuFactor, kokuFactorAinu;
    double strengthFactor, strengthFactorAinu;
    int setting;
};

DemandTerms termsFor(const WorldState& w, bool submission) {
    if (submission) return {0.02, 0.01, 0.3, 0.3, 0.3, 0.3, w.settings.shinjuuJoukenHosei};
    return {0.03, 0.02, 0.4, 0.03, 0.5, 0.03, w.settings.juuzokuJoukenHosei};
}

bool touchesLord(const WorldState& w, int target, int lord) {
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != target) continue;
        const CastleSite& s = w.castleSites[c];
        for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r) {
            const int n = s.routes[r];
            if (n >= 0 && n < w.castleCount && effectiveOwner(w, n) == lord) return true;
        }
    }
    return false;
}

// Vassal g takes over its new lord's standing towards every other house f.
void followLordAsSubordinate(WorldState& w, int lord, int g) {
    for (int f = 0; f < w.houseCount; ++f) {
        if (f == lord || f == g) continue;
        const int k = kindAbout(w, lord, f);
        if (k == kRelHasSubordinate)
            setPairKind(w, g, f, kRelFellowSubordinate);
        else if (k == kRelHasSubmitted)
            setPairKinds(w, g, f, kRelFellowSubmitted, kRelFellowSubordinate);
        else if (k == kRelSwornEnemy)
            setPairKind(w, g, f, kindAbout(w, g, f) != 0 ? kRelNothing : kRelSwornEnemy);
        else
            setPairKinds(w, g, f, k, kindAbout(w, f, lord));
    }
}

void followLordAsSubmitted(WorldState& w, int lord, int v) {
    for (int i = 0; i < w.houseCount; ++i) {
        if (i == lord || i == v) continue;
        const int k = kindAbout(w, lord, i);
        if (k == kRelSwornEnemy)
            setPairKind(w, v, i, kindAbout(w, v, i) != 0 ? kRelNothing : kRelSwornEnemy);
        else if (k == kRelHasSubordinate)
            setPairKinds(w, v, i, kRelFellowSubordinate, kRelFellowSubmitted);
        else if (k == kRelHasSubmitted)
            setPairKind(w, v, i, kRelFellowSubmitted);
        else
            setPairKinds(w, v, i, k, kindAbout(w, i, lord));
    }
}

void becomeSubordinate(WorldState& w, int lord, int vassal) {
    DaimyoHouse& v = w.houses[vassal];
    v.vassalState = 1;
    v.lord = lord;
    setPairKinds(w, lord, vassal, kRelHasSubordinate, kRelSubordinateTo);
}

} // namespace

bool demandAcceptable(Game& game, int lord, int target, bool submission) {
    const WorldState& w = game.world;
    const DemandTerms t = termsFor(w, submission);
    const double setting = t.setting / 5.0;
    const bool ainu = isAinu(w, target);
    if (!touchesLord(w, target, lord)) return false;

    const double d = defianceScore(w, target, lord, true);
    double u = game.rng.unit();
    if (!(t.defianceBase + u * t.defianceSpread >= d)) return false;

    u = game.rng.unit();
    const double kokuFactor = ainu ? t.kokuFactorAinu : t.kokuFactor;
    if (kokuWithVassals(w, target) * (0.8 + u * 0.4) > kokuOf(w, lord) * kokuFactor * setting) return false;

    u = game.rng.unit();
    const double strengthFactor = ainu ? t.strengthFactorAinu : t.strengthFactor;
    if (strengthWithVassals(w, target) * (0.8 + u * 0.4) > strengthOf(w, lord) * strengthFactor * setting)
        return false;

    // The lord must also outweigh every enemy on its borders, lest the target wait for them.
    double enemies = 0;
    for (int e : hostileNeighboursOf(w, lord))
        enemies += kokuWithVassals(w, e);
    u = game.rng.unit();
    return kokuWithVassals(w, lord) * setting >= enemies * (0.8 + u * 0.4);
}

bool demandSubordination(Game& game, int lord, int target) {
    WorldState& w = game.world;
    if (lord == target || isVassal(w, target)) return false;
    bool accepted;
    if (isPlayerHouse(w, target)) {
        EnvoyVisitRequest request = makeEnvoyVisitRequest(w, EnvoyKind::SubordinationDemand, lord);
        request.computerAnswer = [&game, lord, target] {
            return EnvoyVisitAnswer{demandAcceptable(game, lord, target, false)};
        };
        accepted = askEnvoyVisit(game, std::move(request)).accept;
    } else {
        accepted = demandAcceptable(game, lord, target, false);
    }
    return accepted && makeSubordinate(game, lord, target);
}

bool demandSubmission(Game& game, int lord, int target) {
    WorldState& w = game.world;
    if (lord == target || w.houses[target].vassalState != 1 || w.houses[target].lord != lord) return false;
    bool accepted;
    if (isPlayerHouse(w, target)) {
        EnvoyVisitRequest request = makeEnvoyVisitRequest(w, EnvoyKind::SubmissionDemand, lord);
        request.computerAnswer = [&game, lord, target] {
            return EnvoyVisitAnswer{demandAcceptable(game, lord, target, true)};
        };
        accepted = askEnvoyVisit(game, std::move(request)).accept;
    } else {
        accepted = demandAcceptable(game, lord, target, true);
    }
    return accepted && makeSubmitted(game, lord, target);
}

bool makeSubordinate(Game& game, int lord, int vassal) {
    WorldState& w = game.world;
    if (lord == vassal || isVassal(w, lord)) return false;

    // The vassal's own vassals, found before anything changes.
    std::vector<int> formerVassals;
    for (int e = 0; e < w.houseCount; ++e) {
        if (e == vassal || e == lord || !houseAlive(w, e)) continue;
        const int k = kindAbout(w, e, vassal);
        if (k == kRelSubordinateTo || k == kRelSubmittedTo) formerVassals.push_back(e);
    }

    becomeSubordinate(w, lord, vassal);
    for (int e : formerVassals) {
        becomeSubordinate(w, lord, e);
        // Guest generals served the former lord; they go back to their own house's service.
        for (int g = 0; g < w.generalCount; ++g)
            if (w.generals[g].house == e && w.generals[g].status == kStatusGuest)
                w.generals[g].status = kStatusOrdinary;
    }
    // A subordinate vassal commands its own castles: whoever now stands in another side's castle
    // goes home. The vassal's own generals are included, since its former vassals' castles are no
    // longer its side.
    std::vector<int> moved = formerVassals;
    moved.push_back(vassal);
    sendStrayGeneralsHome(w, moved);

    followLordAsSubordinate(w, lord, vassal);
    for (int e : formerVassals)
        followLordAsSubordinate(w, lord, e);

    liftFriendlySieges(w);
    return true;
}

bool makeSubmitted(Game& game, int lord, int vassal) {
    WorldState& w = game.world;
    if (lord == vassal || isVassal(w, lord) || kindAbout(w, vassal, lord) != kRelSubordinateTo) return false;
    DaimyoHouse& v = w.houses[vassal];
    v.vassalState = 2;
    v.lord = lord;
    setPairKinds(w, lord, vassal, kRelHasSubmitted, kRelSubmittedTo);

    // The lord commands a submitted house's men directly: its corps end and their money and guns
    // go back to the house.
    for (int c = 0; c < kMaxCorps; ++c) {
        Corps& k = w.corps[c];
        if (k.house != vassal || k.leader == -1) continue;
        v.funds += k.funds;
        v.undeployedGuns += k.undeployedGuns;
        k = Corps{};
    }
    for (int c = 0; c < w.castleCount; ++c) {
        Castle& k = w.castles[c];
        if (k.owner != vassal) continue;
        if (k.corps != -1) k.lord = static_cast<int16_t>(v.head);
        k.corps = -1;
    }
    for (int g = 0; g < w.generalCount; ++g)
        if (w.generals[g].house == vassal) w.generals[g].corps = -1;

    followLordAsSubmitted(w, lord, vassal);
    return true;
}

} // namespace vh
