// Figures and texts of the castle, house and general information.
#include "game/info_figures.h"

#include "context/game_text.h"
#include "world/castle_rules.h"

#include <cstdio>

namespace vh {

namespace {

const char* const kRelationNames[] = {"宿敵",         "---",          "不戦同盟", "従属",
                                      "主家(従属)",   "同主家(従属)", "臣従",     "主家(臣従)",
                                      "同主家(臣従)", "連合",         "連合盟主"};
const char* const kStatusNames[] = {"通常", "捕虜", "人質", "客将"};
const char* const kPartNames[kCastlePartCount] = {"本丸",   "二の丸", "三の丸", "西の丸", "北の丸",
                                                  "東の丸", "南の丸", "外堀",   "西出丸", "東出丸"};

bool validHouse(const WorldState& w, int h) {
    return h >= 0 && h < w.houseCount;
}

std::string generalName(const WorldState& w, int g) {
    return g >= 0 && g < w.generalCount ? nameText(w, w.generals[g].name) : std::string();
}

} // namespace

const char* relationName(int kind) {
    return kind >= 0 && kind <= 10 ? kRelationNames[kind] : "";
}

const char* statusName(int status) {
    return status >= 0 && status <= 3 ? kStatusNames[status] : "";
}

std::string percentTenthsText(int tenths) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%3d.%d%%", tenths / 10, (tenths < 0 ? -tenths : tenths) % 10);
    return buf;
}

std::string kokuSumText(long long koku) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%lld万%04lld石", koku / 10000, koku % 10000);
    return buf;
}

const char* castlePartName(int part) {
    return part >= 0 && part < kCastlePartCount ? kPartNames[part] : "";
}

int castlePartsShown(int size) {
    return size < 0 ? 0 : size > kCastlePartCount ? kCastlePartCount : size;
}

std::string castlePartText(int siegeProgress, int size, int part) {
    const int v = siegeProgress - (castlePartsShown(size) - 1 - part) * 100;
    if (v >= 100) return "陥落";
    return std::to_string(v < 0 ? 0 : v) + "%";
}

int shipsAtSea(const Castle& c) {
    int n = 0;
    for (const Voyage& v : c.voyages)
        n += v.ships;
    return n;
}

int shipsInPort(const Castle& c) {
    const int n = c.tradeShips - shipsAtSea(c);
    return n < 0 ? 0 : n;
}

int generalAge(const WorldState& w, const General& g) {
    if (g.flags & kFlagBirthUnknown) return -1;
    return w.date.year - g.birthYear;
}

std::string ageText(const WorldState& w, const General& g, bool hostageStyle) {
    const int age = w.date.year - g.birthYear;
    if (!(g.flags & kFlagBirthUnknown)) return std::to_string(age);
    return hostageStyle ? std::to_string(age) + "(?)" : "不詳";
}

std::string positionText(const WorldState& w, int general) {
    if (general < 0 || general >= w.generalCount) return {};
    const General& g = w.generals[general];
    if (g.corps >= 0 && g.corps < kMaxCorps && w.corps[g.corps].leader != -1) {
        const int leader = w.corps[g.corps].leader;
        if (leader == general) return "軍団長";
        return generalName(w, leader) + " 軍団";
    }
    if (validHouse(w, g.house) && w.houses[g.house].head == general) return "当主";
    if (g.status == kStatusGuest) return houseNameText(w, commandingHouse(w, g.house)) + " 客将";
    return {};
}

const char* actionText(const General& g) {
    if (!(g.flags & kFlagActed)) return "";
    if (g.moveTarget >= 0) return "移動中";
    if (g.sortieTarget >= 0) return "出陣";
    return "済";
}

bool showsActionColumn(const WorldState& w, int castle, bool besiegers) {
    if (castle < 0 || castle >= w.castleCount || !validHouse(w, w.playerHouse)) return false;
    const int player = commandingHouse(w, w.playerHouse);
    if (besiegers) {
        const int by = w.castles[castle].besiegedBy;
        return w.phase == kPhaseDiplomacy && validHouse(w, by) && commandingHouse(w, by) == player;
    }
    const int owner = w.castles[castle].owner;
    // The sortie phase too: its orders ("出陣") stand until the month's battles.
    const bool phaseShows = w.phase == kPhaseArmament || w.phase == kPhaseDiplomacy ||
                            w.phase == kPhaseDomestic || w.phase == kPhaseSortie;
    return phaseShows && validHouse(w, owner) && commandingHouse(w, owner) == player;
}

std::vector<int> houseGeneralList(const WorldState& w, int house, bool withVassals) {
    std::vector<int> out;
    if (!validHouse(w, house)) return out;
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if (r.status != kStatusOrdinary && r.status != kStatusGuest) continue;
        if (!validHouse(w, r.house)) continue;
        if (r.house == house ||
            (commandingHouse(w, r.house) == house && (withVassals || r.status == kStatusGuest)))
            out.push_back(g);
    }
    return out;
}

std::vector<int> heldCaptives(const WorldState& w, int house) {
    std::vector<int> out;
    if (!validHouse(w, house)) return out;
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if ((r.status == kStatusPrisoner || r.status == kStatusHostage) && r.holderHouse == house)
            out.push_back(g);
    }
    return out;
}

std::vector<HouseFigures> houseFigures(const WorldState& w) {
    std::vector<HouseFigures> out(w.houseCount > 0 ? w.houseCount : 0);
    const long long unit = w.settings.heiUnit;
    for (int c = 0; c < w.castleCount; ++c) {
        const Castle& k = w.castles[c];
        if (!validHouse(w, k.owner)) continue;
        HouseFigures& f = out[k.owner];
        ++f.castles;
        f.koku += k.yield;
        f.town += k.town;
        f.mines += k.mine;
        f.garrison += k.garrison * unit;
        f.shipsInPort += shipsInPort(k);
        f.shipsAtSea += shipsAtSea(k);
        const int side = commandingHouse(w, k.owner);
        if (validHouse(w, side)) out[side].kokuWithVassals += k.yield;
    }
    for (int h = 0; h < w.houseCount; ++h)
        if (w.houses[h].vassalState == 2) out[h].kokuWithVassals = out[h].koku;
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if (!validHouse(w, r.house)) continue;
        HouseFigures& f = out[r.house];
        ++f.generals;
        f.cavalry += r.cavalry * unit;
        f.foot += r.foot * unit;
        f.guns += r.guns * unit;
    }
    return out;
}

std::string lordLineText(const WorldState& w, int house) {
    if (!validHouse(w, house)) return {};
    const DaimyoHouse& h = w.houses[house];
    if (h.vassalState == 1) return houseNameText(w, h.lord) + "に従属";
    if (h.vassalState == 2) return houseNameText(w, h.lord) + "に臣従";
    return {};
}

} // namespace vh
