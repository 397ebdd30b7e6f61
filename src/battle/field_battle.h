// The field battle engine: two sides drawn up in three lines fight turn by turn on a field of ten
// steps. Explicit state and step functions, so the automatic battle, the battle window and the
// command-line runner all drive the same rules with the same random draws.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vh {

class Random;

inline constexpr int kFieldLineCount = 3;                    // 先陣, 第二陣, 本陣
inline constexpr int kFieldVanguard = 0;                     // 先陣
inline constexpr int kFieldSecondLine = 1;                   // 第二陣
inline constexpr int kFieldMainLine = 2;                     // 本陣 (the commander alone)
inline constexpr int kFieldMaxGenerals = 20;                 // per side
inline constexpr int kFieldMaxUnits = kFieldMaxGenerals + 1; // the generals and the garrison unit
inline constexpr int kFieldTurnLimit = 20;
inline constexpr int kFieldSteps = 10; // positions 0..9

// A unit reference inside a side: an index into FieldSide::generals, or the garrison unit.
inline constexpr int kGarrisonUnit = -1;

enum FieldOrder : int {
    kOrderHold = 0,     // 待機
    kOrderAdvance = 1,  // 前進
    kOrderAttack = 2,   // 攻撃
    kOrderGunfire = 3,  // 鉄砲射撃
    kOrderExchange = 4, // 先陣／第二陣 交代
    kOrderRetreat = 5,  // 退却
};

// The battle's outcome, in the engine's side numbering.
enum FieldResult : int {
    kFieldUndecided = -1,
    kFieldDraw = 0,
    kFieldSide0Won = 1,
    kFieldSide1Won = 2,
};

// The scenario settings the battle reads.
struct FieldBattleSettings {
    int heiUnit = 10;
    bool kishuu = true;                    // surprise attacks allowed
    int uchijiniKakuritsu = 5;             // death-in-battle setting U
    int teppouKouka[4] = {10, 10, 10, 10}; // TK1 morale blow, TK2 casualties, TK3 blocking, TK4 siege
};

// One general as the battle sees him. Troops are in units of HeiUnit men and change as he takes
// losses; points and rest change when he makes a surprise attack.
struct FieldGeneral {
    std::string name; // UTF-8
    int general = -1; // index in the world's general table, -1 when described by plain values
    int cavalry = 0;
    int foot = 0;
    int guns = 0;
    int valor = 0;
    int intellect = 0;
    int fieldStratagemPoints = 0;
    int surpriseRest = 0;
    bool headOfIndependentHouse = false; // head of a house that has not submitted to a lord
    bool ofCommandingHouse = false;      // his house is the side's commanding house itself
    bool guest = false;                  // 客将
    bool ofVassalHouse = false;          // his house has submitted (臣従); shown in the formation window
    bool inCorps = false;                // serves in a corps (decides whether the player fights by hand)
    bool killed = false;                 // died in battle (set by finishFieldBattle)
};

struct FieldUnit {
    int ref = kGarrisonUnit; // general index within the side, or kGarrisonUnit
    int morale = 100;
    int previewMorale = 100;
};

struct FieldLine {
    std::array<FieldUnit, kFieldMaxUnits> units{};
    int count = 0;
    void add(int ref) {
        if (count < kFieldMaxUnits) units[count++] = FieldUnit{ref, 100, 100};
    }
    FieldUnit* begin() { return units.data(); }
    FieldUnit* end() { return units.data() + count; }
    const FieldUnit* begin() const { return units.data(); }
    const FieldUnit* end() const { return units.data() + count; }
};

struct FieldSide {
    std::vector<FieldGeneral> generals; // at most 20, in the caller's order
    bool hasGarrison = false;           // the castle's garrison fights as one more unit
    int castle = -1;                    // world castle index, -1 when none or not from a world
    std::string castleName;             // UTF-8
    int garrisonSoldiers = 0;
    int commandingHouse = -1; // world house index, -1 when not from a world
    std::string houseName;    // UTF-8, for the window and its messages

    std::array<FieldLine, kFieldLineCount> lines{};
    int position = 0;
    int frontLine = -1;
    int commandBonus = 0;
    int totalCavalry = 0, totalFoot = 0, totalGuns = 0; // at the start

    int unitCount() const { return static_cast<int>(generals.size()) + (hasGarrison ? 1 : 0); }
};

// What happened in the last executed turn, for the battle window's messages.
struct FieldTurnEvents {
    bool gunfire = false;
    bool melee = false;
    std::array<bool, 2> blocked{};               // the side's advance was stopped by gunfire
    std::array<int, 2> breakthroughFrom{-1, -1}; // side s broke through the enemy's line h ...
    std::array<int, 2> breakthroughInto{-1, -1}; // ... into line k (-1 when no breakthrough)
    std::array<int, 2> executedOrders{}; // orders after a both-advance or blocked advance became a hold
};

