// Prisoners taken, recruited, released, exchanged and executed.
#include "personnel/prisoners.h"

#include "diplomacy/diplomacy_text.h"
#include "diplomacy/relations.h"
#include "personnel/personnel_lists.h"
#include "simulation/event_support.h"
#include "simulation/player_dialogs.h"
#include "world/castle_rules.h"

#include <algorithm>

namespace vh {

namespace {

bool validGeneral(const WorldState& w, int g) { return g >= 0 && g < w.generalCount; }

bool isPrisoner(const General& g) { return g.status == kStatusPrisoner && g.house == kHouseHeld; }

bool ownsCastle(const WorldState& w, int house) {
    if (house < 0) return false;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house) return true;
    return false;
}

// Where a placement by the retreat rule starts: his castle, or the first castle when his record
// names none (a damaged or hand-made record must not stop the rule).
int startCastle(const WorldState& w, const General& g) {
    return g.castle >= 0 && g.castle < w.castleCount ? g.castle : 0;
}

} // namespace

void takePrisoner(Game& game, int captor, int general) {
    WorldState& w = game.world;
    if (!validGeneral(w, general)) return;
    General& g = w.generals[general];
    const int former = g.house;
    g.house = kHouseHeld;
    g.holderHouse = static_cast<int16_t>(captor);
    g.originHouse = static_cast<int16_t>(former);
    g.status = kStatusPrisoner;
    g.cavalry = g.foot = g.guns = 0;
    g.flags = static_cast<int16_t>((g.flags | kFlagAwaitingPlacement) & ~kFlagInField);
    const double u = game.rng.unit();
    const int counter = static_cast<int>((3 * u - 3 + g.loyalty) * 3);
    g.refusalCounter = static_cast<uint8_t>(std::clamp(counter, 0, 100));
    if (former >= 0 && former < w.houseCount && w.houses[former].head == general) {
        g.refusalCounter = 127;
        w.houses[former].head = -2;
    }
    if (isPlayerHouse(w, former))
        game.notify(fillText("%s が %s の捕虜になりました", generalNameText(w, general).c_str(),
                           houseNameText(w, captor).c_str()));
}

bool canRecruit(const WorldState& w, int general) {
    if (!validGeneral(w, general)) return false;
    const General& g = w.generals[general];
    return !ownsCastle(w, g.originHouse) || g.refusalCounter == 0;
}

bool recruitPrisoner(Game& game, int general) {
    WorldState& w = game.world;
    if (!validGeneral(w, general) || !isPrisoner(w.generals[general]) || !canRecruit(w, general)) return false;
    General& g = w.generals[general];
    g.house = g.holderHouse;
    if (!retreatGeneral(w, general, startCastle(w, g), false)) {
        g.house = kHouseHeld;
        return false;
    }
    // He serves his new house directly: a corps number from his old house means nothing here.
    g.corps = -1;
    g.flags |= kFlagAwaitingPlacement;
    g.status = kStatusOrdinary;
    if (isPlayerHouse(w, g.originHouse))
        game.notify(fillText("%s が %s に登用されました", generalNameText(w, general).c_str(),
                           houseNameText(w, g.house).c_str()));
    return true;
}

void releasePrisoner(Game& game, int general) {
    WorldState& w = game.world;
    if (!validGeneral(w, general) || !isPrisoner(w.generals[general])) return;
    General& g = w.generals[general];
    const int origin = g.originHouse;
    const bool originValid = origin >= 0 && origin < w.houseCount;
    g.corps = -1;
    g.house = static_cast<int16_t>(originValid ? origin : kHouseRonin);
    if (originValid && ownsCastle(w, origin) && retreatGeneral(w, general, startCastle(w, g), true)) {
        if (isPlayerHouse(w, origin))
            game.notify(fillText("%s が %s の捕虜から解放され、%s に帰還しました", generalNameText(w, general).c_str(),
                               houseNameText(w, g.holderHouse).c_str(),
                               nameText(w, w.castleSites[g.castle].name).c_str()));
    } else {
        // Nowhere to go home to: he seeks a lord among the houses friendly to his old one, the
        // five largest by koku. House power for a masterless general's refuge and choice is the
        // house's koku throughout, as the monthly events weigh his choice.
        makeRonin(w, general);
    }
    g.flags |= kFlagAwaitingPlacement;
    g.status = kStatusOrdinary;
}

