// The rows of the personnel dialogs and the gates of the 人事 commands.
#include "personnel/personnel_lists.h"

#include "diplomacy/diplomacy_text.h"
#include "personnel/corps.h"
#include "personnel/hostages.h"
#include "personnel/prisoners.h"
#include "world/castle_rules.h"
#include "world/numeric.h"

#include <algorithm>

namespace vh {

namespace {

std::string provinceText(const WorldState& w, int province) {
    if (province < 0 || province >= w.provinceCount()) return {};
    return nameText(w, w.map.provinces[province].name);
}

bool headOf(const WorldState& w, int house, int general) {
    return house >= 0 && house < w.houseCount && w.houses[house].head == general;
}

const char* statusName(int status) {
    switch (status) {
    case kStatusPrisoner:
        return "捕虜";
    case kStatusHostage:
        return "人質";
    case kStatusGuest:
        return "客将";
    default:
        return "通常";
    }
}

} // namespace

GeneralRow generalRow(const WorldState& w, int general, bool corpsRanks) {
    const General& g = w.generals[general];
    GeneralRow r;
    r.general = general;
    r.name = generalNameText(w, general);
    if (g.castle >= 0 && g.castle < w.castleCount) {
        r.castle = nameText(w, w.castleSites[g.castle].name);
        r.province = provinceText(w, w.castleSites[g.castle].province);
    }
    r.house = houseNameText(w, g.house);
    if (headOf(w, g.house, general))
        r.rank = "当主";
    else if (corpsRanks && g.corps >= 0 && g.corps < kMaxCorps && w.corps[g.corps].leader == general)
        r.rank = "軍団長";
    else if (!corpsRanks && g.status == kStatusGuest)
        r.rank = "客将";
    r.age = listedAge(w, g);
    const int unit = w.settings.heiUnit;
    r.cavalry = g.cavalry * unit;
    r.foot = g.foot * unit;
    r.guns = g.guns * unit;
    r.valor = g.valor;
    r.politics = g.politics;
    r.intellect = g.intellect;
    return r;
}

std::vector<GeneralRow> directGeneralRows(const WorldState& w) {
    std::vector<GeneralRow> rows;
    for (int i = 0; i < w.generalCount; ++i)
        if (onPlayerSide(w, i) && w.generals[i].corps == -1) rows.push_back(generalRow(w, i, false));
    return rows;
}

std::vector<GeneralRow> corpsGeneralRows(const WorldState& w, int corps) {
    std::vector<GeneralRow> rows;
    if (corps < 0 || corps >= kMaxCorps) return rows;
    for (int i = 0; i < w.generalCount; ++i)
        if (onPlayerSide(w, i) && w.generals[i].corps == corps) rows.push_back(generalRow(w, i, true));
    return rows;
}

void sortGeneralRows(const WorldState& w, std::vector<GeneralRow>& rows, int column) {
    auto castleOf = [&](const GeneralRow& r) { return static_cast<int>(w.generals[r.general].castle); };
    auto key = [&](const GeneralRow& r) -> long long {
        const General& g = w.generals[r.general];
        switch (column) {
        case kColName:
            return (g.house == w.playerHouse ? 0LL : 1LL << 32) + r.general;
        case kColProvince: // castle order puts a province's castles together as the map does
        case kColCastle:
            return castleOf(r);
        case kColHouse:
            return g.house;
        case kColRank:
            return r.rank == "当主" ? 0 : (r.rank.empty() ? 2 : 1);
        case kColAge: // youngest first; an unknown age last
            return r.age < 0 ? 1LL << 40 : r.age;
        case kColCavalry:
            return -r.cavalry;
        case kColFoot:
            return -r.foot;
        case kColGuns:
            return -r.guns;
        case kColValor:
            return -r.valor;
        case kColPolitics:
            return -r.politics;
        case kColIntellect:
            return -r.intellect;
        default:
            return r.general;
        }
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const GeneralRow& a, const GeneralRow& b) { return key(a) < key(b); });
}

const char* corpsActionName(int action) {
    switch (action & 3) {
    case kCorpsInvade:
        return "侵攻";
    case kCorpsDomestic:
        return "内政";
    case kCorpsInvadeDomestic:
        return "侵攻・内政";
    default:
        return "待機";
    }
}

std::vector<CorpsRow> corpsRows(const WorldState& w) {
    std::vector<CorpsRow> rows;
    for (int c : playerCorps(w)) {
        const Corps& k = w.corps[c];
        CorpsRow r;
        r.corps = c;
        r.name = generalNameText(w, k.leader) + " 軍団";
        for (int i = 0; i < w.generalCount; ++i)
            if (onPlayerSide(w, i) && w.generals[i].corps == c) ++r.generals;
        r.funds = k.funds;
        r.guns = k.undeployedGuns * w.settings.heiUnit;
        long long koku = 0;
        for (int i = 0; i < w.castleCount; ++i) {
            if (w.castles[i].corps != c || w.castles[i].owner != k.house) continue;
            ++r.castles;
            koku += w.castles[i].yield;
        }
        r.koku = static_cast<int>(std::min<long long>(koku, 2147483647LL));
        r.kokuText = formatKoku(r.koku);
        r.action = corpsActionName(corpsAction(k));
        for (uint8_t p : k.provinces)
            if (p != kNoProvince) r.provinces += provinceText(w, p);
        rows.push_back(std::move(r));
    }
    return rows;
}

HeldRow heldRow(const WorldState& w, int general) {
    const General& g = w.generals[general];
    HeldRow r;
    r.general = general;
    r.name = generalNameText(w, general);
    r.status = statusName(g.status);
    r.house = houseNameText(w, g.originHouse);
    // A captured head leaves his house headless until the month's succession; he still counts
    // as its head (his refusal counter marks him) while nobody has taken his place.
    r.head = headOf(w, g.originHouse, general) ||
             (g.refusalCounter == 127 && g.originHouse >= 0 && g.originHouse < w.houseCount &&
              w.houses[g.originHouse].head < 0);
    r.age = listedAge(w, g);
    r.valor = g.valor;
    r.politics = g.politics;
    r.intellect = g.intellect;
    r.willing = canRecruit(w, general);
    return r;
}

std::string checkTreatPrisoners(const WorldState& w) {
    return prisonersHeldBy(w, w.playerHouse).empty() ? "現在、当家には捕虜がいません" : "";
}

std::string checkTreatHostages(const WorldState& w) {
    return hostagesHeldBy(w, w.playerHouse).empty() ? "現在、当家には人質がいません" : "";
}

std::string exchangeListCaption(const WorldState& w, int holder, int origin) {
    return withHouses(w, "%s が拘束中の %s 武将", holder, origin);
}

} // namespace vh
