// The siege engine: one besieged castle's month in up to five siege turns, as plain values with
// explicit step functions. The automatic siege, the siege window and the command line drive it.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace vh {

class Random;

inline constexpr int kSiegeTurns = 5;    // siege turns in a month
inline constexpr int kSiegeSideMax = 20; // generals per side
inline constexpr int kSiegeStratagemCost = 80;
inline constexpr int kMaxCastleSize = 10; // castle parts of the largest castle

// What a month's siege (or one turn of it) left the castle in.
enum SiegeResult : int {
    kSiegeHolds = 0,       // the castle holds
    kSiegeFallen = 1,      // fallen by assault
    kSiegeSurrendered = 2, // surrendered for lack of food
};

enum class SiegeOrder : uint8_t { Wait, Storm };

// A general's troops, in HeiUnit units.
struct SiegeTroops {
    int cavalry = 0;
    int foot = 0;
    int guns = 0;
    int men() const { return cavalry + foot; }
};

// One general taking part in the siege: the values the siege reads and changes.
struct SiegeGeneral {
    int general = -1; // index in the world's general table; -1 when the siege runs on plain values
    int house = -1;   // his own house
    std::string name; // UTF-8
    SiegeTroops troops;
    int valor = 0;
    int intellect = 0;
    int points = 0; // siege stratagem points
    int rest = 0;   // months of rest after a siege stratagem
};

// A castle on the besieged castle's routes, in route order: where a defender may withdraw to.
struct SiegeNeighbour {
    int castle = -1;
    std::string name;
    bool sameSide = true;  // its owner is on the garrison's side
    bool besieged = false; // it has besiegers of its own
    int generalCount = 0;  // generals stationed there, raised by every withdrawal into it
};

struct SiegeSettings {
    int heiUnit = 10;
    int shiroHyourouMax = 2000;
    bool keiryaku = true;
    int tk4 = 10; // the fourth gun effect value, 0..100
};

enum class StratagemSide : uint8_t { None, Besiegers, Garrison };
enum class StratagemKind : uint8_t { Rumour, Granary, Decoy };

// The stratagem of the last turn played; side None when nobody plotted.
struct SiegeStratagem {
    StratagemSide side = StratagemSide::None;
    StratagemKind kind = StratagemKind::Rumour;
    int plotter = -1; // position in that side's list
    std::string plotterName;
};

// A defender who left the castle during the month, with the neighbour (position in
// `neighbours`) he went to. His values are those he left with.
struct SiegeWithdrawal {
    SiegeGeneral general;
    int neighbour = -1;
    int turn = 0; // the siege turn before which he left (1..5)
};

// The whole state of one castle's siege for the month.
struct Siege {
    // The castle.
    int castle = -1; // index in the world's castle table; -1 for plain values
    std::string castleName;
    int size = 1;     // castle parts, 1..10
    int progress = 0; // siege progress; the castle falls at 100 × size
    int food = 0;
    int garrison = 0; // garrison soldiers (units)
    SiegeSettings settings;
    // House names for the stratagem messages (UTF-8).
    std::string ownerHouse, besiegingHouse, firstBesiegerHouse;

    std::vector<SiegeGeneral> defenders; // still in the castle, in garrison list order
    std::vector<SiegeGeneral> besiegers; // in besieger list order
    std::vector<SiegeNeighbour> neighbours;

    // The month so far.
    int turn = 0;                             // siege turns played
    int result = kSiegeHolds;                 // first result other than 0 ends the month
    SiegeOrder order = SiegeOrder::Wait;      // the order of the last turn played
    SiegeStratagem stratagem;                 // of the last turn played
    std::vector<SiegeWithdrawal> withdrawals; // the month's, in leaving order
    int withdrawalsWritten = 0;               // how many of them the world already holds
    int pushback = 0;                         // truncate(x) of the guns push-back, 0 when it did not apply
    bool pushbackDone = false;

    // Messages of the last step, for the siege window (UTF-8). Filled only when wanted.
    bool wantMessages = false;
    std::vector<std::string> messages;

    int target() const { return 100 * size; }
    // The month's turns are done: a result, or all five turns played.
    bool over() const { return result != kSiegeHolds || turn >= kSiegeTurns; }
};

// Men of the defenders (garrison soldiers + cavalry and foot of the defenders) and of the besiegers.
int defendersMen(const Siege& s);
int besiegersMen(const Siege& s);

// Food months F(men): 1 with food below 1, 10000 for no men, else ceil(food ÷ (men × HeiUnit));
// 1000 when the castle has no besiegers.
int foodMonths(const Siege& s, int men);

// Assault months A: consecutive assaults on copies of the two sides (at most 20 each), of the
// garrison soldiers and of the progress, up to 50 runs or until the castle would fall, five runs
// to a month, at least 1. Draws from `rng` as real assaults do. This is the siege estimate the
// computer's planning calls; it allocates nothing.
int assaultMonths(std::span<const SiegeTroops> besiegers, std::span<const SiegeTroops> defenders,
                  int garrison, int progress, int size, Random& rng);
// A for the siege's current besiegers and defenders.
int assaultMonths(const Siege& s, Random& rng);

// Stormings take four generals at a time where the processor has AVX2 and no count is negative,
// else one at a time; both ways give the same numbers and draws. Tests turn the wide way off to
// compare the two. Returns whether stormings now go the wide way.
bool useWideStorming(bool wanted);

// The computer garrison's sally decision: true when the garrison sallies out (one draw).
bool garrisonSallies(const Siege& s, Random& rng);

// The computer besiegers' choice: storm when A ≠ F(defenders' men) and F ÷ 1.3 > A.
SiegeOrder besiegersChoice(const Siege& s, Random& rng);

// The computer garrison's withdrawal: ranks the defenders by 3 × cavalry + foot (ties shuffled)
// and sends the strongest away one by one while the rest would still outlast the assault.
// Appends to `withdrawals` (with "%sは退却しました" when messages are wanted); returns how many left.
int withdrawGarrison(Siege& s, Random& rng);

// One storming on the siege's own generals, garrison and progress.
void assault(Siege& s, Random& rng);

// One siege turn with the given order: storm, food, stratagems. Returns the turn's result and
// counts the turn. Does nothing once the month is over.
int siegeTurn(Siege& s, SiegeOrder order, Random& rng);

// The defenders' guns push the besiegers back after a month the castle held. Returns truncate(x)
// before the floor at 0 (0 when it did not apply) and lowers the progress.
int gunsPushBack(Siege& s, Random& rng);

// One turn of the automatic siege: withdrawal, the besiegers' choice, the siege turn.
int automaticSiegeTurn(Siege& s, Random& rng);
// The automatic siege of the month: up to five turns, then the push-back when the castle holds.
// Returns the result. `afterTurn`, when given, sees the siege after every turn played.
int automaticSiege(Siege& s, Random& rng, const std::function<void(const Siege&)>& afterTurn = nullptr);

} // namespace vh
