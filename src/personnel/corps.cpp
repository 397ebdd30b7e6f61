// The player's corps and the operations of the four corps dialogs.
#include "personnel/corps.h"

#include "diplomacy/diplomacy_text.h"
#include "simulation/succession.h"
#include "world/castle_rules.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

bool validCorps(int corps) {
    return corps >= 0 && corps < kMaxCorps;
}
bool validGeneral(const WorldState& w, int g) {
    return g >= 0 && g < w.generalCount;
}

bool playerHead(const WorldState& w, int general) {
    return w.playerHouse >= 0 && w.playerHouse < w.houseCount && w.houses[w.playerHouse].head == general;
}

bool playerCorpsSlot(const WorldState& w, int corps) {
    return validCorps(corps) && w.corps[corps].leader >= 0 && w.corps[corps].house == w.playerHouse;
}

// Adds `amount` to a 32-bit account without wrapping.
int32_t addClamped(int32_t value, int64_t amount) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{value} + amount, INT_MIN, INT_MAX));
}

} // namespace

bool onPlayerSide(const WorldState& w, int general) {
    if (!validGeneral(w, general) || w.playerHouse < 0) return false;
    const int house = w.generals[general].house;
    return house >= 0 && house < w.houseCount && commandingHouse(w, house) == w.playerHouse;
}

std::vector<int> playerCorps(const WorldState& w) {
    std::vector<int> out;
    for (int c = 0; c < kMaxCorps; ++c)
        if (playerCorpsSlot(w, c) && onPlayerSide(w, w.corps[c].leader)) out.push_back(c);
    return out;
}

std::string appointCorpsLeader(WorldState& w, int general) {
    if (!onPlayerSide(w, general)) return {};
    General& g = w.generals[general];
    if (playerHead(w, general)) return "当主は軍団長には任命できません";
    if (g.status != kStatusGuest && g.house != w.playerHouse)
        return "臣従大名とその家臣は軍団長には任命できません";
    int slot = -1;
    for (int c = 0; c < kMaxCorps && slot < 0; ++c)
        if (w.corps[c].leader == -1) slot = c;
    if (slot < 0) return "軍団数が多すぎます";
    g.corps = static_cast<int16_t>(slot);
    Corps& c = w.corps[slot];
    c.leader = general;
    c.funds = 0;
    c.undeployedGuns = 0;
    c.house = w.playerHouse;
    c.orders = 0;
    std::fill(std::begin(c.provinces), std::end(c.provinces), kNoProvince);
    return {};
}

std::vector<std::string> assignToCorps(WorldState& w, int corps, const std::vector<int>& generals) {
    if (playerCorps(w).empty()) return {"軍団が作成されていません"};
    if (!playerCorpsSlot(w, corps)) return {"先に軍団を指定しておいてください"};
    std::vector<std::string> messages;
    for (int g : generals) {
        if (!onPlayerSide(w, g)) continue;
        if (playerHead(w, g)) {
            messages.push_back("当主は軍団には編入できません\n（臣従大名当主は可能）");
            continue;
        }
        // A leader of another corps stays with it: moving him would leave his corps leaderless.
        bool leads = false;
        for (const Corps& c : w.corps)
            leads = leads || c.leader == g;
        if (leads && w.generals[g].corps != corps) continue;
        w.generals[g].corps = static_cast<int16_t>(corps);
    }
    return messages;
}

bool returnDissolvesCorps(const WorldState& w, int corps, const std::vector<int>& generals) {
    return validCorps(corps) &&
           std::find(generals.begin(), generals.end(), w.corps[corps].leader) != generals.end();
}

void returnToDirectRule(WorldState& w, int corps, const std::vector<int>& generals) {
    if (!playerCorpsSlot(w, corps)) return;
    if (returnDissolvesCorps(w, corps, generals)) {
        dissolveCorps(w, corps);
        return;
    }
    for (int g : generals)
        if (validGeneral(w, g) && w.generals[g].corps == corps) w.generals[g].corps = -1;
}

int corpsAction(const Corps& c) {
    return c.orders & 3;
}

void setCorpsAction(WorldState& w, int corps, int action) {
    if (!validCorps(corps)) return;
    Corps& c = w.corps[corps];
    c.orders = static_cast<int16_t>((c.orders & ~3) | (action & 3));
}

void setCorpsFiefOnConquest(WorldState& w, int corps, bool on) {
    if (!validCorps(corps)) return;
    Corps& c = w.corps[corps];
    c.orders =
        static_cast<int16_t>(on ? (c.orders | kCorpsFiefOnConquest) : (c.orders & ~kCorpsFiefOnConquest));
}