void orderSeppuku(WorldState& w, int general) {
    if (!validGeneral(w, general)) return;
    General& g = w.generals[general];
    g.house = kHouseLost;
    g.flags &= ~kFlagInField;
}

std::vector<int> prisonersHeldBy(const WorldState& w, int holder, int origin) {
    std::vector<int> out;
    for (int i = 0; i < w.generalCount; ++i) {
        const General& g = w.generals[i];
        if (isPrisoner(g) && g.holderHouse == holder && (origin < 0 || g.originHouse == origin)) out.push_back(i);
    }
    return out;
}

int prisonerValue(const General& g) { return g.valor + g.politics + g.intellect + 30; }

ExchangeOutcome exchangePrisoners(Game& game, int partner, const std::vector<int>& ours,
                                  const std::vector<int>& theirs) {
    WorldState& w = game.world;
    int given = 0, received = 0;
    for (int g : ours)
        if (validGeneral(w, g)) given += prisonerValue(w.generals[g]);
    for (int g : theirs)
        if (validGeneral(w, g)) received += prisonerValue(w.generals[g]);
    ExchangeOutcome out;
    out.accepted = given < received;
    if (!out.accepted) {
        out.message = withHouse(w, "%s は捕虜交換を承諾しませんでした", partner);
        game.show(out.message);
        return out;
    }
    // The answer comes first, then the news of each man coming home.
    out.message = withHouse(w, "%s は捕虜交換を承諾しました", partner);
    game.show(out.message);
    for (int g : ours) releasePrisoner(game, g);
    for (int g : theirs) releasePrisoner(game, g);
    return out;
}

bool recruitForComputer(Game& game, int general) {
    if (!canRecruit(game.world, general) || !recruitPrisoner(game, general)) return false;
    const WorldState& w = game.world;
    game.notify(fillText("%sは%sの家臣になりました", generalNameText(w, general).c_str(),
                         houseNameText(w, w.generals[general].house).c_str()));
    return true;
}

int listedAge(const WorldState& w, const General& g) {
    if (g.flags & kFlagBirthUnknown) return -1;
    return w.date.year - g.birthYear;
}

SurrenderRequest surrenderRequest(Game& game, const std::vector<int>& prisoners) {
    const WorldState& w = game.world;
    SurrenderRequest r;
    for (int i : prisoners) {
        if (!validGeneral(w, i)) continue;
        const General& g = w.generals[i];
        SurrenderedRow row;
        row.general = i;
        row.name = generalNameText(w, i);
        row.house = houseNameText(w, g.originHouse);
        row.head = heldRow(w, i).head;
        row.age = listedAge(w, g);
        row.ageUnknown = row.age < 0;
        row.valor = g.valor;
        row.politics = g.politics;
        row.intellect = g.intellect;
        r.rows.push_back(std::move(row));
    }
    r.recruit = [&game](int g) { return recruitPrisoner(game, g); };
    r.release = [&game](int g) { releasePrisoner(game, g); };
    r.seppuku = [&game](int g) { orderSeppuku(game.world, g); };
    return r;
}

void treatSurrenderedGenerals(Game& game, int conqueror, const std::vector<int>& prisoners) {
    if (prisoners.empty()) return;
    const bool player = conqueror == livingPlayerHouse(game.world);
    if (!player) {
        for (int g : prisoners) recruitForComputer(game, g);
        return;
    }
    const SurrenderRequest request = surrenderRequest(game, prisoners);
    if (game.frontend && !game.quietMode) {
        game.frontend->treatSurrenderedGenerals(request);
    } else {
        // Automatic play decides as a computer conqueror would.
        for (const SurrenderedRow& row : request.rows) recruitPrisoner(game, row.general);
    }
}

} // namespace vh
