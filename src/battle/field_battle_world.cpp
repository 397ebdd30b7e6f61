// Field battles from the world's records: building the two sides, the choice between the
// player's window and the automatic battle, and writing the outcome back.
#include "battle/field_battle_world.h"

#include "context/game.h"
#include "context/game_text.h"
#include "world/castle_rules.h"

#include <algorithm>
#include <utility>

namespace vh {

namespace {

FieldSide buildSide(const WorldState& w, std::span<const int> generals, int castle) {
    FieldSide s;
    for (int gi : generals) {
        if (static_cast<int>(s.generals.size()) >= kFieldMaxGenerals) break;
        if (gi < 0 || gi >= w.generalCount) continue;
        if (s.generals.empty()) s.commandingHouse = commandingHouse(w, w.generals[gi].house);
        s.generals.push_back(FieldGeneral{});
        s.generals.back().general = gi;
    }
    if (castle >= 0 && castle < w.castleCount) {
        s.hasGarrison = true;
        s.castle = castle;
        s.castleName = nameText(w, w.castleSites[castle].name);
        s.garrisonSoldiers = w.castles[castle].garrison;
        if (s.generals.empty()) s.commandingHouse = commandingHouse(w, w.castles[castle].owner);
    }
    s.houseName = houseNameText(w, s.commandingHouse);
    for (FieldGeneral& fg : s.generals) {
        const General& g = w.generals[fg.general];
        fg.name = nameText(w, g.name);
        fg.cavalry = g.cavalry;
        fg.foot = g.foot;
        fg.guns = g.guns;
        fg.valor = g.valor;
        fg.intellect = g.intellect;
        fg.fieldStratagemPoints = g.fieldStratagemPoints;
        fg.surpriseRest = g.surpriseRest;
        const bool hasHouse = g.house >= 0 && g.house < w.houseCount;
        const bool submitted = hasHouse && w.houses[g.house].vassalState == 2;
        fg.headOfIndependentHouse = hasHouse && w.houses[g.house].head == fg.general && !submitted;
        fg.ofCommandingHouse = g.house >= 0 && g.house == s.commandingHouse;
        fg.guest = g.status == kStatusGuest;
        fg.ofVassalHouse = submitted;
        fg.inCorps = g.corps != -1;
    }
    return s;
}

bool playerFights(const Game& game, const FieldSide& s) {
    const int player = game.world.playerHouse;
    if (player < 0 || s.commandingHouse != player) return false;
    if (s.generals.empty()) return true;
    return std::any_of(s.generals.begin(), s.generals.end(),
                       [](const FieldGeneral& g) { return !g.inCorps; });
}

int swapSideCode(int code) {
    return code == 1 ? 2 : code == 2 ? 1 : code;
}

// Takes a general off the garrison or besieger list of his castle.
void leaveCastleList(WorldState& w, int general) {
    const int c = w.generals[general].castle;
    if (c < 0 || c >= w.castleCount) return;
    Castle& castle = w.castles[c];
    auto drop = [general](int32_t* list, uint8_t& count) {
        int kept = 0;
        for (int i = 0; i < count; ++i)
            if (list[i] != general) list[kept++] = list[i];
        for (int i = kept; i < count; ++i)
            list[i] = -1;
        count = static_cast<uint8_t>(kept);
    };
    drop(castle.generals, castle.generalCount);
    drop(castle.besiegers, castle.besiegerCount);
}

} // namespace

FieldBattle buildFieldBattle(const Game& game, std::span<const int> sideA, int castleA,
                             std::span<const int> sideB, int castleB, int castleSide, int province0,
                             int province1) {
    const WorldState& w = game.world;
    FieldBattle b;
    b.settings.heiUnit = w.settings.heiUnit;
    b.settings.kishuu = w.settings.kishuu;
    b.settings.uchijiniKakuritsu = w.settings.uchijiniKakuritsu;
    for (int i = 0; i < 4; ++i)
        b.settings.teppouKouka[i] = w.settings.teppouKouka[i];
    b.sides[0] = buildSide(w, sideA, castleA);
    b.sides[1] = buildSide(w, sideB, castleB);
    b.castleSide = castleSide;
    constexpr uint8_t kRain = 2; // the month's heavy-rain flag of a province
    for (int p : {province0, province1})
        if (p >= 0 && p < kProvinceSlots && (w.weatherFlags[p] & kRain)) b.rain = true;
    return b;
}

int handFoughtCallerSide(const Game& game, const FieldBattle& b) {
    if (playerFights(game, b.sides[0])) return 0;
    if (playerFights(game, b.sides[1])) return 1;
    return -1;
}

void exchangeFieldSides(FieldBattle& b) {
    std::swap(b.sides[0], b.sides[1]);
    b.castleSide = swapSideCode(b.castleSide);
    b.surprise = swapSideCode(b.surprise);
    if (b.result == kFieldSide0Won || b.result == kFieldSide1Won) b.result = swapSideCode(b.result);
    for (auto& d : b.dead)
        d.first = 1 - d.first;
    std::swap(b.events.blocked[0], b.events.blocked[1]);
    std::swap(b.events.breakthroughFrom[0], b.events.breakthroughFrom[1]);
    std::swap(b.events.breakthroughInto[0], b.events.breakthroughInto[1]);
    std::swap(b.events.executedOrders[0], b.events.executedOrders[1]);
    b.sidesExchanged = !b.sidesExchanged;
}

void writeBackFieldBattle(Game& game, const FieldBattle& b) {
    WorldState& w = game.world;
    for (const FieldSide& s : b.sides) {
        for (const FieldGeneral& fg : s.generals) {
            if (fg.general < 0 || fg.general >= w.generalCount) continue;
            General& g = w.generals[fg.general];
            g.cavalry = static_cast<int16_t>(fg.cavalry);
            g.foot = static_cast<int16_t>(fg.foot);
            g.guns = static_cast<int16_t>(fg.guns);
            g.fieldStratagemPoints = static_cast<uint8_t>(std::clamp(fg.fieldStratagemPoints, 0, 255));
            g.surpriseRest = static_cast<uint8_t>(std::clamp(fg.surpriseRest, 0, 255));
        }
        if (s.hasGarrison && s.castle >= 0 && s.castle < w.castleCount)
            w.castles[s.castle].garrison = static_cast<int16_t>(std::max(0, s.garrisonSoldiers));
    }
    for (const auto& [side, ref] : b.dead) {
        const FieldGeneral& fg = b.sides[side].generals[ref];
        if (fg.general < 0 || fg.general >= w.generalCount) continue;
        leaveCastleList(w, fg.general);
        w.generals[fg.general].house = kHouseLost;
        // A window shows its own; a program being closed shows nothing more.
        if (!b.handFought && !game.closing) game.notify(fg.name + "は討ち死にしました");
    }
}

int fightFieldBattle(Game& game, std::span<const int> sideA, int castleA, std::span<const int> sideB,
                     int castleB, int castleSide, int province0, int province1) {
    FieldBattle b = buildFieldBattle(game, sideA, castleA, sideB, castleB, castleSide, province0, province1);
    const int playerSide = game.closing ? -1 : handFoughtCallerSide(game, b);
    if (playerSide == 1) exchangeFieldSides(b);
    beginFieldBattle(b, game.rng);
    HandBattle outcome = HandBattle::NotByHand;
    if (playerSide >= 0 && game.frontend) {
        b.handFought = true;
        outcome = game.frontend->fightFieldBattle(b, game.rng);
    }
    if (outcome != HandBattle::Fought) {
        // Not fought to its end in a window: the computer gives both sides' orders from where the
        // battle stands (a window closed with the program leaves it part-fought).
        if (outcome == HandBattle::Abandoned) {
            // Nobody is there to be told any more: the rest of the month runs unattended.
            game.closing = true;
            game.quietMode = true;
        } else {
            b.handFought = false;
        }
        if (!b.deployed) {
            formFieldSideAutomatically(b, 0, game.rng);
            formFieldSideAutomatically(b, 1, game.rng);
            deployFieldBattle(b);
        }
        runAutomaticFieldBattle(b, game.rng);
    }
    if (b.sidesExchanged) exchangeFieldSides(b);
    writeBackFieldBattle(game, b);
    return b.result == kFieldUndecided ? kFieldDraw : b.result;
}

} // namespace vh
