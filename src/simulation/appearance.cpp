// New men each month: waiting generals appear in their year, masterless generals turn to one of
// their refuge houses, and houses short of generals take on generic retainers.
#include "simulation/month_events.h"

#include "diplomacy/figures.h"
#include "context/game_text.h"
#include "simulation/event_support.h"
#include "simulation/player_dialogs.h"
#include "world/castle_rules.h"

#include <algorithm>
#include <cmath>

namespace vh {

namespace {

// The castle of a place (castle index, or province with bit 15): for a province the first castle
// of that province owned by `preferOwner`, else its first castle at all. -1 when none.
int castleOfPlace(const WorldState& w, int16_t place, int preferOwner) {
    const uint16_t raw = static_cast<uint16_t>(place);
    if (place >= 0) return place < w.castleCount ? place : -1;
    if (!(raw & kIndexFlag) || place == -1) return -1;
    const int province = raw & 0x7FFF;
    int any = -1;
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castleSites[c].province != province) continue;
        if (preferOwner >= 0 && w.castles[c].owner == preferOwner) return c;
        if (any < 0) any = c;
    }
    return any;
}

// A fresh active record from a waiting one: no corps, no orders, out of the field.
General activeRecord(const General& waiting, int house) {
    General g = waiting;
    g.house = static_cast<int16_t>(house);
    g.status = kStatusOrdinary;
    g.castle = -1;
    g.corps = -1;
    g.moveTarget = -1;
    g.sortieTarget = -1;
    g.flags &= kFlagBirthUnknown;
    return g;
}

// Adds the general and places him by the retreat rule from `start`; false (and nothing added)
// when no castle of his side takes him.
int placeNewGeneral(WorldState& w, const General& g, int start) {
    const int index = appendActiveGeneral(w, g);
    if (index < 0) return -1;
    if (!retreatGeneral(w, index, start, false)) {
        dropLastActiveGeneral(w);
        return -1;
    }
    return index;
}

enum class Waiting { Stays, Leaves };

void strikeRefuge(General& g, int slot) {
    std::copy(g.refugeHouses + slot + 1, g.refugeHouses + General::kRefugeSlots, g.refugeHouses + slot);
    g.refugeHouses[General::kRefugeSlots - 1] = -1;
}

// A masterless general picks one of his refuge houses, weighted by their koku.
Waiting seekLord(Game& game, General& rec) {
    WorldState& w = game.world;
    int n = 0;
    while (n < General::kRefugeSlots && rec.refugeHouses[n] >= 0 && rec.refugeHouses[n] < w.houseCount)
        ++n;
    // Nobody to turn to: he keeps waiting (the lists of later years may give him a lord).
    if (n == 0) return Waiting::Stays;
    int64_t koku[General::kRefugeSlots] = {};
    int64_t total = 0;
    for (int k = 0; k < n; ++k)
        total += koku[k] = kokuOf(w, rec.refugeHouses[k]);
    const double target = game.rng.unit() * static_cast<double>(total);
    int chosen = n - 1;
    int64_t running = 0;
    for (int k = 0; k < n; ++k) {
        running += koku[k];
        if (static_cast<double>(running) >= target) {
            chosen = k;
            break;
        }
    }
    const int house = rec.refugeHouses[chosen];
    if (!houseAlive(w, house)) return Waiting::Stays;
    // The table of active generals is full: nobody joins a house this month.
    if (w.generalCount >= kMaxGenerals) return Waiting::Stays;
    const bool player = house == livingPlayerHouse(w);
    if (player) {
        RoninRequest req;
        req.name = nameText(w, rec.name);
        req.age = w.date.year - rec.birthYear;
        req.ageUnknown = (rec.flags & kFlagBirthUnknown) != 0;
        req.valor = rec.valor;
        req.politics = rec.politics;
        req.intellect = rec.intellect;
        if (!askRoninService(game, req)) {
            strikeRefuge(rec, chosen);
            return Waiting::Stays;
        }
    }
    General g = activeRecord(rec, house);
    g.cavalry = g.foot = g.guns = 0;
    int start = -1;
    const int head = w.houses[house].head;
    if (head >= 0 && head < w.generalCount && w.generals[head].castle >= 0) {
        start = w.generals[head].castle;
    } else {
        std::vector<int> own = castlesOfHouse(w, house);
        if (!own.empty()) start = own[game.rng.below(static_cast<int>(own.size()))];
    }
    const int index = start >= 0 ? placeNewGeneral(w, g, start) : -1;
    if (index < 0) {
        if (player) game.notify("配備できる城が無いので、登用できません");
        return Waiting::Stays;
    }
    if (!player)
        game.notify(nameText(w, g.name) + "は" + houseNameText(w, house) + "を頼って家臣となりました");
    return Waiting::Leaves;
}

