// Head and corps-leader successions, and the dissolution of a corps left without a leader.
#include "simulation/succession.h"

#include "diplomacy/relations.h"
#include "context/game_text.h"
#include "simulation/event_support.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace vh {

void succeedHead(Game& game, int house) {
    WorldState& w = game.world;
    if (house < 0 || house >= w.houseCount) return;
    int heir = -1, heirRank = INT_MAX;
    for (int i = 0; i < w.generalCount; ++i) {
        const General& g = w.generals[i];
        if (g.house != house || !rankedHeirOf(w, g, house)) continue;
        const int rank = successionRankOf(w, g);
        if (rank < heirRank) {
            heir = i;
            heirRank = rank;
        }
    }
    if (heir < 0) {
        // No ranked heir: the wisest general, the last among equals.
        int best = -1;
        for (int i = 0; i < w.generalCount; ++i) {
            const General& g = w.generals[i];
            if (g.house != house) continue;
            if (heir < 0 || g.intellect >= best) {
                heir = i;
                best = g.intellect;
            }
        }
    }
    DaimyoHouse& d = w.houses[house];
    if (heir < 0) {
        d.head = -2; // no head, but not destroyed
        return;
    }
    d.head = heir;
    General& h = w.generals[heir];
    h.status = kStatusOrdinary;
    game.notify(nameText(w, h.name) + "は" + houseNameText(w, house) + "の当主になりました");
    for (int slot = 0; slot < kMaxCorps; ++slot) {
        if (w.corps[slot].leader != heir) continue;
        h.corps = -1;
        succeedCorpsLeader(game, slot, std::string(fieldText(h.name)));
    }
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house && w.castles[c].corps == -1)
            w.castles[c].lord = static_cast<int16_t>(heir);
}

void succeedCorpsLeader(Game& game, int corps, const std::string& formerLeader) {
    WorldState& w = game.world;
    if (corps < 0 || corps >= kMaxCorps) return;
    Corps& c = w.corps[corps];
    const int house = c.house;
    if (house < 0 || house >= w.houseCount) return;
    int leader = -1, best = -1;
    for (int i = 0; i < w.generalCount; ++i) {
        const General& g = w.generals[i];
        if (g.house != house || g.corps != corps) continue;
        if (leader < 0 || g.intellect >= best) {
            leader = i;
            best = g.intellect;
        }
    }
    const bool player = isPlayerHouse(w, house);
    const std::string corpsName = toUtf8(formerLeader, scenarioEncoding(w)) + " 軍団は、";
    if (leader < 0) {
        if (player) game.notify(corpsName + "軍団長後継者がいないため解体します");
        dissolveCorps(w, corps);
        return;
    }
    c.leader = leader;
    for (int k = 0; k < w.castleCount; ++k)
        if (w.castles[k].owner == house && w.castles[k].corps == corps)
            w.castles[k].lord = static_cast<int16_t>(leader);
    if (player) game.notify(corpsName + nameText(w, w.generals[leader].name) + " が軍団長を引き継ぎます");
}

void dissolveCorps(WorldState& w, int corps) {
    if (corps < 0 || corps >= kMaxCorps) return;
    Corps& c = w.corps[corps];
    const int house = c.house;
    if (house >= 0 && house < w.houseCount) {
        DaimyoHouse& d = w.houses[house];
        d.funds = static_cast<int32_t>(std::clamp<int64_t>(int64_t{d.funds} + c.funds, INT_MIN, INT_MAX));
        d.undeployedGuns = static_cast<int32_t>(
            std::clamp<int64_t>(int64_t{d.undeployedGuns} + c.undeployedGuns, INT_MIN, INT_MAX));
        for (int k = 0; k < w.castleCount; ++k) {
            Castle& castle = w.castles[k];
            if (castle.owner != house || castle.corps != corps) continue;
            castle.corps = -1;
            castle.lord = static_cast<int16_t>(d.head);
        }
    }
    for (int i = 0; i < w.generalCount; ++i)
        if (w.generals[i].house != kHouseLost && w.generals[i].corps == corps) w.generals[i].corps = -1;
    c.leader = -1;
    c.house = -1;
    c.funds = 0;
    c.undeployedGuns = 0;
}

void corpsLeaderSuccessions(Game& game) {
    WorldState& w = game.world;
    for (int slot = 0; slot < kMaxCorps; ++slot) {
        const int leader = w.corps[slot].leader;
        if (leader < 0 || leader >= w.generalCount) continue;
        General& g = w.generals[leader];
        if (g.status == kStatusPrisoner) g.corps = -1;
        if (g.corps != slot) succeedCorpsLeader(game, slot, std::string(fieldText(g.name)));
    }
}

void headSuccessions(Game& game) {
    WorldState& w = game.world;
    // A succession changes heads, corps and castle lords, never a general's house: the generals
    // are sorted by house once (in general order within each) instead of scanned per house.
    const int houses = std::max(0, w.houseCount);
    std::vector<int> start(static_cast<size_t>(houses) + 1, 0), members;
    for (int i = 0; i < w.generalCount; ++i) {
        const int h = w.generals[i].house;
        if (h >= 0 && h < houses) ++start[h + 1];
    }
    for (int h = 0; h < houses; ++h) start[h + 1] += start[h];
    members.resize(start[houses]);
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (int i = 0; i < w.generalCount; ++i) {
        const int h = w.generals[i].house;
        if (h >= 0 && h < houses) members[fill[h]++] = i;
    }
    for (int h = 0; h < houses; ++h) {
        if (!houseAlive(w, h)) continue;
        const int head = w.houses[h].head;
        int best = -1, bestRank = INT_MAX;
        for (int m = start[h]; m < start[h + 1]; ++m) {
            const int i = members[m];
            const General& g = w.generals[i];
            if (g.house != h || !rankedHeirOf(w, g, h)) continue;
            const int rank = successionRankOf(w, g);
            // Among equal ranks the head keeps his place; otherwise the later general is taken.
            if (rank < bestRank || (rank == bestRank && best != head)) {
                best = i;
                bestRank = rank;
            }
        }
        if (best >= 0 && best != head) succeedHead(game, h);
    }
}

CastleListHooks castleListHooks(Game& game) {
    CastleListHooks hooks;
    hooks.notify = [&game](const std::string& text) { game.notify(text); };
    hooks.headLeft = [&game](int house) { succeedHead(game, house); };
    hooks.leaderLeft = [&game](int corps, const std::string& former) { succeedCorpsLeader(game, corps, former); };
    return hooks;
}

void removeActiveGeneral(Game& game, int general) { removeActiveGeneral(game.world, general, castleListHooks(game)); }

void rebuildCastleLists(Game& game) { rebuildCastleLists(game.world, castleListHooks(game)); }

} // namespace vh