bool provincesRouteAdjacent(const WorldState& w, int a, int b) {
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castleSites[c].province != a) continue;
        const CastleSite& s = w.castleSites[c];
        for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] >= 0; ++r) {
            const int to = s.routes[r];
            if (to < w.castleCount && w.castleSites[to].province == b) return true;
        }
    }
    // Routes are stored at both ends, but a one-sided entry still joins the two provinces.
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castleSites[c].province != b) continue;
        const CastleSite& s = w.castleSites[c];
        for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] >= 0; ++r) {
            const int to = s.routes[r];
            if (to < w.castleCount && w.castleSites[to].province == a) return true;
        }
    }
    return false;
}

std::string toggleResponsibleProvince(WorldState& w, int corps, int province) {
    if (!validCorps(corps) || province < 0 || province >= kNoProvince) return {};
    Corps& c = w.corps[corps];
    uint8_t* slots = c.provinces;
    for (int s = 0; s < Corps::kMaxProvinces; ++s) {
        if (slots[s] != province) continue;
        slots[s] = kNoProvince;
        // Prune: a province that has company but no route-adjacent partner among it goes, one at
        // a time from the last slot, until every remaining one has a partner.
        for (bool removed = true; removed;) {
            removed = false;
            for (int i = Corps::kMaxProvinces - 1; i >= 0 && !removed; --i) {
                if (slots[i] == kNoProvince) continue;
                bool others = false, partner = false;
                for (int j = 0; j < Corps::kMaxProvinces; ++j) {
                    if (j == i || slots[j] == kNoProvince) continue;
                    others = true;
                    partner = partner || provincesRouteAdjacent(w, slots[i], slots[j]);
                }
                if (others && !partner) {
                    slots[i] = kNoProvince;
                    removed = true;
                }
            }
        }
        return {};
    }
    for (int other : playerCorps(w))
        for (uint8_t p : w.corps[other].provinces)
            if (p == province) return "既に他の軍団の担当国です（重複指定不可）";
    bool any = false, adjacent = false;
    for (uint8_t p : c.provinces) {
        if (p == kNoProvince) continue;
        any = true;
        adjacent = adjacent || provincesRouteAdjacent(w, p, province);
    }
    if (any && !adjacent) return "城経路で隣接していない国は指定できません";
    for (uint8_t& p : c.provinces) {
        if (p != kNoProvince) continue;
        p = static_cast<uint8_t>(province);
        return {};
    }
    return "担当国は４カ国までしか指定できません";
}

bool toggleFiefCastle(WorldState& w, int corps, int castle) {
    if (!playerCorpsSlot(w, corps) || castle < 0 || castle >= w.castleCount) return false;
    Castle& k = w.castles[castle];
    if (k.owner != w.playerHouse) return false;
    if (k.corps == -1) {
        k.corps = static_cast<int16_t>(corps);
        k.lord = static_cast<int16_t>(w.corps[corps].leader);
        return true;
    }
    if (k.corps == corps) {
        k.corps = -1;
        k.lord = static_cast<int16_t>(w.houses[w.playerHouse].head);
        return true;
    }
    return false;
}

std::string giveCorpsFunds(WorldState& w, int corps, int amount) {
    if (!playerCorpsSlot(w, corps)) return "軍団を選択してください";
    DaimyoHouse& d = w.houses[w.playerHouse];
    if (d.funds <= 0) return "大名の資金がありません";
    if (amount < 0) return "マイナス値は無効です";
    amount = std::min(amount, d.funds);
    w.corps[corps].funds = addClamped(w.corps[corps].funds, amount);
    d.funds -= amount;
    return {};
}

std::string takeCorpsFunds(WorldState& w, int corps, int amount) {
    if (!playerCorpsSlot(w, corps)) return "軍団を選択してください";
    Corps& c = w.corps[corps];
    if (c.funds <= 0) return "軍団の資金がありません";
    if (amount < 0) return "マイナス値は無効です";
    amount = std::min(amount, c.funds);
    DaimyoHouse& d = w.houses[w.playerHouse];
    d.funds = addClamped(d.funds, amount);
    c.funds -= amount;
    return {};
}

std::string giveCorpsGuns(WorldState& w, int corps, int amount) {
    if (!playerCorpsSlot(w, corps)) return "軍団を選択してください";
    DaimyoHouse& d = w.houses[w.playerHouse];
    if (d.undeployedGuns <= 0) return "大名の未配備鉄砲がありません";
    if (amount < 0) return "マイナス値は無効です";
    const int unit = w.settings.heiUnit > 0 ? w.settings.heiUnit : 1;
    if (amount % unit != 0) return fillText("%dの倍数で指定してください", unit);
    const int units = std::min(amount / unit, d.undeployedGuns);
    w.corps[corps].undeployedGuns = addClamped(w.corps[corps].undeployedGuns, units);
    d.undeployedGuns -= units;
    return {};
}

} // namespace vh
