// The main window's display rules: colours, captions, ranking and summaries, free of any toolkit.
#include "game/display_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vh {

namespace {

const char* const kPhaseNames[] = {"イベント", "人事", "軍備", "外交", "内政", "戦略",
                                   "出陣",     "通常", "捕虜", "人質", "客将"};

// Rows: phases 1..6; columns: buttons 1..9 (10..12 never have a caption).
const char* const kCaptions[6][9] = {
    {"捕虜処遇", "捕虜交換", "客将招請", "人質処遇", nullptr, nullptr, nullptr, nullptr, nullptr},
    {"徴兵", "鉄砲配備", "城普請", "城兵糧補充", "軍団編成", "軍団指示", "軍団所領", "軍団資産", nullptr},
    {"不戦同盟交渉", "従属要求", "臣従要求", "外交関係破棄", "独立", "主家鞍替", "従属志願", "臣従志願",
     "連合結成"},
    {"楽市楽座", "新田開墾", "鉱山開発", "船舶建造", "交易船派遣", "鉄砲生産", "鉄砲購入", nullptr, nullptr},
    {"武将移動", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"出陣", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

const Rgb kOwnShades[4] = {{50, 50, 255}, {120, 120, 255}, {190, 190, 255}, {255, 255, 255}};
const Rgb kRankColours[5] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0}, {255, 0, 255}};
constexpr Rgb kUnowned{128, 128, 128};

bool validHouse(const WorldState& w, int h) {
    return h >= 0 && h < kMaxHouses && h < std::max(w.houseCount, 1);
}

} // namespace

const char* phaseName(int index) {
    if (index < 0 || index > 10) return "";
    return kPhaseNames[index];
}

const char* commandCaption(int phase, int button) {
    if (phase < 1 || phase > 6 || button < 1 || button > 9) return nullptr;
    return kCaptions[phase - 1][button - 1];
}

int sideOf(const WorldState& w, int house) {
    if (house < 0 || house >= kMaxHouses) return house;
    const DaimyoHouse& h = w.houses[house];
    return h.vassalState == 2 ? h.lord : house;
}

Rgb ownDotShade(int pulseCounter) {
    static const int kSequence[kPulseSteps] = {0, 1, 2, 3, 2, 1};
    return kOwnShades[kSequence[std::abs(pulseCounter) % kPulseSteps]];
}

Rgb houseColour(const WorldState& w, int owner, CastleMark mark, int pulseCounter) {
    const int player = w.playerHouse;
    if (!validHouse(w, owner) || !validHouse(w, player)) return kUnowned;
    const bool dot = mark == CastleMark::Dot;
    if (owner == player) return dot ? ownDotShade(pulseCounter) : Rgb{60, 70, 255};
    const DaimyoHouse& me = w.houses[player];
    switch (relationKind(me, owner)) {
    case 0:
        return {150, 0, 0};
    case 2:
        return dot ? Rgb{50, 255, 50} : Rgb{50, 200, 50};
    case 3:
    case 4:
    case 5:
        return dot ? Rgb{255, 255, 30} : Rgb{200, 200, 30};
    case 6:
    case 7:
    case 8:
        return {20, 20, 160};
    case 9:
    case 10:
        return {255, 160, 30};
    default: {
        // No agreement: darker when we are sworn enemies of the side the owner stands on.
        const int side = sideOf(w, owner);
        if (validHouse(w, side) && side != player && relationKind(me, side) == 0) return {150, 0, 0};
        return {255, 50, 50};
    }
    }
}

Rgb castleColour(const WorldState& w, int castle, CastleMark mark, int pulseCounter) {
    if (castle < 0 || castle >= w.castleCount) return kUnowned;
    return houseColour(w, w.castles[castle].owner, mark, pulseCounter);
}

std::vector<RankedHouse> rankHouses(const WorldState& w) {
    std::vector<int> own(w.houseCount, 0), withVassals(w.houseCount, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        const Castle& k = w.castles[c];
        if (k.owner < 0 || k.owner >= w.houseCount) continue;
        own[k.owner] += k.yield;
        const int side = sideOf(w, k.owner);
        if (side >= 0 && side < w.houseCount) withVassals[side] += k.yield;
    }
    std::vector<RankedHouse> out;
    for (int h = 0; h < w.houseCount; ++h) {
        if (!houseAlive(w, h)) continue;
        const bool submitted = w.houses[h].vassalState == 2;
        out.push_back({h, submitted ? own[h] : withVassals[h], submitted});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const RankedHouse& a, const RankedHouse& b) { return a.koku > b.koku; });
    return out;
}

Rgb rankColour(int row) {
    return row >= 0 && row < 5 ? kRankColours[row] : Rgb{255, 0, 0};
}

Rgb colourCodingColour(const WorldState& w, int castle, const std::vector<RankedHouse>& ranking) {
    if (castle < 0 || castle >= w.castleCount) return kUnowned;
    const int side = sideOf(w, w.castles[castle].owner);
    for (int i = 0; i < 5 && i < static_cast<int>(ranking.size()); ++i)
        if (ranking[i].house == side) return kRankColours[i];
    return {255, 0, 0};
}

PlayerFigures playerFigures(const WorldState& w) {
    PlayerFigures f;
    const int p = w.playerHouse;
    if (p < 0 || p >= kMaxHouses) return f;
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != p) continue;
        f.koku += w.castles[c].yield;
        ++f.castles;
    }
    f.funds = w.houses[p].funds;
    return f;
}

ProvinceSummary provinceSummary(const WorldState& w, int province) {
    ProvinceSummary s;
    if (province < 0 || province >= kProvinceSlots) return s;
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castleSites[c].province != province) continue;
        const Castle& k = w.castles[c];
        s.koku += k.yield;
        s.economy += k.town;
        s.mines += k.mine;
        if (w.castleSites[c].hasPort) ++s.ports;
        ++s.castles;
    }
    if (province < static_cast<int>(w.gunProduction.size()))
        s.gunProduction = w.gunProduction[province].current != 0;
    return s;
}

std::string formatHeaderDate(int year, int month) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%4d年%2d月", year < 0 ? "B.C." : "", std::abs(year), month);
    return buf;
}

bool provinceHasCastle(const WorldState& w, int province) {
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castleSites[c].province == province) return true;
    return false;
}

} // namespace vh
