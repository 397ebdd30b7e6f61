// Non-aggression alliances: whether a house accepts one, and what making one changes.
#include "diplomacy/coalitions.h"
#include "diplomacy/consequences.h"
#include "diplomacy/figures.h"
#include "diplomacy/operations.h"
#include "diplomacy/relations.h"
#include "context/game.h"
#include "world/ranked_list.h"

namespace vh {

EnvoyVisitAnswer askEnvoyVisit(Game& game, EnvoyVisitRequest request) {
    if (game.frontend) return game.frontend->askEnvoyVisit(request);
    return request.computerAnswer ? request.computerAnswer() : EnvoyVisitAnswer{};
}

int nonAggressionCost(const WorldState& w, int house) {
    return static_cast<int>(kokuOf(w, house) * 0.1);
}

bool nonAggressionAcceptable(Game& game, int a, int b) {
    const WorldState& w = game.world;
    if (isVassal(w, b) || refusesProposals(w, b, a)) return false;
    if (isAinu(w, b)) return true;

    const std::vector<int> neighbours = neighboursOf(w, b);
    if (neighbours.size() < 2) return false;

    // With every other neighbour already friendly, b keeps its weakest neighbour as the one
    // house it may still turn on.
    bool othersFriendly = true;
    for (int n : neighbours)
        if (n != a && !isFriendlyKind(kindAbout(w, n, b))) othersFriendly = false;
    if (othersFriendly) {
        RankedList ranked(static_cast<int>(neighbours.size()));
        for (int n : neighbours)
            ranked.add(n, kokuOf(w, n));
        ranked.sortAscending();
        ranked.shuffleTies(game.rng);
        if (ranked.item(0) == a) return false;
    }

    const double u = game.rng.unit();
    const int kb = kokuOf(w, b);
    // A house without koku of its own has nothing to weigh the proposer against: it accepts.
    if (kb > 0 && u > 0.5 * kokuOf(w, a) / kb) return false;
    return true;
}

bool proposeNonAggression(Game& game, int a, int b) {
    WorldState& w = game.world;
    if (a == b || isVassal(w, b)) return false;
    bool accepted;
    if (isPlayerHouse(w, b)) {
        EnvoyVisitRequest request = makeEnvoyVisitRequest(w, EnvoyKind::NonAggression, a);
        request.computerAnswer = [&game, a, b] {
            return EnvoyVisitAnswer{nonAggressionAcceptable(game, a, b)};
        };
        accepted = askEnvoyVisit(game, std::move(request)).accept;
    } else {
        accepted = nonAggressionAcceptable(game, a, b);
    }
    if (!accepted) return false;
    establishNonAggression(game, a, b, false);
    return true;
}

void establishNonAggression(Game& game, int a, int b, bool free) {
    WorldState& w = game.world;
    setPairKind(w, a, b, kRelPact);
    dissolveCoalitionsOnAlliance(game, a, b);

    const std::vector<int> vassalsA = vassalsOf(w, a), vassalsB = vassalsOf(w, b);
    for (int v : vassalsA)
        if (v != b) setPairKind(w, v, b, kRelPact);
    for (int v : vassalsB)
        if (v != a) setPairKind(w, v, a, kRelPact);
    for (int x : vassalsA)
        for (int y : vassalsB)
            if (x != y) setPairKind(w, x, y, kRelPact);

    liftSiegesBetween(w, a, b);
    if (!free) w.houses[a].funds -= nonAggressionCost(w, b);
}

} // namespace vh
