// The fall of a castle: its transfer to the conqueror and the fates of its defenders.
#include "battle/castle_fall.h"

#include "context/game_text.h"
#include "simulation/event_support.h"
#include "world/castle_rules.h"
#include "world/numeric.h"

#include <algorithm>
#include <cmath>

namespace vh {
namespace {

constexpr int kMaxDefenders = 1000;
constexpr int16_t kKeepsConquests = 0x100;

bool validCastle(const WorldState& w, int c) { return c >= 0 && c < w.castleCount; }

int strength(const General& g) { return 3 * g.cavalry + g.foot; }

bool hasScenarioRecord(const WorldState& w, const General& g) {
    return g.entry >= 0 && g.entry < w.scenarioGeneralCount;
}

bool isHeadOfHouse(const WorldState& w, int general) {
    const int h = w.generals[general].house;
    return h >= 0 && h < w.houseCount && w.houses[h].head == general;
}

void leaveHeadship(WorldState& w, int general) {
    if (isHeadOfHouse(w, general)) w.houses[w.generals[general].house].head = -2;
}

// The corps a conquered castle joins: the first besieger's, when every besieger serves in a corps
// and that corps keeps what it conquers. A corps of another house (a vassal's general before the
// castle) cannot hold a castle of the conqueror.
int conqueringCorps(const WorldState& w, const Castle& k, int newOwner) {
    const int n = std::min<int>(k.besiegerCount, Castle::kMaxGenerals);
    for (int i = 0; i < n; ++i)
        if (w.generals[k.besiegers[i]].corps < 0) return -1;
    const int corps = w.generals[k.besiegers[0]].corps;
    if (corps >= kMaxCorps) return -1;
    const Corps& c = w.corps[corps];
    if (c.leader < 0 || c.house != newOwner || !(c.orders & kKeepsConquests)) return -1;
    return corps;
}

// The average support of the conqueror's castles and the castle's own, halved. A conqueror with
// no other castle leaves the castle its own value.
int supportAfterConquest(const WorldState& w, int castle, int newOwner) {
    long long sum = 0;
    int count = 0;
    for (int c = 0; c < w.castleCount; ++c) {
        if (c == castle || w.castles[c].owner != newOwner) continue;
        sum += w.castles[c].support;
        ++count;
    }
    const int own = w.castles[castle].support;
    if (count == 0) return own;
    return static_cast<int>((sum / count + own) / 2);
}

void raiseMiningSkill(Game& game, int castle, int oldOwner, int newOwner) {
    WorldState& w = game.world;
    if (w.castles[castle].mine == 0) return;
    const double r = game.rng.unit();
    if (oldOwner < 0 || oldOwner >= w.houseCount) return;
    const int candidate = w.houses[oldOwner].miningSkill - roundHalfAway(100 + 200 * r);
    DaimyoHouse& winner = w.houses[newOwner];
    if (winner.miningSkill >= candidate) return;
    winner.miningSkill = static_cast<int16_t>(std::clamp(candidate, -32768, 32767));
    if (newOwner == w.playerHouse && !w.spectator)
        game.notify(nameText(w, w.castleSites[castle].name) +
                    "の攻略により、当家の鉱山技術（採掘・精錬技術）が上昇しました\n（" + houseNameText(w, oldOwner) +
                    "の鉱山技術を手に入れました）");
}

// The first castle next to `from` of the general's side that is not besieged and has room.
int escapeCastle(const WorldState& w, int from, int side) {
    const CastleSite& site = w.castleSites[from];
    for (int i = 0; i < CastleSite::kMaxRoutes && site.routes[i] != -1; ++i) {
        const int n = site.routes[i];
        if (!validCastle(w, n)) continue;
        const Castle& k = w.castles[n];
        if (commandingHouse(w, k.owner) == side && k.besiegerCount == 0 && k.generalCount < Castle::kMaxGenerals)
            return n;
    }
    return -1;
}

void joinGarrison(WorldState& w, int general, int castle) {
    detachFromCastleLists(w, general);
    General& g = w.generals[general];
    g.castle = static_cast<int16_t>(castle);
    g.flags &= ~kFlagInField;
    Castle& k = w.castles[castle];
    if (k.generalCount < Castle::kMaxGenerals) k.generals[k.generalCount++] = general;
}

void cutTroops(General& g, double keep) {
    g.cavalry = static_cast<int16_t>(g.cavalry * keep);
    g.foot = static_cast<int16_t>(g.foot * keep);
    g.guns = static_cast<int16_t>(g.guns * keep);
}

// One defender's fate. Returns true when he was taken prisoner.
bool defenderFate(Game& game, const ResolutionServices& s, int castle, int d, double holders, int conqueror) {
    WorldState& w = game.world;
    General& g = w.generals[d];
    const int side = commandingHouse(w, g.house);
    const int setting = w.settings.seppukuKakuritsu;

    const int refuge = escapeCastle(w, castle, side);
    const bool escaped = refuge >= 0;
    if (escaped) joinGarrison(w, d, refuge);
    cutTroops(g, escaped ? 0.7 : 0.3);
    const double share = holders > 0 ? strength(g) / holders : 0;
    double capture = escaped ? share * 3 + 0.7 : share + 0.3;
    double seppuku = share * 5 + std::pow(escaped ? 0.9 : 0.7, setting / 5.0);
    if (setting < 1) seppuku = 1;
    if (holders == 0) {
        capture = 1;
        seppuku = 1;
    }

    const bool record = hasScenarioRecord(w, g);
    if (!escaped && !retreatGeneral(w, d, castle, false)) {
        double flight = isHeadOfHouse(w, d) ? 0.6 : 0.25;
        if (!record) flight = 0;
        if (game.rng.unit() < flight) {
            leaveHeadship(w, d);
            makeRonin(w, d);
            game.notify(nameText(w, g.name) + "は城から落ち延びて行きました");
            return false;
        }
        capture = 0;
    }
    if (!record || game.rng.unit() >= seppuku) {
        g.flags &= ~kFlagInField;
        leaveHeadship(w, d);
        detachFromCastleLists(w, d);
        g.house = kHouseLost;
        game.notify(nameText(w, g.name) + "は切腹して果てました");
        return false;
    }
    if (game.rng.unit() >= capture) {
        s.takePrisoner(game, conqueror, d);
        // A prisoner stands in no castle list; one left on the list of the castle he reached
        // would defend it in a later siege of the same month.
        detachFromCastleLists(w, d);
        return true;
    }
    return false;
}

// A defender left without a house goes to the first castle whose side has that same value.
void placeHouseless(WorldState& w, int d) {
    General& g = w.generals[d];
    for (int c = 0; c < w.castleCount; ++c) {
        if (commandingHouse(w, w.castles[c].owner) != g.house) continue;
        detachFromCastleLists(w, d);
        g.castle = static_cast<int16_t>(c);
        g.flags &= ~kFlagInField;
        Castle& k = w.castles[c];
        if (k.generalCount < Castle::kMaxGenerals) k.generals[k.generalCount++] = d;
        return;
    }
}

} // namespace

std::vector<int> fallenCastleDefenders(const WorldState& w, int castle) {
    std::vector<int> out;
    for (int g = 0; g < w.generalCount && static_cast<int>(out.size()) < kMaxDefenders; ++g) {
        const General& r = w.generals[g];
        if (r.castle == castle && !(r.flags & kFlagInField) && r.house != kHouseHeld) out.push_back(g);
    }
    return out;
}

int transferCastle(Game& game, int castle) {
    WorldState& w = game.world;
    if (!validCastle(w, castle)) return -1;
    Castle& k = w.castles[castle];
    if (k.besiegerCount == 0) return -1;
    const int newOwner = commandingHouse(w, w.generals[k.besiegers[0]].house);
    if (newOwner < 0 || newOwner >= w.houseCount) return -1;
    const int oldOwner = k.owner;
    k.corps = static_cast<int16_t>(conqueringCorps(w, k, newOwner));
    k.support = static_cast<int16_t>(supportAfterConquest(w, castle, newOwner));
    k.owner = static_cast<int16_t>(newOwner);
    const int lord = k.corps >= 0 ? w.corps[k.corps].leader : w.houses[newOwner].head;
    k.lord = static_cast<int16_t>(lord >= 0 ? lord : -1);
    raiseMiningSkill(game, castle, oldOwner, newOwner);
    const int n = std::min<int>(k.besiegerCount, Castle::kMaxGenerals);
    for (int i = 0; i < n; ++i) {
        w.generals[k.besiegers[i]].flags &= ~kFlagInField;
        k.generals[i] = k.besiegers[i];
        k.besiegers[i] = 0;
    }
    k.generalCount = static_cast<uint8_t>(n);
    k.besiegerCount = 0;
    k.besiegedBy = -1;
    return newOwner;
}

std::vector<int> defendersFates(Game& game, const ResolutionServices& s, int castle,
                                const std::vector<int>& defenders) {
    WorldState& w = game.world;
    std::vector<int> prisoners;
    if (!validCastle(w, castle)) return prisoners;
    const Castle& k = w.castles[castle];
    double holders = k.garrison;
    for (int i = 0; i < std::min<int>(k.generalCount, Castle::kMaxGenerals); ++i)
        holders += strength(w.generals[k.generals[i]]);
    const int conqueror = commandingHouse(w, k.owner);
    for (int d : defenders) {
        if (d < 0 || d >= w.generalCount || w.generals[d].house < 0) continue;
        if (defenderFate(game, s, castle, d, holders, conqueror)) prisoners.push_back(d);
    }
    for (int d : defenders)
        if (d >= 0 && d < w.generalCount && w.generals[d].house < 0) placeHouseless(w, d);
    if (!prisoners.empty()) s.settlePrisoners(game, conqueror, prisoners);
    return prisoners;
}

void castleFalls(Game& game, const ResolutionServices& s, int castle, const std::vector<int>& defenders) {
    if (transferCastle(game, castle) < 0) return;
    defendersFates(game, s, castle, defenders);
}

} // namespace vh
