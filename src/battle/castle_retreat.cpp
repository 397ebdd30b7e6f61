// Withdrawal from a besieged castle.
#include "battle/castle_retreat.h"

#include "context/game_text.h"
#include "simulation/event_support.h"
#include "world/castle_rules.h"

namespace vh {
namespace {

bool validCastle(const WorldState& w, int c) { return c >= 0 && c < w.castleCount; }

int freeNeighbour(const WorldState& w, int castle, int side) {
    const CastleSite& site = w.castleSites[castle];
    for (int i = 0; i < CastleSite::kMaxRoutes && site.routes[i] != -1; ++i) {
        const int n = site.routes[i];
        if (!validCastle(w, n)) continue;
        const Castle& k = w.castles[n];
        if (commandingHouse(w, k.owner) == side && k.besiegerCount == 0 && k.generalCount < Castle::kMaxGenerals)
            return n;
    }
    return -1;
}

} // namespace

int castleRetreatCapacity(const WorldState& w, int castle) {
    if (!validCastle(w, castle) || w.playerHouse < 0) return 0;
    int places = 0;
    const CastleSite& site = w.castleSites[castle];
    for (int i = 0; i < CastleSite::kMaxRoutes && site.routes[i] != -1; ++i) {
        const int n = site.routes[i];
        if (!validCastle(w, n)) continue;
        const Castle& k = w.castles[n];
        if (commandingHouse(w, k.owner) != w.playerHouse || k.besiegerCount != 0) continue;
        if (k.generalCount < Castle::kMaxGenerals) places += Castle::kMaxGenerals - k.generalCount;
    }
    return places;
}

std::optional<std::string> castleRetreatRefusal(const WorldState& w, int castle, int selected) {
    if (selected <= 0) return std::nullopt;
    const int places = castleRetreatCapacity(w, castle);
    if (places == 0) return std::string("退却できる城がありません");
    if (selected > places) return std::to_string(places) + "人までしか退却できません";
    return std::nullopt;
}

std::vector<int> retreatFromCastle(Game& game, int castle, const std::vector<int>& generals) {
    WorldState& w = game.world;
    std::vector<int> moved;
    if (!validCastle(w, castle)) return moved;
    const bool byPlayer =
        w.playerHouse >= 0 && w.castles[castle].besiegedBy == commandingHouse(w, w.playerHouse);
    for (int g : generals) {
        if (g < 0 || g >= w.generalCount || w.generals[g].castle != castle) continue;
        const int to = freeNeighbour(w, castle, commandingHouse(w, w.generals[g].house));
        if (to < 0) continue;
        detachFromCastleLists(w, g);
        General& r = w.generals[g];
        r.castle = static_cast<int16_t>(to);
        r.flags &= ~kFlagInField;
        Castle& k = w.castles[to];
        k.generals[k.generalCount++] = g;
        moved.push_back(g);
        if (byPlayer) game.show(nameText(w, r.name) + "は退却しました");
    }
    return moved;
}

} // namespace vh
