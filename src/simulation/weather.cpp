// Heavy snow lifts sieges; heavy rain, never where snow fell, lowers koku and towns.
#include "simulation/month_events.h"

#include "simulation/event_support.h"
#include "simulation/player_dialogs.h"
#include "simulation/succession.h"
#include "world/castle_rules.h"

#include <algorithm>

namespace vh {

namespace {

constexpr uint8_t kSnowFlag = 1;
constexpr uint8_t kRainFlag = 2;

int provinceOfCastle(const WorldState& w, int c) {
    return w.castleSites[c].province;
}

} // namespace

void heavySnow(Game& game) {
    WorldState& w = game.world;
    const int month = w.date.month - 1;
    const double u0 = game.rng.unit();
    WeatherEvent event;
    event.snow = true;
    const int provinces = std::min(w.provinceCount(), kProvinceSlots);
    for (int p = 0; p < provinces; ++p) {
        const double x = (0.8 + game.rng.unit() * 0.4) * u0;
        if (w.snowChance[p][month] / 100.0 > x) {
            w.weatherFlags[p] |= kSnowFlag;
            event.provinces.push_back(p);
        }
    }
    if (event.provinces.empty()) return;
    announceWeather(game, event);
    for (int i = 0; i < w.generalCount; ++i) {
        const General& g = w.generals[i];
        if (g.house < 0 || !(g.flags & kFlagInField) || g.castle < 0 || g.castle >= w.castleCount) continue;
        if (w.weatherFlags[provinceOfCastle(w, g.castle)] & kSnowFlag) withdrawOrRonin(w, i);
    }
    rebuildCastleLists(game);
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].besiegerCount == 0) w.castles[c].siegeProgress = 0;
}

void heavyRain(Game& game) {
    WorldState& w = game.world;
    const int month = w.date.month - 1;
    const int provinces = std::min(w.provinceCount(), kProvinceSlots);
    const int regions = std::min(w.regionCount(), kMaxRegions);
    std::vector<uint8_t> snowed(regions, 0), rained(regions, 0);
    for (int p = 0; p < provinces; ++p) {
        const int r = w.map.provinces[p].region;
        if (r >= 0 && r < regions && (w.weatherFlags[p] & kSnowFlag)) snowed[r] = 1;
    }
    bool any = false;
    for (int r = 0; r < regions; ++r) {
        if (snowed[r]) continue;
        if (w.rainChance[r][month] / 100.0 > game.rng.unit()) rained[r] = any = true;
    }
    if (!any) return;
    WeatherEvent event;
    for (int p = 0; p < provinces; ++p) {
        const int r = w.map.provinces[p].region;
        if (r < 0 || r >= regions || !rained[r]) continue;
        w.weatherFlags[p] |= kRainFlag;
        event.provinces.push_back(p);
    }
    announceWeather(game, event);
    for (int c = 0; c < w.castleCount; ++c) {
        if (!(w.weatherFlags[provinceOfCastle(w, c)] & kRainFlag)) continue;
        Castle& k = w.castles[c];
        k.yield = static_cast<int32_t>(k.yield * (0.94 + game.rng.unit() * 0.04));
        k.town = static_cast<int16_t>(k.town * (0.86 + game.rng.unit() * 0.1));
    }
}

} // namespace vh
