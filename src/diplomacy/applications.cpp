// A house offers itself to a lord: as subordinate, as submitted vassal, or leaving its present
// lord for a new one. A computer lord weighs the offer; the player's house is asked.
#include "diplomacy/diplomacy_text.h"
#include "diplomacy/figures.h"
#include "diplomacy/operations.h"
#include "diplomacy/relations.h"
#include "context/game.h"
#include "personnel/hostages.h"

#include <cmath>

namespace vh {

namespace {

enum class Application { Subordination, Submission, ChangeOfLord };

const char* hostageRefusedQuestion(Application a) {
    switch (a) {
    case Application::Subordination:
        return "%s は人質の差し出しを拒否しました\nそれでも従属を許可しますか？";
    case Application::Submission:
        return "%s は人質の差し出しを拒否しました\nそれでも臣従を許可しますか？";
    case Application::ChangeOfLord:
        return "%s は人質の差し出しを拒否しました\nそれでも鞍替を許可しますか？";
    }
    return "";
}

EnvoyKind envoyFor(Application a) {
    switch (a) {
    case Application::Subordination:
        return EnvoyKind::SubordinationApplication;
    case Application::Submission:
        return EnvoyKind::SubmissionApplication;
    case Application::ChangeOfLord:
        return EnvoyKind::ChangeOfLord;
    }
    return EnvoyKind::SubordinationApplication;
}

// The lord's consent and the hostage, the part all three applications share.
bool lordConsents(Game& game, Application kind, int lord, int applicant) {
    WorldState& w = game.world;
    if (isVassal(w, lord)) return false;
    const bool playerLord = isPlayerHouse(w, lord);
    EnvoyVisitAnswer answer;
    if (playerLord) {
        const int currentLord = kind == Application::ChangeOfLord ? w.houses[applicant].lord : -1;
        EnvoyVisitRequest request = makeEnvoyVisitRequest(w, envoyFor(kind), applicant, currentLord);
        request.computerAnswer = [&game, lord, applicant] {
            return applicationVerdict(game, lord, applicant);
        };
        answer = askEnvoyVisit(game, std::move(request));
    } else {
        answer = applicationVerdict(game, lord, applicant);
    }
    if (!answer.accept) return false;
    if (!answer.demandHostage) return true;

    const int hostage = takeHostage(game, lord, applicant);
    if (hostage < 0) {
        if (!playerLord) return false;
        const std::string question = withHouse(w, hostageRefusedQuestion(kind), applicant);
        // Asked only of the player; without a front end the computer's rule (refuse) holds.
        return game.frontend && game.frontend->askYesNo(question);
    }
    if (playerLord)
        game.show(fillText("%s は人質として %s を差し出しました", houseNameText(w, applicant).c_str(),
                           generalNameText(w, hostage).c_str()));
    return true;
}

} // namespace

EnvoyVisitAnswer applicationVerdict(Game& game, int lord, int applicant) {
    const WorldState& w = game.world;
    if (refusesProposals(w, lord, applicant)) return {};
    int owned = 0, onlyCastle = -1;
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != applicant) continue;
        ++owned;
        onlyCastle = c;
    }
    if (owned == 0) return {};
    if (owned == 1 && w.castles[onlyCastle].besiegedBy == lord) {
        // The lord's own army is at the gate: it takes the offer only when the castle would
        // hold out a while yet.
        const int m = monthsOfResistance(w, onlyCastle);
        if (m <= 1) return {};
        const double u = game.rng.unit();
        if (!(u >= std::pow(1.0 / m, 0.3))) return {};
    }
    const double u = game.rng.unit();
    const bool hostage = kokuWithVassals(w, applicant) < kokuWithVassals(w, lord) * (0.03 + u * 0.05);
    return {true, hostage};
}

bool applyForSubordination(Game& game, int lord, int applicant) {
    WorldState& w = game.world;
    if (lord == applicant || isVassal(w, applicant)) return false;
    if (!lordConsents(game, Application::Subordination, lord, applicant)) return false;
    if (kindAbout(w, lord, applicant) != kRelPact) establishNonAggression(game, applicant, lord, true);
    return makeSubordinate(game, lord, applicant);
}

bool applyForSubmission(Game& game, int lord, int applicant) {
    WorldState& w = game.world;
    if (lord == applicant) return false;
    const int kind = kindAbout(w, lord, applicant);
    // Only an independent house, or the lord's own subordinate vassal, can offer to submit.
    if (isVassal(w, applicant) && kind != kRelHasSubordinate) return false;
    if (!lordConsents(game, Application::Submission, lord, applicant)) return false;
    if (kind != kRelPact && kind != kRelHasSubordinate) establishNonAggression(game, applicant, lord, true);
    if (kind != kRelHasSubordinate && !makeSubordinate(game, lord, applicant)) return false;
    return makeSubmitted(game, lord, applicant);
}

bool changeLord(Game& game, int newLord, int vassal) {
    WorldState& w = game.world;
    const int oldLord = w.houses[vassal].lord;
    if (!isVassal(w, vassal) || newLord == vassal || newLord == oldLord) return false;
    if (!lordConsents(game, Application::ChangeOfLord, newLord, vassal)) return false;
    declareIndependence(game, vassal);
    establishNonAggression(game, vassal, newLord, true);
    if (!makeSubordinate(game, newLord, vassal)) return false;
    startRefusalCountdown(w, oldLord, vassal, kBreakAwayRefusal);
    return true;
}

} // namespace vh