struct FieldBattle {
    FieldBattleSettings settings;
    std::array<FieldSide, 2> sides;
    bool rain = false;
    int castleSide = 0;          // 0 none, 1 side 1 is the castle's side, 2 side 0 is
    bool handFought = false;     // the player's side is side 0 and gives its orders in the window
    bool sidesExchanged = false; // the caller's side B was put at index 0 for the player
    int turn = 0;                // turns executed so far
    int surprise = 0;            // 0 none, 1 side 0 surprised side 1, 2 side 1 surprised side 0
    int surpriser = -1;          // general index within the surprising side
    int confusion = 0;           // turns of confusion of the surprised side (0 when not drawn)
    int result = kFieldUndecided;
    bool deployed = false;                 // both sides formed and drawn up (deployFieldBattle ran)
    bool finished = false;                 // death in battle and pursuit applied
    std::vector<std::pair<int, int>> dead; // (side, general index) in the order checked
    FieldTurnEvents events;
};

// ---- set-up ----
// Totals, surprise attack and confusion (draws: the surpriser's rest, then the confusion).
void beginFieldBattle(FieldBattle& b, Random& rng);
// Automatic formation of one side: guns sort with tie shuffle, commander, garrison unit, split.
void formFieldSideAutomatically(FieldBattle& b, int side, Random& rng);
// A formation chosen elsewhere (the formation window): unit references per line.
void setFieldFormation(FieldBattle& b, int side, const std::array<std::vector<int>, kFieldLineCount>& lines);
// Morale 100 everywhere, positions, front lines and command bonuses. Call after both formations.
void deployFieldBattle(FieldBattle& b);
// beginFieldBattle, automatic formation of both sides and deployment.
void setUpFieldBattle(FieldBattle& b, Random& rng);

// ---- one turn ----
// The preview morale every unit would have after the enemy's expected action.
void previewFieldTurn(FieldBattle& b, Random& rng);
// The computer's order for a side (after the preview).
int computerFieldOrder(FieldBattle& b, int side, Random& rng);
// Executes one turn with the two orders; returns the result (kFieldUndecided while it goes on)
// and fills b.events. A result also sets b.result. After the turn limit the battle is a draw.
int executeFieldTurn(FieldBattle& b, int order0, int order1, Random& rng);
// The window's turn: preview, the computer's order for side 1, execution with the player's order.
int playHandFieldTurn(FieldBattle& b, int playerOrder, Random& rng, int* enemyOrder = nullptr);
// Death in battle and pursuit after a win; nothing after a draw. Marks the dead (b.dead).
void finishFieldBattle(FieldBattle& b, Random& rng);
// Turns with the computer's orders for both sides until a result, then finish. Returns the result.
int runAutomaticFieldBattle(FieldBattle& b, Random& rng);

// ---- queries (the rules, the window and the runner share them) ----
int fieldDistance(const FieldBattle& b);
bool unitBroken(const FieldUnit& u);
int unitCavalry(const FieldSide& s, int ref);
int unitFoot(const FieldSide& s, int ref); // the garrison unit counts its soldiers as foot
int unitGuns(const FieldSide& s, int ref);
int unitValor(const FieldSide& s, int ref);        // the garrison unit counts as 3
std::string unitName(const FieldSide& s, int ref); // the garrison unit is "%s守備兵"
// True when an unbroken unit of the side's front line has guns.
bool frontLineHasGuns(const FieldBattle& b, int side);
bool isSurprisedSide(const FieldBattle& b, int side);
bool isSurprisingSide(const FieldBattle& b, int side);
// Not the surprised side, and both 先陣 and 第二陣 hold an unbroken unit.
bool mayExchangeLines(const FieldBattle& b, int side);
// The surprised side during its confusion (turn counter not past the confusion) cannot retreat.
bool retreatRefused(const FieldBattle& b, int side);
// Whether the player's button for an order is usable this turn (side 0 in the window).
bool fieldOrderUsable(const FieldBattle& b, int side, int order);
// The first line with an unbroken unit, -1 when none.
int computeFrontLine(const FieldSide& s);
int sideMen(const FieldSide& s); // cavalry + foot of every unit, broken or not

// Texts of the battle window.
const char* fieldLineName(int line);             // "先陣", "第二陣", "本陣"
const char* fieldOrderName(int order);           // "待機" ... "退却"
std::string fieldTurnLine(const FieldBattle& b); // "ターン %d/%d"
std::string fieldWeatherLine(const FieldBattle& b); // "天候 : 雨（鉄砲使用不可）" or "天候 : 晴れ"

} // namespace vh
