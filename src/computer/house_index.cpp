// The house index and the run it serves.
#include "computer/house_index.h"

#include "context/game.h"

#include <algorithm>
#include <memory>

namespace vh {

void buildHouseIndex(const WorldState& w, HouseIndex& out) {
    const int houses = std::max(0, w.houseCount);
    // Cleared, not replaced: an index rebuilt every run keeps its lists' storage.
    const auto reset = [houses](std::vector<std::vector<int>>& lists) {
        lists.resize(houses);
        for (auto& v : lists) v.clear();
    };
    reset(out.castlesOf);
    reset(out.generalsOf);
    reset(out.submittedTo);
    reset(out.heldBy);
    out.kokuOf.assign(houses, 0);
    out.lordNeighbours.resize(houses);
    for (auto& m : out.lordNeighbours) m.known = false;
    for (auto& v : out.corpsGenerals) v.clear();
    out.ownersInTable = true;
    for (int c = 0; c < w.castleCount; ++c) {
        const int o = w.castles[c].owner;
        if (o >= houses) out.ownersInTable = false;
        if (o >= 0 && o < houses) {
            out.castlesOf[o].push_back(c);
            out.kokuOf[o] += w.castles[c].yield;
        }
    }
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if (r.house == kHouseHeld && r.holderHouse >= 0 && r.holderHouse < houses) out.heldBy[r.holderHouse].push_back(g);
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

// The run a call belongs to: the phase and month, the house order of the phase (kept whole, with
// each house's place in it), and which side of the player's turn.
struct RunIndex {
    int32_t year = 0, month = 0, phase = -1;
    int houseCount = 0;
    int side = -1; // 0 before the player, 1 the player's corps, 2 after the player
    std::array<int32_t, kMaxHouses> order{};
    std::vector<int> place; // by house: its place in the order
    int player = 0;         // the player's place (the house count when absent)
    int lastPosition = -1;
    HouseIndex index;

    bool sameOrder(const WorldState& w) const {
        return year == w.date.year && month == w.date.month && phase == w.phase && houseCount == w.houseCount &&
               std::equal(order.begin(), order.begin() + std::clamp(houseCount, 0, kMaxHouses), w.houseOrder.begin());
    }
};

} // namespace

const HouseIndex& phaseRunIndex(Game& game, int house, bool playerCorps) {
    const WorldState& w = game.world;
    auto run = std::static_pointer_cast<RunIndex>(game.computerScratch);
    if (!run || !run->sameOrder(w)) {
        auto fresh = std::make_shared<RunIndex>();
        if (run) fresh->index = std::move(run->index); // its storage, rebuilt below
        run = std::move(fresh);
        run->year = w.date.year;
        run->month = w.date.month;
        run->phase = w.phase;
        run->houseCount = w.houseCount;
        const int n = std::clamp(w.houseCount, 0, kMaxHouses);
        std::copy(w.houseOrder.begin(), w.houseOrder.begin() + n, run->order.begin());
        run->place.assign(n, n);
        run->player = n;
        for (int i = 0; i < n; ++i) {
            const int h = w.houseOrder[i];
            if (h >= 0 && h < n) run->place[h] = i;
            if (h == w.playerHouse) run->player = i;
        }
        run->lastPosition = n + 1; // forces the build below
        game.computerScratch = run;
    }
    const int position = playerCorps ? run->player
                                     : (house >= 0 && house < static_cast<int>(run->place.size()) ? run->place[house]
                                                                                                   : run->houseCount);
    const int side = playerCorps ? 1 : (position < run->player ? 0 : 2);
    // A run visits its houses in rising order: a repeated or earlier place starts a new run (the
    // same phase replayed after loading a game, say). The player's corps come after the player's
    // turn and rebuild for every corps.
    if (side != run->side || position <= run->lastPosition || playerCorps) {
        buildHouseIndex(w, run->index);
        run->side = side;
    }
    run->lastPosition = position;
    return run->index;
}

} // namespace vh
