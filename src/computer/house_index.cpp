// The house index and the run it serves.
#include "computer/house_index.h"

#include "context/game.h"

#include <memory>

namespace vh {

void buildHouseIndex(const WorldState& w, HouseIndex& out) {
    const int houses = std::max(0, w.houseCount);
    out.castlesOf.assign(houses, {});
    out.generalsOf.assign(houses, {});
    out.submittedTo.assign(houses, {});
    for (auto& v : out.corpsGenerals) v.clear();
    for (int c = 0; c < w.castleCount; ++c) {
        const int o = w.castles[c].owner;
        if (o >= 0 && o < houses) out.castlesOf[o].push_back(c);
    }
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if (r.house < 0) continue;
        if (r.house < houses) out.generalsOf[r.house].push_back(g);
        if (r.corps >= 0 && r.corps < kMaxCorps) out.corpsGenerals[r.corps].push_back(g);
    }
    for (int h = 0; h < houses; ++h) {
        const DaimyoHouse& d = w.houses[h];
        if (d.vassalState == 2 && d.lord >= 0 && d.lord < houses) out.submittedTo[d.lord].push_back(h);
    }
}

namespace {

// Which run of the phase a call belongs to, and where in the month's house order it stands.
struct RunKey {
    int32_t year = 0, month = 0, phase = -1;
    int side = -1;      // 0 before the player, 1 the player's corps, 2 after the player
    int player = -1;    // the player's place in the house order
    uint64_t order = 0; // the house order itself
    bool operator==(const RunKey&) const = default;
};

struct RunIndex {
    RunKey key;
    int lastPosition = -1;
    HouseIndex index;
};

uint64_t orderHash(const WorldState& w) {
    uint64_t h = 1469598103934665603ull;
    for (int i = 0; i < w.houseCount && i < kMaxHouses; ++i) h = (h ^ static_cast<uint32_t>(w.houseOrder[i])) * 1099511628211ull;
    return h;
}

} // namespace

const HouseIndex& phaseRunIndex(Game& game, int house, bool playerCorps) {
    const WorldState& w = game.world;
    int player = w.houseCount, position = w.houseCount;
    for (int i = 0; i < w.houseCount && i < kMaxHouses; ++i) {
        if (w.houseOrder[i] == w.playerHouse) player = i;
        if (w.houseOrder[i] == house) position = i;
    }
    RunKey key{w.date.year, w.date.month, w.phase, playerCorps ? 1 : (position < player ? 0 : 2), player, orderHash(w)};
    if (playerCorps) position = player;
    auto run = std::static_pointer_cast<RunIndex>(game.computerScratch);
    // A run visits its houses in rising order: a repeated or earlier place starts a new run
    // (the same phase replayed after loading a game, say). The player's corps run after the
    // player's turn and rebuild for every corps.
    if (!run || !(run->key == key) || position <= run->lastPosition || playerCorps) {
        run = std::make_shared<RunIndex>();
        run->key = key;
        buildHouseIndex(w, run->index);
        game.computerScratch = run;
    }
    run->lastPosition = position;
    return run->index;
}

} // namespace vh
