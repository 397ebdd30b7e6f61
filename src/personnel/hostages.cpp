// Hostages handed over, raised as guests, or sent home.
#include "personnel/hostages.h"

#include "diplomacy/diplomacy_text.h"
#include "diplomacy/relations.h"
#include "personnel/guests.h"
#include "personnel/prisoners.h"
#include "simulation/event_support.h"
#include "simulation/player_dialogs.h"
#include "world/castle_rules.h"

#include <algorithm>

namespace vh {

namespace {

bool validGeneral(const WorldState& w, int g) {
    return g >= 0 && g < w.generalCount;
}

bool isHostage(const General& g) {
    return g.status == kStatusHostage && g.house == kHouseHeld;
}

int ageOf(const WorldState& w, const General& g) {
    return w.date.year - g.birthYear;
}

// The waiting record's own house (parentheses removed), or -1 for a masterless one.
int waitingHouse(const General& g) {
    if (g.house == kHouseRonin || g.house == -1) return -1;
    return static_cast<uint16_t>(g.house) & 0x7FFF;
}

// At most `limit` bytes of `name`, never splitting a two-byte character.
std::string cutName(const std::string& name, size_t limit, bool gb2312) {
    size_t i = 0;
    while (i < name.size()) {
        const auto b = static_cast<unsigned char>(name[i]);
        const bool lead = gb2312 ? b >= 0xA1 : ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
        const size_t step = lead ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return name.substr(0, i);
}

// The record of a new heir when the house has no ranked heir to give. Draws: his birth year,
// then his appearance castle.
General newHeir(Game& game, int giver) {
    WorldState& w = game.world;
    General g;
    const std::string name =
        cutName(std::string(fieldText(w.houses[giver].name)), 15, w.settings.language == 1) +
        fromUtf8(" 世嗣", scenarioEncoding(w));
    setFieldText(g.name, name);
    g.valor = g.politics = g.ambition = g.loyalty = g.intellect = 3;
    g.birthYear = static_cast<int16_t>(w.date.year - 1 - static_cast<int>(12 * game.rng.unit()));
    g.lifeEnd = static_cast<int16_t>(g.birthYear + 60);
    g.flags = kFlagBirthUnknown;
    g.entry = -1;
    g.moveTarget = static_cast<int16_t>(g.birthYear + 17);
    const std::vector<int> own = castlesOfHouse(w, giver);
    if (!own.empty())
        g.sortieTarget = static_cast<int16_t>(own[game.rng.below(static_cast<int>(own.size()))]);
    else if (w.castleCount > 0)
        g.sortieTarget = static_cast<int16_t>(game.rng.below(w.castleCount));
    return g;
}

// The computer's choice: the least able candidate, the first among equals.
int leastAble(const WorldState& w, const std::vector<int>& candidates) {
    int best = -1, bestScore = 0;
    for (size_t k = 0; k < candidates.size(); ++k) {
        const General& g = w.waitingGenerals[candidates[k]];
        const int score = g.valor * 10 + g.intellect * 10 + g.politics;
        if (best < 0 || score < bestScore) {
            best = static_cast<int>(k);
            bestScore = score;
        }
    }
    return best;
}

HostageCandidateRow candidateRow(const WorldState& w, const General& g) {
    return {nameText(w, g.name), ageOf(w, g), (g.flags & kFlagBirthUnknown) != 0, g.valor,
            g.politics,          g.intellect};
}

} // namespace

std::vector<int> hostageCandidates(const WorldState& w, int giver) {
    std::vector<int> out;
    if (w.generalCount >= kMaxGenerals) return out;
    for (int i = 0; i < w.waitingCount; ++i) {
        const General& g = w.waitingGenerals[i];
        const int age = ageOf(w, g);
        if (waitingHouse(g) == giver && rankedHeirOf(w, g, giver) && age >= 1 && age <= 18) out.push_back(i);
    }
    return out;
}

int takeHostage(Game& game, int receiver, int giver) {
    WorldState& w = game.world;
    if (giver < 0 || giver >= w.houseCount || receiver < 0 || receiver >= w.houseCount) return -1;
    // No room for another active general: neither an heir nor a new one can be handed over, so
    // the demand counts as refused.
    if (w.generalCount >= kMaxGenerals) return -1;
    const std::vector<int> candidates = hostageCandidates(w, giver);
    int choice = leastAble(w, candidates); // -1: the new heir
    if (giver == livingPlayerHouse(w) && game.frontend && !game.quietMode) {
        HostageRequest request;
        request.demandingHouse = houseNameText(w, receiver);
        for (int i : candidates)
            request.rows.push_back(candidateRow(w, w.waitingGenerals[i]));
        if (candidates.empty()) {
            HostageCandidateRow heir;
            heir.name = houseNameText(w, giver) + " 世嗣";
            heir.age = -1; // born only once he is chosen
            heir.valor = heir.politics = heir.intellect = 3;
            heir.ageUnknown = true;
            request.rows.push_back(heir);
        }
        request.automaticChoice = std::max(choice, 0);
        const int row = game.frontend->chooseHostage(request);
        if (row < 0 || row >= static_cast<int>(request.rows.size())) return -1;
        choice = candidates.empty() ? -1 : row;
    }

    General g;
    if (choice >= 0) {
        const int index = candidates[choice];
        g = w.waitingGenerals[index];
        std::copy(w.waitingGenerals.begin() + index + 1, w.waitingGenerals.begin() + w.waitingCount,
                  w.waitingGenerals.begin() + index);
        w.waitingGenerals[--w.waitingCount] = General{};
    } else {
        g = newHeir(game, giver);
    }
    const int head = w.houses[giver].head;
    g.corps = -1;
    g.house = kHouseHeld;
    g.status = kStatusHostage;
    g.holderHouse = static_cast<int16_t>(receiver);
    g.originHouse = static_cast<int16_t>(giver);
    g.castle = static_cast<int16_t>(validGeneral(w, head) ? w.generals[head].castle : 0);
    g.flags &= ~(kFlagActed | kFlagInField | kFlagAwaitingPlacement);
    g.cavalry = g.foot = g.guns = 0;
    return appendActiveGeneral(w, g);
}

std::vector<int> hostagesHeldBy(const WorldState& w, int holder) {
    std::vector<int> out;
    for (int i = 0; i < w.generalCount; ++i)
        if (isHostage(w.generals[i]) && w.generals[i].holderHouse == holder) out.push_back(i);
    return out;
}

std::string checkComingOfAge(const WorldState& w, int hostage) {
    if (!validGeneral(w, hostage)) return {};
    const General& h = w.generals[hostage];
    const int origin = h.originHouse;
    const bool vassal = origin >= 0 && origin < w.houseCount && origin != w.playerHouse &&
                        commandingHouse(w, origin) == w.playerHouse;
    if (!vassal) return "臣従大名家以外の人質を元服させることはできません";
    if (ageOf(w, h) < 15) return "15歳未満は元服できません";
    return {};
}

std::string comingOfAgeQuestion(const WorldState& w, int hostage) {
    const General& h = w.generals[hostage];
    const std::string house = houseNameText(w, h.originHouse), name = generalNameText(w, hostage);
    const int guest = guestOf(w, h.originHouse);
    if (guest >= 0)
        return fillText(
            "%s からは既に %s を客将として迎えています（一つの臣従大名家からは一人の客将のみ）\n%s "
            "を元服させて客将交代させますか？",
            house.c_str(), generalNameText(w, guest).c_str(), name.c_str());
    return fillText("%s の %s を元服させて客将に取立てます", house.c_str(), name.c_str());
}

void comeOfAge(Game& game, int hostage) {
    WorldState& w = game.world;
    if (!validGeneral(w, hostage) || !isHostage(w.generals[hostage])) return;
    General& h = w.generals[hostage];
    h.house = h.originHouse;
    h.cavalry = h.foot = h.guns = 0;
    makeGuest(game, hostage);
}

std::string checkReturnHostage(const WorldState& w, int hostage) {
    if (!validGeneral(w, hostage)) return {};
    const General& h = w.generals[hostage];
    if (!houseAlive(w, h.originHouse)) return "滅亡した大名家の武将なので返還できません";
    // The waiting table has no room for him: sending him would lose him.
    if (w.waitingCount >= kMaxGenerals)
        return fillText("待機中の武将が多すぎるため、%s を返還できません",
                        generalNameText(w, hostage).c_str());
    return {};
}

std::string returnHostageQuestion(const WorldState& w, int hostage) {
    return fillText("%s を %s に返還します", generalNameText(w, hostage).c_str(),
                    houseNameText(w, w.generals[hostage].originHouse).c_str());
}

bool returnHostage(Game& game, int hostage) {
    WorldState& w = game.world;
    if (!validGeneral(w, hostage) || !isHostage(w.generals[hostage])) return false;
    if (!checkReturnHostage(w, hostage).empty()) return false;
    General copy = w.generals[hostage];
    copy.house = copy.originHouse;
    copy.status = kStatusOrdinary;
    copy.castle = -1;
    copy.corps = -1;
    w.waitingGenerals[w.waitingCount++] = copy;
    w.generals[hostage].house = kHouseLost;
    return true;
}

} // namespace vh
