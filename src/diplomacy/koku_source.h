// Koku figures read from a run's index of who owns what when there is one, else from the castle
// table. The diplomacy phase changes relations, never owners or koku, so within one run of houses
// the index's sums per owner stay true; the vassals are looked up live in the relations.
#pragma once

#include "computer/house_index.h"
#include "diplomacy/figures.h"
#include "world/world_state.h"

#include <algorithm>
#include <climits>

namespace vh {

struct KokuSource {
    const WorldState& w;
    const HouseIndex* index = nullptr;

    static int clamp(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }
    bool indexed(int h) const { return index && h >= 0 && h < static_cast<int>(index->kokuOf.size()); }

    // kokuOf
    int of(int h) const { return indexed(h) ? clamp(index->kokuOf[h]) : kokuOf(w, h); }
    // kokuWithVassals
    int withVassals(int h) const {
        if (!indexed(h)) return kokuWithVassals(w, h);
        const DaimyoHouse& d = w.houses[h];
        long long sum = index->kokuOf[h];
        for (int o = 0; o < static_cast<int>(index->kokuOf.size()); ++o)
            if (o != h && relationKind(d, o) == kRelHasSubmitted && houseAlive(w, o)) sum += index->kokuOf[o];
        return clamp(sum);
    }
};

} // namespace vh
