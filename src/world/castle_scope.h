// A house's sums run over its own castles: from an index's list of them (in castle order) when
// the caller has one, else over every castle, the owner test left to the sum itself.
#pragma once

#include "world/world_state.h"

#include <vector>

namespace vh {

template <class F>
void forCastlesIn(const WorldState& w, const std::vector<int>* only, F&& f) {
    if (only) {
        for (int c : *only) f(c);
    } else {
        for (int c = 0; c < w.castleCount; ++c) f(c);
    }
}

} // namespace vh
