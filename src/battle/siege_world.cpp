// Filling a Siege from a castle's records and writing the month's results back; the siege
// estimate over general indices; the month's siege of one castle, by hand or automatically.
#include "battle/siege_world.h"

#include "battle/player_siege.h"
#include "context/game.h"
#include "context/game_text.h"
#include "world/castle_rules.h"
#include "world/random.h"

#include <algorithm>

namespace vh {

namespace {

SiegeTroops troopsOf(const General& g) {
    return {g.cavalry, g.foot, g.guns};
}

SiegeGeneral siegeGeneral(const WorldState& w, int index) {
    const General& g = w.generals[index];
    SiegeGeneral s;
    s.general = index;
    s.house = g.house;
    s.name = nameText(w, g.name);
    s.troops = troopsOf(g);
    s.valor = g.valor;
    s.intellect = g.intellect;
    s.points = g.siegeStratagemPoints;
    s.rest = g.siegeStratagemRest;
    return s;
}

bool validGeneral(const WorldState& w, int g) {
    return g >= 0 && g < w.generalCount;
}

int16_t toShort(int v) {
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}
uint8_t toByte(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

void writeGeneral(WorldState& w, const SiegeGeneral& s) {
    if (!validGeneral(w, s.general)) return;
    General& g = w.generals[s.general];
    g.cavalry = toShort(s.troops.cavalry);
    g.foot = toShort(s.troops.foot);
    g.guns = toShort(s.troops.guns);
    g.siegeStratagemPoints = toByte(s.points);
    g.siegeStratagemRest = toByte(s.rest);
}

// A withdrawn defender leaves the castle's garrison list for the neighbour's.
void moveToNeighbour(WorldState& w, int from, int general, int to) {
    Castle& c = w.castles[from];
    int* end = c.generals + c.generalCount;
    int* at = std::find(c.generals, end, general);
    if (at != end) {
        std::copy(at + 1, end, at);
        --c.generalCount;
    }
    Castle& d = w.castles[to];
    if (d.generalCount < Castle::kMaxGenerals) d.generals[d.generalCount++] = general;
    General& g = w.generals[general];
    g.castle = static_cast<int16_t>(to);
    g.flags = static_cast<int16_t>(g.flags & ~kFlagInField);
}

int besiegingSide(const WorldState& w, const Castle& c) {
    if (c.besiegedBy >= 0) return c.besiegedBy;
    return c.besiegerCount > 0 ? commandingHouse(w, w.generals[c.besiegers[0]].house) : -1;
}

} // namespace

Siege siegeFromCastle(const WorldState& w, int castle) {
    const Castle& c = w.castles[castle];
    const CastleSite& site = w.castleSites[castle];
    Siege s;
    s.castle = castle;
    s.castleName = nameText(w, site.name);
    s.size = c.size;
    s.progress = c.siegeProgress;
    s.food = c.food;
    s.garrison = c.garrison;
    s.settings = {w.settings.heiUnit, w.settings.shiroHyourouMax, w.settings.keiryaku,
                  w.settings.teppouKouka[3]};
    s.ownerHouse = houseNameText(w, c.owner);
    s.besiegingHouse = houseNameText(w, besiegingSide(w, c));
    for (int i = 0; i < c.generalCount && i < Castle::kMaxGenerals; ++i)
        if (validGeneral(w, c.generals[i])) s.defenders.push_back(siegeGeneral(w, c.generals[i]));
    for (int i = 0; i < c.besiegerCount && i < Castle::kMaxGenerals; ++i)
        if (validGeneral(w, c.besiegers[i])) s.besiegers.push_back(siegeGeneral(w, c.besiegers[i]));
    if (!s.besiegers.empty()) s.firstBesiegerHouse = houseNameText(w, s.besiegers.front().house);
    const int side = commandingHouse(w, c.owner);
    for (int r = 0; r < CastleSite::kMaxRoutes && site.routes[r] >= 0; ++r) {
        const int n = site.routes[r];
        if (n >= w.castleCount) continue;
        const Castle& nc = w.castles[n];
        s.neighbours.push_back({n, nameText(w, w.castleSites[n].name), commandingHouse(w, nc.owner) == side,
                                nc.besiegerCount > 0, nc.generalCount});
    }
    return s;
}

void writeSiegeBack(WorldState& w, Siege& s) {
    if (s.castle < 0 || s.castle >= w.castleCount) return;
    Castle& c = w.castles[s.castle];
    c.siegeProgress = toShort(s.progress);
    c.food = std::max(0, s.food);
    c.garrison = toShort(s.garrison);
    for (const SiegeGeneral& g : s.defenders)
        writeGeneral(w, g);
    for (const SiegeGeneral& g : s.besiegers)
        writeGeneral(w, g);
    for (size_t i = s.withdrawalsWritten; i < s.withdrawals.size(); ++i) {
        const SiegeWithdrawal& out = s.withdrawals[i];
        writeGeneral(w, out.general);
        const int to = out.neighbour >= 0 ? s.neighbours[out.neighbour].castle : -1;
        if (validGeneral(w, out.general.general) && to >= 0 && to < w.castleCount)
            moveToNeighbour(w, s.castle, out.general.general, to);
    }
    s.withdrawalsWritten = static_cast<int>(s.withdrawals.size());
}

void reloadSiege(Siege& s, const WorldState& w) {
    Siege fresh = siegeFromCastle(w, s.castle);
    fresh.turn = s.turn;
    fresh.result = s.result;
    fresh.order = s.order;
    fresh.stratagem = s.stratagem;
    fresh.withdrawals = std::move(s.withdrawals);
    fresh.withdrawalsWritten = s.withdrawalsWritten;
    fresh.pushback = s.pushback;
    fresh.pushbackDone = s.pushbackDone;
    fresh.wantMessages = s.wantMessages;
    fresh.messages = std::move(s.messages);
    s = std::move(fresh);
}

int siegeEstimate(const WorldState& w, int castle, std::span<const int> besiegers,
                  std::span<const int> defenders, Random& rng) {
    SiegeTroops b[kSiegeSideMax], d[kSiegeSideMax];
    size_t nb = 0, nd = 0;
    for (int g : besiegers)
        if (nb < kSiegeSideMax && validGeneral(w, g)) b[nb++] = troopsOf(w.generals[g]);
    for (int g : defenders)
        if (nd < kSiegeSideMax && validGeneral(w, g)) d[nd++] = troopsOf(w.generals[g]);
    const Castle& c = w.castles[castle];
    return assaultMonths({b, nb}, {d, nd}, c.garrison, c.siegeProgress, c.size, rng);
}

bool playerBesieges(const WorldState& w, int castle) {
    return w.playerHouse >= 0 && besiegingSide(w, w.castles[castle]) == w.playerHouse;
}

bool siegeFoughtByHand(const WorldState& w, int castle) {
    const int player = w.playerHouse;
    if (player < 0) return false;
    const Castle& c = w.castles[castle];
    const auto outsideCorps = [&](const int* list, int count) {
        for (int i = 0; i < count && i < Castle::kMaxGenerals; ++i)
            if (validGeneral(w, list[i]) && w.generals[list[i]].corps == -1) return true;
        return false;
    };
    if (besiegingSide(w, c) == player && outsideCorps(c.besiegers, c.besiegerCount)) return true;
    if (commandingHouse(w, c.owner) != player) return false;
    if (outsideCorps(c.generals, c.generalCount)) return true;
    if (c.generalCount > 0) return false;
    const int province = w.castleSites[castle].province;
    for (const Corps& k : w.corps) {
        if (k.leader == -1 || k.house != player) continue;
        for (uint8_t p : k.provinces)
            if (p == province) return false;
    }
    return true;
}

SiegeMonthOutcome runSiegeMonth(Game& game, int castle, const SallyBattle& sally,
                                const RetreatDialog& retreat) {
    WorldState& w = game.world;
    if (game.frontend && siegeFoughtByHand(w, castle)) {
        PlayerSiege hand(game, castle, sally, retreat);
        if (game.frontend->fightSiege(hand)) return hand.finish();
    }
    SiegeMonthOutcome out;
    Siege s = siegeFromCastle(w, castle);
    if (garrisonSallies(s, game.rng) && sally) {
        out.sally = sally(game, castle);
        if (out.sally != 1) return out;
        s = siegeFromCastle(w, castle);
    }
    // Without a sally battle to fight (none supplied), a sallying garrison stays in and the
    // month's siege goes on.
    automaticSiege(s, game.rng);
    writeSiegeBack(w, s);
    out.result = s.result;
    return out;
}

} // namespace vh