Waiting processWaiting(Game& game, General& rec) {
    WorldState& w = game.world;
    int house = -1;
    bool fromOwner = false;
    const uint16_t raw = static_cast<uint16_t>(rec.house);
    if (rec.house == kHouseRonin) {
        house = -1;
    } else if (raw & kIndexFlag) {
        // A house written in parentheses only counts while it stands.
        const int h = raw & 0x7FFF;
        house = houseAlive(w, h) ? h : -1;
    } else {
        house = rec.house < w.houseCount ? rec.house : -2;
    }
    if (house == -1) {
        const int c = castleOfPlace(w, rec.sortieTarget, -1);
        if (c >= 0 && w.castles[c].owner >= 0) {
            house = w.castles[c].owner;
            fromOwner = true;
        }
    }
    if (house == -1) return seekLord(game, rec);
    if (!houseAlive(w, house)) return Waiting::Stays;

    const int year = w.date.year, month = w.date.month;
    const int appearYear = rec.moveTarget;
    if (year < appearYear || w.generalCount >= kMaxGenerals) return Waiting::Stays;
    const double chance = year == appearYear ? 1.0 / (13 - month) : 1.0;
    if (game.rng.unit() > chance) return Waiting::Stays;
    const int place = castleOfPlace(w, rec.sortieTarget, house);
    if (place < 0) return Waiting::Stays;
    const int index = placeNewGeneral(w, activeRecord(rec, house), place);
    if (index < 0) return Waiting::Stays;
    const General& g = w.generals[index];
    const std::string who = nameText(w, g.name), where = nameText(w, w.castleSites[g.castle].name);
    if (fromOwner)
        game.notify(who + "が" + where + "に登場し、" + houseNameText(w, house) + "に仕官しました");
    else
        game.notify(who + "が" + where + "に登場しました");
    return Waiting::Leaves;
}

} // namespace

void appearWaitingGenerals(Game& game) {
    WorldState& w = game.world;
    if (isFirstScenarioMonth(w)) return;
    int i = 0;
    while (i < w.waitingCount) {
        if (processWaiting(game, w.waitingGenerals[i]) == Waiting::Stays) {
            ++i;
            continue;
        }
        std::copy(w.waitingGenerals.begin() + i + 1, w.waitingGenerals.begin() + w.waitingCount,
                  w.waitingGenerals.begin() + i);
        w.waitingGenerals[--w.waitingCount] = General{};
    }
}

void makeGenericRetainers(Game& game) {
    WorldState& w = game.world;
    if (!w.settings.bushouHojuu) return;
    std::vector<int> members(w.houseCount, 0);
    for (int i = 0; i < w.generalCount; ++i)
        if (w.generals[i].house >= 0 && w.generals[i].house < w.houseCount) ++members[w.generals[i].house];
    // Retainers appear in castles and change no owner: every house's castles from one pass.
    std::vector<std::vector<int>> castlesOf(w.houseCount);
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner >= 0 && w.castles[c].owner < w.houseCount) castlesOf[w.castles[c].owner].push_back(c);
    for (int h = 0; h < w.houseCount; ++h) {
        if (!houseAlive(w, h)) continue;
        const std::vector<int>& own = castlesOf[h];
        const int b = static_cast<int>(own.size());
        if (b == 0) continue;
        const int limit = std::min(50, static_cast<int>(std::pow(2.0 * b, 0.7)));
        if (members[h] >= limit || w.generalCount >= kMaxGenerals) continue;
        if (game.rng.unit() > 0.3) continue;
        // u can reach 1, which would name the castle one past the last.
        const int castle = own[std::min(b - 1, static_cast<int>(game.rng.unit() * b))];
        General g;
        setFieldText(g.name, houseSuffixedName(w, h, "郎党"));
        g.valor = g.politics = g.ambition = g.intellect = 1;
        g.loyalty = 10;
        g.birthYear = static_cast<int16_t>(w.date.year + static_cast<int>(game.rng.unit() * 15) - 40);
        g.lifeEnd = static_cast<int16_t>(g.birthYear + 60);
        g.flags = kFlagBirthUnknown;
        g.siegeStratagemPoints = static_cast<uint8_t>(static_cast<int>(game.rng.unit() * 20) * g.intellect);
        g.fieldStratagemPoints = static_cast<uint8_t>(static_cast<int>(game.rng.unit() * 20) * g.intellect);
        g.house = static_cast<int16_t>(h);
        g.castle = static_cast<int16_t>(castle);
        const int index = appendActiveGeneral(w, g);
        Castle& k = w.castles[castle];
        if (k.generalCount < Castle::kMaxGenerals) k.generals[k.generalCount++] = index;
        ++members[h];
        if (h == livingPlayerHouse(w))
            game.notify(nameText(w, w.castleSites[castle].name) + "に" + nameText(w, g.name) +
                        "が仕官しました");
    }
}

} // namespace vh
