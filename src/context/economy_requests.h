// What the firearms month shows the player: the guns that reached the house (鉄砲入手), as plain
// data for the Frontend.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vh {

// The 鉄砲入手 window ("鉄砲を入手しました"): production and market deliveries of the month, in 挺.
struct GunDelivery {
    int produced = 0;                                // guns from production, 0 when none
    std::vector<std::pair<std::string, int>> bought; // market name (UTF-8) and guns
    int undeployed = 0;                              // the house's undeployed guns afterwards

    // The lines of the window in order: production, each market, then the new stock.
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        if (produced > 0) out.push_back(std::to_string(produced) + "挺の鉄砲を生産しました");
        for (const auto& [market, guns] : bought)
            out.push_back(market + "から" + std::to_string(guns) + "挺の鉄砲を調達しました");
        out.push_back("未配備鉄砲数が " + std::to_string(undeployed) + "挺 になりました");
        return out;
    }
};

} // namespace vh
