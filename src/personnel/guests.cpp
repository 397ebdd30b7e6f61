// Guest generals: made by invitation, by a hostage's coming of age, and by the computer houses'
// 人事 step.
#include "personnel/guests.h"

#include "computer/house_index.h"
#include "diplomacy/diplomacy_text.h"
#include "diplomacy/relations.h"
#include "personnel/prisoners.h"
#include "simulation/event_support.h"
#include "world/castle_rules.h"

#include <algorithm>

namespace vh {

namespace {

bool validGeneral(const WorldState& w, int g) {
    return g >= 0 && g < w.generalCount;
}

// A submitted vassal of `lord` (not the lord itself).
bool submittedVassalOf(const WorldState& w, int house, int lord) {
    if (house < 0 || house >= w.houseCount || house == lord) return false;
    // commandingHouse(house) == lord for another house means submitted to that lord.
    const DaimyoHouse& d = w.houses[house];
    return d.vassalState == 2 && d.lord == lord && houseAlive(w, house);
}

bool heldPrisonerOf(const General& g, int holder) {
    return g.status == kStatusPrisoner && g.house == kHouseHeld && g.holderHouse == holder;
}

bool headOfHouse(const WorldState& w, int general) {
    const int house = w.generals[general].house;
    return house >= 0 && house < w.houseCount && w.houses[house].head == general;
}

// Enters the general in his castle's garrison, or places him by the retreat rule when the list
// is full, his castle is gone or it has passed to another side since he was handed over.
void placeAtCastle(WorldState& w, int general) {
    General& g = w.generals[general];
    g.flags &= ~kFlagInField;
    if (g.castle >= 0 && g.castle < w.castleCount &&
        commandingHouse(w, w.castles[g.castle].owner) == commandingHouse(w, g.house)) {
        Castle& k = w.castles[g.castle];
        for (int i = 0; i < k.generalCount; ++i)
            if (k.generals[i] == general) return;
        if (k.generalCount < Castle::kMaxGenerals) {
            k.generals[k.generalCount++] = general;
            return;
        }
    }
    retreatGeneral(w, general, g.castle >= 0 && g.castle < w.castleCount ? g.castle : 0, false);
}

} // namespace

int guestOf(const WorldState& w, int house) {
    if (house < 0) return -1;
    for (int i = 0; i < w.generalCount; ++i)
        if (w.generals[i].status == kStatusGuest && w.generals[i].house == house) return i;
    return -1;
}

void makeGuest(Game& game, int general) {
    WorldState& w = game.world;
    if (!validGeneral(w, general)) return;
    General& g = w.generals[general];
    if (g.status == kStatusHostage) {
        g.moveTarget = -1;
        g.sortieTarget = -1;
        if (!houseAlive(w, g.house)) {
            // His own house is gone: he stays with the house that held him, as its man.
            g.status = kStatusOrdinary;
            g.house = g.holderHouse;
            placeAtCastle(w, general);
            return;
        }
        placeAtCastle(w, general);
    }
    const int former = guestOf(w, g.house);
    if (former >= 0 && former != general) {
        General& o = w.generals[former];
        std::swap(g.cavalry, o.cavalry);
        std::swap(g.foot, o.foot);
        std::swap(g.guns, o.guns);
        o.status = kStatusOrdinary;
    }
    g.status = kStatusGuest;
}

std::vector<int> guestInvitationCandidates(const WorldState& w) {
    std::vector<int> out;
    const int me = w.playerHouse;
    if (w.spectator || !houseAlive(w, me)) return out;
    for (int i = 0; i < w.generalCount; ++i) {
        const General& g = w.generals[i];
        if (g.status == kStatusOrdinary && submittedVassalOf(w, g.house, me) && !headOfHouse(w, i))
            out.push_back(i);
    }
    return out;
}

std::string guestInvitationQuestion(const WorldState& w, int general) {
    const int house = w.generals[general].house;
    const std::string houseName = houseNameText(w, house), name = generalNameText(w, general);
    const int guest = guestOf(w, house);
    if (guest >= 0)
        return fillText(
            "%s からは既に %s を客将として迎えています（一つの臣従大名家からは一人の客将のみ）\n%s "
            "と客将を交代させますか？",
            houseName.c_str(), generalNameText(w, guest).c_str(), name.c_str());
    return fillText("%s の %s を客将として迎えます", houseName.c_str(), name.c_str());
}

void computerPrisonersAndGuests(Game& game, int k) { computerPrisonersAndGuestsWith(game, k, nullptr); }

void computerPrisonersAndGuestsWith(Game& game, int k, const HouseIndex* index) {
    WorldState& w = game.world;
    if (k < 0 || k >= w.houseCount) return;
    // The generals this house's step can concern, in general order: the men of the house and of
    // its submitted vassals, and the prisoners and hostages any of them hold (a prisoner
    // recruited, by this house or earlier in the run by a vassal, joins the realm). A step only
    // moves generals into its own house's realm, so the run's index still names every one of
    // them; without it, every general.
    std::vector<int> concerned;
    if (index && k < static_cast<int>(index->generalsOf.size())) {
        const auto take = [&](int h) {
            concerned.insert(concerned.end(), index->generalsOf[h].begin(), index->generalsOf[h].end());
            concerned.insert(concerned.end(), index->heldBy[h].begin(), index->heldBy[h].end());
        };
        take(k);
        for (int v : index->submittedTo[k]) take(v);
        std::sort(concerned.begin(), concerned.end());
        for (int g : index->heldBy[k])
            if (heldPrisonerOf(w.generals[g], k) && canRecruit(w, g)) recruitForComputer(game, g);
    } else {
        concerned.resize(std::max(0, w.generalCount));
        for (int i = 0; i < w.generalCount; ++i) concerned[i] = i;
        for (int g : prisonersHeldBy(w, k))
            if (canRecruit(w, g)) recruitForComputer(game, g);
    }

    // One pass over the generals: the house's members for the bar a guest must clear (their
    // average valor and intellect), and the vassals' men and the grown hostages who may be asked,
    // kept apart in general order and measured against the bar once it is known.
    struct Candidate {
        int general, house, score;
    };
    std::vector<Candidate> fromVassals, fromHostages;
    double sumValor = 0, sumIntellect = 0;
    int members = 0;
    for (int i : concerned) {
        const General& g = w.generals[i];
        if (g.house >= 0 && commandingHouse(w, g.house) == k) {
            sumValor += g.valor;
            sumIntellect += g.intellect;
            ++members;
        }
        if ((g.status == kStatusOrdinary || g.status == kStatusGuest) && submittedVassalOf(w, g.house, k) &&
            !headOfHouse(w, i))
            fromVassals.push_back({i, g.house, g.valor + 2 * g.intellect});
        // A guest serves his own house's lord: a hostage whose house has since gone over to
        // another lord stays a hostage (one whose house is gone still joins the holder).
        if (g.status == kStatusHostage && g.house == kHouseHeld && g.holderHouse == k &&
            w.date.year - g.birthYear >= 15 &&
            (!houseAlive(w, g.originHouse) || submittedVassalOf(w, g.originHouse, k)))
            fromHostages.push_back({i, g.originHouse, g.valor + 2 * g.intellect});
    }
    const double av = members ? sumValor / members : 0, ai = members ? sumIntellect / members : 0;
    auto able = [&](const General& g) { return g.valor > av || g.intellect > ai; };
    std::vector<Candidate> list;
    for (const std::vector<Candidate>* part : {&fromVassals, &fromHostages})
        for (const Candidate& c : *part)
            if (able(w.generals[c.general])) list.push_back(c);
    // Exchange sorts: houses largest index first, then within each house the best score first.
    const size_t n = list.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (list[j].house > list[i].house) std::swap(list[i], list[j]);
    for (size_t start = 0; start < n;) {
        size_t end = start;
        while (end < n && list[end].house == list[start].house)
            ++end;
        for (size_t i = start; i < end; ++i)
            for (size_t j = i + 1; j < end; ++j)
                if (list[j].score > list[i].score) std::swap(list[i], list[j]);

        bool topIsGuest = false;
        for (size_t i = start; i < end && list[i].score == list[start].score; ++i)
            if (w.generals[list[i].general].status == kStatusGuest) topIsGuest = true;
        const int chosen = list[start].general;
        const int house = list[start].house;
        start = end;
        if (topIsGuest) continue;
        General& g = w.generals[chosen];
        const std::string name = generalNameText(w, chosen);
        if (g.status == kStatusHostage) {
            g.house = g.originHouse;
            g.cavalry = g.foot = g.guns = 0;
            if (isPlayerHouse(w, g.originHouse))
                game.notify(fillText("当家から人質に出していた %s が %s で元服し、客将に取立てられました\n",
                                     name.c_str(), houseNameText(w, k).c_str()));
        } else if (isPlayerHouse(w, house)) {
            game.notify(
                fillText("当家の %s が %s に客将として招かれました\n（%s の兵は他の武将に配分されます）",
                         name.c_str(), houseNameText(w, k).c_str(), name.c_str()));
        }
        makeGuest(game, chosen);
    }
}

} // namespace vh
