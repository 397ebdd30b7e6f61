// Harvest roll, taxable koku, koku growth and mining skill growth.
#include "simulation/harvest.h"

#include "world/castle_scope.h"
#include "simulation/player_dialogs.h"

#include <algorithm>
#include <cmath>

namespace vh {

int rollHarvest(Game& game, HarvestOutcomes& out) {
    out.fill(kHarvestNormal);
    WorldState& w = game.world;
    if (w.date.month != kHarvestMonth) return kStandardTaxIndex;

    std::vector<int8_t> regionDraw(w.regionCount(), 0);
    for (int r = 0; r < w.regionCount(); ++r)
        regionDraw[r] = static_cast<int8_t>(game.rng.below(3) - 1);

    const int provinces = std::min(w.provinceCount(), kProvinceSlots);
    for (int p = 0; p < provinces; ++p) {
        int region = w.map.provinces[p].region;
        int drawn = (region >= 0 && region < w.regionCount()) ? regionDraw[region] : 0;
        if (drawn == 0) continue;
        if (game.rng.unit() < 0.7) out[p] = static_cast<int8_t>(drawn);
    }
    return askHarvestTax(game, std::vector<int8_t>(out.begin(), out.begin() + provinces));
}

int harvestKoku(const WorldState& w, int house, int corps, const HarvestOutcomes* weather,
                const std::vector<int>* castles) {
    double sum = 0;
    forCastlesIn(w, castles, [&](int c) {
        const Castle& k = w.castles[c];
        if (k.owner != house || k.corps != corps) return;
        double koku = k.yield;
        if (weather) {
            int8_t o = (*weather)[w.castleSites[c].province];
            if (o == kHarvestGood)
                koku *= 1.3;
            else if (o == kHarvestPoor)
                koku *= 0.9;
        }
        sum += koku;
    });
    return static_cast<int>(sum);
}

void growKoku(Game& game, const HarvestOutcomes& outcomes) {
    WorldState& w = game.world;
    for (int c = 0; c < w.castleCount; ++c) {
        Castle& k = w.castles[c];
        const int ceiling = w.castleSites[c].maxYield;
        double gain = (0.018 + game.rng.unit() * 0.004) * ceiling;
        int8_t o = outcomes[w.castleSites[c].province];
        if (o == kHarvestGood)
            gain *= 1.2;
        else if (o == kHarvestPoor)
            gain *= 0.9;
        int64_t koku = static_cast<int64_t>(k.yield) + static_cast<int64_t>(gain);
        if (koku > ceiling) koku = ceiling;
        // A castle already above its ceiling (scenario data) is brought down to it, as written.
        k.yield = static_cast<int32_t>(koku);
    }
}

void growMiningSkill(WorldState& w) {
    std::vector<int> mines(w.houseCount, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        int owner = w.castles[c].owner;
        if (owner >= 0 && owner < w.houseCount) mines[owner] += w.castles[c].mine;
    }
    for (int h = 0; h < w.houseCount; ++h) {
        if (!houseAlive(w, h)) continue;
        DaimyoHouse& d = w.houses[h];
        // Growth stops at 5000; a scenario may start a house above that, and it keeps its skill.
        if (d.miningSkill >= 5000 || mines[h] <= 0) continue;
        double g = std::min(10.0, std::pow(mines[h] / 50.0, 0.3));
        d.miningSkill = static_cast<int16_t>(std::min(5000, d.miningSkill + static_cast<int>(g)));
    }
}

} // namespace vh
