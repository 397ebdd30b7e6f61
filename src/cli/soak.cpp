// soak: long seeded games that check the world after every phase and, at every player turn, save,
// load the image into a fresh world, save again and compare the two images byte for byte. The
// game then plays on from the loaded world, so anything a save loses shows up in later months.
#include "cli/run_support.h"
#include "game/new_game.h"
#include "game/turn_driver.h"
#include "world/world_invariants.h"

#include <filesystem>
#include <memory>

namespace vh::cli {
namespace {

struct SoakOptions {
    std::string scenario;
    std::string programDir;
    std::string corpusDir;
    uint32_t firstSeed = 1;
    int seeds = 1;
    int years = 10;
    int house = -1;
};

bool parseSoakOptions(const Args& args, SoakOptions& o) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        std::optional<long long> v;
        if (a == "--seeds" && hasValue && (v = parseNumber(args[++i], 1, 100000))) o.seeds = static_cast<int>(*v);
        else if (a == "--years" && hasValue && (v = parseNumber(args[++i], 1, 1000))) o.years = static_cast<int>(*v);
        else if (a == "--house" && hasValue && (v = parseNumber(args[++i], 0, kMaxHouses - 1))) o.house = static_cast<int>(*v);
        else if (a == "--first-seed" && hasValue && (v = parseNumber(args[++i], 0, 0xFFFFFFFFll)))
            o.firstSeed = static_cast<uint32_t>(*v);
        else if (a == "--program-dir" && hasValue) o.programDir = args[++i];
        else if (a == "--corpus" && hasValue) o.corpusDir = args[++i];
        else if (o.scenario.empty() && !a.starts_with("--")) o.scenario = a;
        else return false;
    }
    return !o.scenario.empty();
}

// What one seed found. Only the first few findings are printed in full.
struct SeedTally {
    static constexpr int kShown = 12;
    long long violations = 0, differences = 0, debugMessages = 0;
    int shown = 0;
    void note(const WorldState& w, const char* where, const std::string& what) {
        if (shown++ >= kShown) return;
        std::printf("  %d-%02d %s %d: %s\n", w.date.year, w.date.month, where, w.phase, what.c_str());
    }
    long long failures() const { return violations + differences + debugMessages; }
};

// The headless player, watching the game's seams: the world is checked whenever a phase begins
// (the previous phase's closing step has just run) and every Debug Message is a failure.
class SoakFrontend : public HeadlessFrontend {
public:
    SoakFrontend(Game& game, SeedTally& tally) : game_(game), tally_(tally) { setLogLimit(100); }
    void showMessage(const std::string& text) override {
        HeadlessFrontend::showMessage(text);
        if (text.starts_with("Debug Message : ")) {
            ++tally_.debugMessages;
            tally_.note(game_.world, "phase", text);
        }
    }
    void phaseStarted(int phase) override {
        // The state left by the closing step of the phase before this one.
        InvariantScope scope = midPhaseScope();
        if (phase == kPhaseEvent && !firstEvent_) scope = afterBattlesScope();
        if (phase == kPhasePersonnel) scope = afterEventStepScope();
        if (phase == kPhaseSortie) scope = afterMovesScope();
        firstEvent_ = false;
        check(scope, "before phase");
    }
    void check(const InvariantScope& scope, const char* where) {
        for (const std::string& line : checkWorldInvariants(game_.world, scope)) {
            ++tally_.violations;
            tally_.note(game_.world, where, line);
        }
    }

private:
    Game& game_;
    SeedTally& tally_;
    bool firstEvent_ = true; // the first event step follows set-up, not a rebuild
};

