// Allocation of the fixed-capacity tables.
#include "world/world_state.h"

#include "world/byte_io.h"
#include "world/text_codec.h"

namespace vh {

WorldState::WorldState()
    : scenarioHouses(kMaxHouses), scenarioGenerals(kMaxGenerals), relationEntries(kMaxRelationEntries),
      houses(kMaxHouses), castleSites(kMaxCastles), castles(kMaxCastles), castleSnapshot(kMaxCastles),
      generals(kMaxGenerals), waitingGenerals(kMaxGenerals), viewAreas(kProvinceSlots),
      gunProduction(kProvinceSlots), snowChance(kProvinceSlots), rainChance(kMaxRegions),
      tradePartners(kMaxTradePartners), gunMarkets(kMaxGunMarkets), coalitions(kMaxCoalitions) {
    setFieldText(settings.endingText, utf8ToCp932("は統一を成し遂げました"));
    setFieldText(tradePartners[0].name, utf8ToCp932("航海訓練"));
}

std::vector<int> housePowerFigures(const WorldState& w) {
    std::vector<int> power(w.houseCount, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        const int owner = w.castles[c].owner;
        if (owner < 0 || owner >= w.houseCount) continue;
        power[owner] += 5;
        const DaimyoHouse& d = w.houses[owner];
        if (d.vassalState == 2 && d.lord >= 0 && d.lord < w.houseCount && d.lord != owner) power[d.lord] += 1;
    }
    return power;
}

int routeCount(const CastleSite& site) {
    int n = 0;
    while (n < CastleSite::kMaxRoutes && site.routes[n] != -1) ++n;
    return n;
}

} // namespace vh
