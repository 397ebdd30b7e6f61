// Ainu trade along borders and the homecoming of trade fleets.
#include "simulation/trade_income.h"

#include "world/castle_scope.h"
#include "context/game_text.h"
#include "simulation/player_dialogs.h"
#include "world/numeric.h"

#include <algorithm>
#include <vector>

namespace vh {

namespace {

bool tradesWithAinu(int kind) {
    return kind == kRelPact || kind == kRelHasSubordinate || kind == kRelHasSubmitted;
}

// Which houses border `target` (a castle route between their castles) and which hold a castle in a
// province where `target` holds one.
struct Contacts {
    std::vector<uint8_t> borders;
    std::vector<uint8_t> shareProvince;
};

Contacts contactsOf(const WorldState& w, int target) {
    Contacts ct{std::vector<uint8_t>(w.houseCount, 0), std::vector<uint8_t>(w.houseCount, 0)};
    std::vector<uint8_t> provinces(kProvinceSlots, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != target) continue;
        provinces[w.castleSites[c].province] = 1;
        const CastleSite& s = w.castleSites[c];
        for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] != -1; ++r) {
            int n = s.routes[r];
            if (n < 0 || n >= w.castleCount) continue;
            int o = w.castles[n].owner;
            if (o >= 0 && o < w.houseCount && o != target) ct.borders[o] = 1;
        }
    }
    for (int c = 0; c < w.castleCount; ++c) {
        int o = w.castles[c].owner;
        if (o >= 0 && o < w.houseCount && provinces[w.castleSites[c].province]) ct.shareProvince[o] = 1;
    }
    return ct;
}

} // namespace

std::vector<AinuTradeShare> ainuTradeShares(const WorldState& w, int house) {
    const DaimyoHouse& self = w.houses[house];
    std::vector<AinuTradeShare> shares;
    if (self.kind != kHouseAinu) {
        for (int i = 0; i < w.houseCount; ++i) {
            if (i == house || !houseAlive(w, i) || w.houses[i].kind != kHouseAinu) continue;
            if (!tradesWithAinu(relationKind(self, i))) continue;
            Contacts ct = contactsOf(w, i);
            if (!ct.borders[house]) continue;
            // The Ainu house shares its trade among every friendly neighbour; a neighbour in a
            // common province weighs three.
            int m = 0;
            for (int j = 0; j < w.houseCount; ++j) {
                if (j == i || !houseAlive(w, j) || !ct.borders[j]) continue;
                if (!tradesWithAinu(relationKind(w.houses[j], i))) continue;
                m += ct.shareProvince[j] ? 3 : 1;
            }
            shares.push_back({m, ct.shareProvince[house] ? 3 : 1});
        }
        return shares;
    }
    // An Ainu house trades with its first friendly neighbour only, at half the value.
    Contacts ct = contactsOf(w, house);
    for (int i = 0; i < w.houseCount; ++i) {
        if (!houseAlive(w, i) || w.houses[i].kind == kHouseAinu) continue;
        if (!tradesWithAinu(relationKind(self, i)) || !ct.borders[i]) continue;
        shares.push_back({2, 1});
        break;
    }
    return shares;
}

int drawAinuTrade(const std::vector<AinuTradeShare>& shares, Random& rng) {
    int amount = 0;
    for (const AinuTradeShare& s : shares) {
        const double u = rng.unit();
        amount = static_cast<int>((2500 + u * 500) / s.divisor * s.weight);
    }
    return amount;
}

int ainuTradeIncome(Game& game, int house) { return drawAinuTrade(ainuTradeShares(game.world, house), game.rng); }

int tradeShipIncome(Game& game, int house, int corps, int monthsAhead, bool preview,
                    const std::vector<int>* castles) {
    WorldState& w = game.world;
    int total = 0;
    forCastlesIn(w, castles, [&](int c) {
        Castle& k = w.castles[c];
        if (k.owner != house || k.corps != corps || !w.castleSites[c].hasPort) return;
        for (Voyage& v : k.voyages) {
            if (v.ships == 0 || v.monthsLeft != monthsAhead) continue;
            const bool known = v.destination < w.tradePartnerCount;
            const int value = known ? w.tradePartners[v.destination].shipValue : 0;
            double gain = static_cast<double>(v.ships) * value;
            if (!preview) gain *= 0.8 + game.rng.unit() * 0.4;
            const int gained = static_cast<int>(gain);
            total += gained;
            if (preview) continue;
            // Only a real homecoming is announced, never a forecast.
            if (house == w.playerHouse) {
                TradeShipReturn msg;
                msg.destination = known ? nameText(w, w.tradePartners[v.destination].name) : "";
                msg.castle = nameText(w, w.castleSites[c].name);
                msg.ships = v.ships;
                msg.gain = gained;
                msg.training = v.destination == 0;
                announceTradeShipReturn(game, msg);
            }
            DaimyoHouse& d = w.houses[house];
            d.navigationSkill =
                static_cast<int16_t>(std::min(10000, d.navigationSkill + v.length * 2 * v.ships));
            if (known) {
                uint8_t& f = w.tradePartners[v.destination].friendship[house];
                f = static_cast<uint8_t>(std::min(100, f + roundHalfAway(v.ships * (1 + game.rng.unit()))));
            } else {
                game.rng.unit(); // the draw is taken all the same, keeping the sequence
            }
            v.ships = 0;
        }
    });
    return total;
}

} // namespace vh
