// Every table of a world at full capacity, slots past the counts included, plus what the save
// image holds and the settings it leaves out: two worlds with equal images are the same world.
#pragma once

#include "game/save_game.h"
#include "world/record_codec.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vh::test {

template <class R> void appendTable(std::vector<uint8_t>& out, const std::vector<R>& table) {
    for (const R& r : table) {
        const auto image = recordImage(r);
        out.insert(out.end(), image.begin(), image.end());
    }
}

inline std::vector<uint8_t> fullWorldImage(const WorldState& w) {
    std::vector<uint8_t> out = saveImage(w);
    appendTable(out, w.scenarioHouses);
    appendTable(out, w.houses);
    appendTable(out, w.castleSites);
    appendTable(out, w.castles);
    appendTable(out, w.castleSnapshot);
    appendTable(out, w.scenarioGenerals);
    appendTable(out, w.generals);
    appendTable(out, w.waitingGenerals);
    appendTable(out, w.relationEntries);
    appendTable(out, w.tradePartners);
    appendTable(out, w.gunMarkets);
    appendTable(out, w.coalitions);
    appendTable(out, w.viewAreas);
    appendTable(out, w.gunProduction);
    for (const auto& m : w.snowChance) out.insert(out.end(), m.begin(), m.end());
    for (const auto& m : w.rainChance) out.insert(out.end(), m.begin(), m.end());
    out.insert(out.end(), w.provinceFlags.begin(), w.provinceFlags.end());
    const std::string extra = w.settings.openingText + "|" + w.settings.mapFile + "|" +
                              std::to_string(w.settings.scenarioVer) + "|" + std::to_string(w.relationEntryCount) +
                              "|" + std::to_string(w.watchAnswered);
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

} // namespace vh::test
