// Dispatch and building of trade ships, and the rows of the player's ship windows.
#include "economy/trade_ships.h"

#include "context/game_text.h"
#include "economy/economy_common.h"
#include "world/numeric.h"

#include <algorithm>
#include <cstdio>

namespace vh {

namespace {

std::string format(const char* f, int a) {
    char buf[128];
    std::snprintf(buf, sizeof buf, f, a);
    return buf;
}

bool isPort(const WorldState& w, int castle) {
    return castle >= 0 && castle < w.castleCount && w.castleSites[castle].hasPort;
}

std::string provinceGate(const WorldState& w, int province, const char* tooFar) {
    if (!validProvince(w, province)) return kChooseProvince;
    if (!withinHeadReach(w, w.playerHouse, province)) return tooFar;
    return {};
}

} // namespace

int partnerMonths(const WorldState& w, int partner, int province) {
    if (partner < 0 || partner >= w.tradePartnerCount || province < 0 || province >= kProvinceSlots)
        return -1;
    return signedMonths(w.tradePartners[partner].voyageMonths[province]);
}

int voyageLength(int months) {
    return std::max(1, months);
}

int shipsOnVoyage(const Castle& k) {
    int n = 0;
    for (const Voyage& v : k.voyages)
        n += v.ships;
    return n;
}

int waitingShips(const Castle& k) {
    return std::max(0, k.tradeShips - shipsOnVoyage(k));
}

int dispatchTradeShips(WorldState& w, int house, int corps, int castle, int partner, int ships) {
    if (!isPort(w, castle) || ships <= 0) return -1;
    Castle& k = w.castles[castle];
    if (ships > waitingShips(k)) return -1;
    const int months = partnerMonths(w, partner, w.castleSites[castle].province);
    // The training voyage goes from every port; a real partner only where it can be reached.
    if (partner < 0 || partner >= w.tradePartnerCount || (partner != 0 && months < 0)) return -1;
    for (int s = 0; s < kFleetSlots; ++s) {
        Voyage& v = k.voyages[s];
        if (v.ships != 0) continue;
        const int length = std::min(voyageLength(months), 255);
        v.ships = static_cast<uint8_t>(ships);
        v.destination = static_cast<uint8_t>(partner);
        v.monthsLeft = static_cast<uint8_t>(length);
        v.length = static_cast<uint8_t>(length);
        chargeAccount(w, house, corps, int64_t{ships} * voyagePrice(partner));
        return s;
    }
    return -1;
}

int buildRange(const Castle& k) {
    return std::max(0, kMaxPortShips - k.tradeShips);
}

int buildTradeShips(WorldState& w, int house, int corps, int castle, int ships) {
    if (!isPort(w, castle)) return 0;
    Castle& k = w.castles[castle];
    const int n = std::clamp(ships, 0, buildRange(k));
    if (n == 0) return 0;
    k.tradeShips = static_cast<uint8_t>(k.tradeShips + n);
    chargeAccount(w, house, corps, int64_t{n} * kShipPrice);
    return n;
}

int affordableCount(int wanted, int64_t funds, int price) {
    if (price <= 0 || int64_t{wanted} * price <= funds) return wanted;
    if (funds <= 0) return 0;
    return static_cast<int>(std::min<int64_t>(wanted, funds / price));
}

std::string checkDispatchCommand(const WorldState& w, int province) {
    return provinceGate(w, province, kDispatchTooFar);
}

std::string checkBuildCommand(const WorldState& w, int province) {
    return provinceGate(w, province, kBuildTooFar);
}

std::vector<int> portsOfProvince(const WorldState& w, int house, int province) {
    std::vector<int> out;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castleSites[c].province == province && w.castles[c].owner == house &&
            w.castleSites[c].hasPort && w.castles[c].besiegerCount == 0)
            out.push_back(c);
    return out;
}

std::vector<PartnerRow> partnersFrom(const WorldState& w, int house, int province) {
    std::vector<PartnerRow> out;
    const int skill = house >= 0 && house < w.houseCount ? w.houses[house].navigationSkill : 0;
    for (int p = 0; p < w.tradePartnerCount; ++p) {
        const int months = partnerMonths(w, p, province);
        if (p != 0 && (months < 0 || months * 100 > skill)) continue;
        PartnerRow r;
        r.partner = p;
        r.name = nameText(w, w.tradePartners[p].name);
        r.months = voyageLength(months);
        r.monthsText = format("約%dヶ月", r.months);
        r.friendship = p == 0 ? "---" : format("%d%%", w.tradePartners[p].friendship[house]);
        out.push_back(std::move(r));
    }
    return out;
}

std::string navigationLine(const WorldState& w, int house) {
    return houseNameText(w, house) + format(" 航海技術 %d", w.houses[house].navigationSkill);
}

std::string checkDispatchOrder(int port, int partner, int ships) {
    if (ships <= 0) return kNoShipsSent;
    if (port < 0 || partner < 0) return kNoPortOrPartner;
    return {};
}

GameDate returnDate(const GameDate& now, int monthsLeft) {
    const int total = now.month - 1 + monthsLeft;
    return {now.year + total / 12, total % 12 + 1};
}

std::vector<FleetRow> fleetRows(const WorldState& w, int house) {
    std::vector<FleetRow> out;
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != house || !w.castleSites[c].hasPort) continue;
        for (int s = 0; s < kFleetSlots; ++s) {
            const Voyage& v = w.castles[c].voyages[s];
            if (v.ships == 0) continue;
            FleetRow r;
            r.castle = c;
            r.slot = s;
            r.partner =
                v.destination < w.tradePartnerCount ? nameText(w, w.tradePartners[v.destination].name) : "";
            r.ships = v.ships;
            r.port = nameText(w, w.castleSites[c].name);
            const GameDate d = returnDate(w.date, v.monthsLeft);
            r.returns = formatYear(d.year) + format("年%d月", d.month);
            out.push_back(std::move(r));
        }
    }
    return out;
}

} // namespace vh
