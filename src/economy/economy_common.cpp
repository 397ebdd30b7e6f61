// Accounts, the head's reach and province castle lists for the economy commands.
#include "economy/economy_common.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

bool validCorps(const WorldState& w, int house, int corps) {
    return corps >= 0 && corps < kMaxCorps && w.corps[corps].house == house;
}

int32_t* fundsOf(WorldState& w, int house, int corps) {
    if (corps >= 0) return validCorps(w, house, corps) ? &w.corps[corps].funds : nullptr;
    return house >= 0 && house < w.houseCount ? &w.houses[house].funds : nullptr;
}

} // namespace

int32_t accountFunds(const WorldState& w, int house, int corps) {
    if (corps >= 0) return validCorps(w, house, corps) ? w.corps[corps].funds : 0;
    return house >= 0 && house < w.houseCount ? w.houses[house].funds : 0;
}

void chargeAccount(WorldState& w, int house, int corps, int64_t amount) {
    int32_t* funds = fundsOf(w, house, corps);
    if (!funds) return; // a corps of another house is nobody's account
    *funds = static_cast<int32_t>(std::clamp<int64_t>(int64_t{*funds} - amount, INT32_MIN, INT32_MAX));
}

int headProvince(const WorldState& w, int house) {
    if (!houseAlive(w, house)) return -1;
    const int head = w.houses[house].head;
    if (head < 0 || head >= w.generalCount) return -1;
    const int castle = w.generals[head].castle;
    if (castle < 0 || castle >= w.castleCount) return -1;
    return w.castleSites[castle].province;
}

bool withinHeadReach(const WorldState& w, int house, int province) {
    const int home = headProvince(w, house);
    if (home < 0 || province < 0) return false;
    if (home == province) return true;
    for (int c = 0; c < w.castleCount; ++c) {
        const CastleSite& s = w.castleSites[c];
        if (s.province != home) continue;
        for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r) {
            const int n = s.routes[r];
            if (n >= 0 && n < w.castleCount && w.castleSites[n].province == province) return true;
        }
    }
    return false;
}

bool validProvince(const WorldState& w, int province) {
    return province >= 0 && province < std::min(w.provinceCount(), kProvinceSlots);
}

std::vector<int> castlesOfProvince(const WorldState& w, int province) {
    std::vector<int> out;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castleSites[c].province == province) out.push_back(c);
    return out;
}

} // namespace vh
