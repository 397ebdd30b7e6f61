// Trade ships: the dispatch routine (for a house or a corps account) with the fleet records it
// fills, ship building, and the lists of the player's windows 交易船派遣, 船舶建造 and 交易船一覧.
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

inline constexpr int kFleetSlots = 10;
inline constexpr int kMaxPortShips = 10;   // a port never builds past ten trade ships
inline constexpr int kShipPrice = 2000;    // building one trade ship
inline constexpr int kVoyagePrice = 1000;  // sending one ship to a partner
inline constexpr int kTrainingPrice = 100; // sending one ship on a training voyage
inline constexpr const char* kNotEnoughFunds = "資金が足りません";
inline constexpr const char* kNoShipsSent = "派遣交易船数が０です";
inline constexpr const char* kNoPortOrPartner = "出発港または派遣先が指定されていません";
inline constexpr const char* kNoShipsBuilt = "建造数が０です";
inline constexpr const char* kDispatchTooFar = "大名家当主の所在地から遠すぎるため、交易船派遣の指示ができま"
                                               "せん\n（当主と同じ国か、隣接国のみ指示可能です）";
inline constexpr const char* kBuildTooFar = "大名家当主の所在地から遠すぎるため、船舶建造の指示ができません\n"
                                            "（当主と同じ国か、隣接国のみ指示可能です）";

// Round-trip months of a partner from a province (signed; negative = not reachable).
int partnerMonths(const WorldState& w, int partner, int province);
// The months a fleet is away: the partner's months, at least one. A voyage written with 0 months
// (the training voyage everywhere) is sent in this month's phase and comes home at the next
// month's accounts, so it is recorded as one month; its length also counts for the skill gain.
int voyageLength(int months);
// The price of one ship on a voyage to the partner.
inline int voyagePrice(int partner) {
    return partner == 0 ? kTrainingPrice : kVoyagePrice;
}

// Ships of a port in its fleet slots, and those waiting in port (owned − at sea, not below 0).
int shipsOnVoyage(const Castle& k);
int waitingShips(const Castle& k);

// Sends `ships` ships of port `castle` to `partner` in the first free fleet slot, charging the
// house (corps -1) or the corps. Returns the slot used, or -1 when nothing was sent and nothing
// charged: all ten slots busy, not a port, no ships or more than wait in port, an unknown partner
// or one that cannot be reached from the port's province.
int dispatchTradeShips(WorldState& w, int house, int corps, int castle, int partner, int ships);

// How many ships may still be built at the port (10 − its trade ships, not below 0).
int buildRange(const Castle& k);
// Builds up to `ships` ships at the port (cut to the build range), charging 2000 each to the
// account. Returns the number built.
int buildTradeShips(WorldState& w, int house, int corps, int castle, int ships);

// The number a player may afford: the wanted number, or funds ÷ price when that is smaller
// (0 when funds are not positive).
int affordableCount(int wanted, int64_t funds, int price);

// The refusal before either window opens for the shown province, or empty.
std::string checkDispatchCommand(const WorldState& w, int province);
std::string checkBuildCommand(const WorldState& w, int province);

// The player's own ports of the province without besiegers, in castle order.
std::vector<int> portsOfProvince(const WorldState& w, int house, int province);

struct PartnerRow {
    int partner = 0;
    std::string name;       // UTF-8
    int months = 0;         // the voyage's length (see voyageLength)
    std::string monthsText; // "約%dヶ月"
    std::string friendship; // "%d%%", or "---" for the training voyage
};
// The partners the house may send to from the province: the training voyage always, then every
// partner reachable from it whose months × 100 do not pass the house's navigation skill.
std::vector<PartnerRow> partnersFrom(const WorldState& w, int house, int province);

// "%s 航海技術 %d".
std::string navigationLine(const WorldState& w, int house);

// The dispatch window's OK: the refusal, or empty when the fleet may go.
std::string checkDispatchOrder(int port, int partner, int ships);

struct FleetRow {
    int castle = -1;
    int slot = 0;
    std::string partner; // 派遣先
    int ships = 0;       // 交易船数
    std::string port;    // 出発港
    std::string returns; // 帰港予定 "%d年%d月"
};
// Every busy fleet slot of the house's ports, in castle and slot order.
std::vector<FleetRow> fleetRows(const WorldState& w, int house);
// The month a fleet comes home: now plus the months left, carried into the following years.
GameDate returnDate(const GameDate& now, int monthsLeft);

} // namespace vh
