// Remnants of destroyed houses rise against a rich castle of their old land, and the house's old
// retainers desert their new lords to join them.
#include "simulation/month_events.h"

#include "diplomacy/figures.h"
#include "diplomacy/relations.h"
#include "context/game_text.h"
#include "simulation/event_support.h"
#include "world/ranked_list.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

constexpr int kMaxDefectors = 19;

struct Candidate {
    int house;
    int castle;
};

void joinSiege(WorldState& w, int general, int castle) {
    General& g = w.generals[general];
    g.castle = static_cast<int16_t>(castle);
    g.flags |= kFlagInField;
    Castle& k = w.castles[castle];
    if (k.besiegerCount < Castle::kMaxGenerals) k.besiegers[k.besiegerCount++] = general;
}

int monthsUntilHarvest(int month) {
    const int m = 9 - month;
    return m < 1 ? m + 12 : m;
}

void rise(Game& game, int house, int castle, int strength) {
    WorldState& w = game.world;
    General g;
    setFieldText(g.name, houseSuffixedName(w, house, "残党"));
    g.valor = g.politics = g.ambition = g.loyalty = g.intellect = 3;
    g.birthYear = static_cast<int16_t>(w.date.year + static_cast<int>(game.rng.unit() * 15) - 40);
    g.lifeEnd = static_cast<int16_t>(g.birthYear + 60);
    g.flags = kFlagBirthUnknown;
    g.foot = static_cast<int16_t>(strength);
    g.house = static_cast<int16_t>(house);
    const int leader = appendActiveGeneral(w, g);
    if (leader < 0) return;
    joinSiege(w, leader, castle);

    DaimyoHouse& d = w.houses[house];
    d.head = leader;
    if (d.uprisingCount < 255) ++d.uprisingCount;
    for (int j = 0; j < w.houseCount; ++j)
        if (j != house) setPairKind(w, house, j, kRelNothing);
    d.vassalState = 0;
    d.lord = house;
    w.castles[castle].besiegedBy = static_cast<int16_t>(house);
    const int province = w.castleSites[castle].province;
    const std::string provinceName =
        province < w.provinceCount() ? toUtf8(fieldText(w.map.provinces[province].name), scenarioEncoding(w))
                                     : "";
    game.notify(houseNameText(w, house) + "の残党が蜂起し、" + provinceName + "の" +
                nameText(w, w.castleSites[castle].name) + "を襲撃しています");

    int64_t troops = int64_t{g.cavalry} * 3 + g.foot;
    int defectors = 0, heir = -1, heirRank = INT_MAX;
    for (int i = 0; i < w.generalCount && defectors < kMaxDefectors; ++i) {
        General& m = w.generals[i];
        if (i == leader || m.house < 0 || m.house >= w.houseCount || m.house == house) continue;
        if (m.status == kStatusPrisoner || m.status == kStatusHostage) continue;
        if (w.houses[m.house].head == i || leadsCorps(w, i) || !rankedHeirOf(w, m, house)) continue;
        const int former = m.house;
        detachFromCastleLists(w, i);
        m.house = static_cast<int16_t>(house);
        m.corps = -1;
        m.status = kStatusOrdinary;
        m.moveTarget = -1;
        m.sortieTarget = -1;
        m.flags &= ~kFlagActed;
        joinSiege(w, i, castle);
        game.notify(nameText(w, m.name) + "は" + houseNameText(w, former) + "を離反し、蜂起軍に合流しました");
        troops += int64_t{m.cavalry} * 3 + m.foot;
        ++defectors;
        const int rank = successionRankOf(w, m);
        if (rank < heirRank) {
            heir = i;
            heirRank = rank;
        }
    }
    if (heir >= 0) d.head = heir;
    const int64_t funds = troops * w.settings.heiUnit * monthsUntilHarvest(w.date.month);
    d.funds = static_cast<int32_t>(std::clamp<int64_t>(funds, INT_MIN, INT_MAX));
}

} // namespace

void remnantUprisings(Game& game) {
    WorldState& w = game.world;
    if (w.generalCount >= kMaxGenerals) return;
    // kokuOf of every house, and each house's first castles, from one pass over the castles.
    std::vector<long long> sums(std::max(0, w.houseCount), 0);
    // The phantom house of the watch mode never stood, so it never rises.
    const int houses = std::max(0, std::min(w.houseCount, w.scenarioHouseCount));
    std::vector<std::vector<int>> firstHeld(houses);
    for (int c = 0; c < w.castleCount; ++c) {
        const int o = w.castles[c].owner, first = w.castleSites[c].initialOwner;
        if (o >= 0 && o < w.houseCount) sums[o] += w.castles[c].yield;
        if (first >= 0 && first < houses) firstHeld[first].push_back(c);
    }
    std::vector<int> koku(sums.size());
    for (size_t h = 0; h < sums.size(); ++h)
        koku[h] = static_cast<int>(std::clamp<long long>(sums[h], INT_MIN, INT_MAX));
    std::vector<uint8_t> claimed(w.castleCount, 0);
    std::vector<Candidate> candidates;
    for (int h = 0; h < houses; ++h) {
        if (w.houses[h].head != -1) continue;
        if (w.houses[h].uprisingCount >= static_cast<int>(game.rng.unit() * 2) + 1) continue;
        int best = -1;
        for (int c : firstHeld[h]) {
            const Castle& k = w.castles[c];
            if (claimed[c] || k.besiegerCount != 0) continue;
            if (k.owner < 0 || k.owner >= w.houseCount) continue;
            if (best < 0 || koku[k.owner] > koku[w.castles[best].owner]) best = c;
        }
        if (best < 0) continue;
        claimed[best] = 1;
        candidates.push_back({h, best});
    }
    if (candidates.empty()) return;
    RankedList order(static_cast<int>(candidates.size()));
    for (int i = 0; i < static_cast<int>(candidates.size()); ++i)
        order.add(i, koku[w.castles[candidates[i].castle].owner]);
    order.sortDescending();
    order.shuffleTies(game.rng);
    for (int pos = 0; pos < order.size(); ++pos) {
        if (w.generalCount >= kMaxGenerals) break;
        const Candidate& cand = candidates[order.item(pos)];
        const Castle& k = w.castles[cand.castle];
        const int strength = static_cast<int>(game.rng.unit() * 200) + 100;
        const double chance = std::max(0.0, (500 - k.support) / 400.0 + 1) * 0.003;
        if (koku[k.owner] <= 149999 || castleDefenders(w, cand.castle) >= strength) continue;
        if (game.rng.unit() < chance) rise(game, cand.house, cand.castle, strength);
    }
}

} // namespace vh