// Save, load into a fresh world, save again; the game plays on from the loaded world.
void roundTrip(Game& game, SeedTally& tally) {
    const std::vector<uint8_t> first = saveImage(game.world);
    auto fresh = std::make_unique<WorldState>();
    const int code = parseSaveImage(first.data(), first.size(), *fresh);
    if (code != kSaveOk) {
        ++tally.differences;
        tally.note(game.world, "player turn", "the save image does not load (code " + std::to_string(code) + ")");
        return;
    }
    const std::vector<uint8_t> second = saveImage(*fresh);
    if (second != first) {
        ++tally.differences;
        size_t at = 0;
        while (at < first.size() && at < second.size() && first[at] == second[at]) ++at;
        tally.note(game.world, "player turn", "the reloaded world saves differently from byte " + std::to_string(at));
        return;
    }
    // Not part of a saved game: the player's answer to the watch-on question of this session.
    fresh->watchAnswered = game.world.watchAnswered;
    game.world = std::move(*fresh);
}

void writeCorpusFile(const SoakOptions& o, uint32_t seed, const WorldState& w) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(o.corpusDir, ec);
    const std::string name = fs::path(o.scenario).stem().string() + "-seed" + std::to_string(seed) + "-phase" +
                             std::to_string(w.phase) + ".sav";
    if (writeSaveFile((fs::path(o.corpusDir) / name).string(), w) != kSaveOk)
        std::fprintf(stderr, "File error: %s\n", name.c_str());
}

// One seeded game; returns its failures.
long long soakSeed(const SoakOptions& o, const WorldState& scenario, uint32_t seed) {
    auto game = std::make_unique<Game>();
    SeedTally tally;
    SoakFrontend ui(*game, tally);
    game->world = scenario;
    game->frontend = &ui;
    game->rng.seed(seed);
    setUpNewGame(*game);
    if (chooseHouse(*game, o.house) != kChooseOk) {
        std::printf("大名家 %d は選択できません\n", o.house);
        return 1;
    }
    WorldState& w = game->world;
    const GameDate start = w.date;
    const GameDate target{start.year + o.years, start.month};
    // Messages stay on even while watching, so that every Debug Message is seen.
    game->quietMode = false;
    FlowStatus s = startMonth(*game);
    while (s == FlowStatus::PlayerTurn && dateBefore(game->world.date, target)) {
        ui.check(midPhaseScope(), "player turn");
        if (!o.corpusDir.empty() && sameDate(nextMonth(game->world.date), target)) writeCorpusFile(o, seed, game->world);
        roundTrip(*game, tally);
        s = endTurnPressed(*game);
    }
    const char* end = s == FlowStatus::Unified ? " (unified)" : s == FlowStatus::PlayerEnded ? " (ended)" : "";
    std::printf("seed %u: %lld months%s, %lld violations, %lld round-trip differences, %lld debug messages\n", seed,
                monthsBetween(start, game->world.date), end, tally.violations, tally.differences, tally.debugMessages);
    std::fflush(stdout);
    return tally.failures();
}

} // namespace

int soak(const Args& args) {
    SoakOptions o;
    if (!parseSoakOptions(args, o)) {
        std::fputs("使い方: vardenholm-cli soak SCENARIO [--seeds N] [--years Y] [--house INDEX] [--first-seed S]\n"
                   "                          [--program-dir DIR] [--corpus DIR]\n",
                   stderr);
        return 2;
    }
    if (o.programDir.empty()) o.programDir = defaultProgramDir(args[0].c_str());
    auto scenario = std::make_unique<WorldState>();
    if (int code = readScenarioOrReport(o.scenario, o.programDir, *scenario)) return code;
    long long failures = 0;
    int failedSeeds = 0;
    for (int i = 0; i < o.seeds; ++i) {
        const long long f = soakSeed(o, *scenario, o.firstSeed + static_cast<uint32_t>(i));
        failures += f;
        failedSeeds += f != 0;
    }
    std::printf("soak: %d seeds × %d years, %d seeds with failures\n", o.seeds, o.years, failedSeeds);
    return failures == 0 ? 0 : 1;
}

} // namespace vh::cli
