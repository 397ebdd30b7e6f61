// siege: one month's automatic siege of a castle given as plain values in a JSON file, printed as
// JSON Lines (the sally decision, every siege turn, the end of the month).
#include "battle/siege.h"
#include "cli/commands.h"
#include "world/random.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

namespace vh::cli {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

// A refused input: the message for stderr.
struct BadInput {
    std::string message;
};

[[noreturn]] void refuse(const std::string& where, const std::string& what) {
    throw BadInput{where + ": " + what};
}

const json* member(const json& object, const char* key) {
    auto it = object.find(key);
    return it == object.end() || it->is_null() ? nullptr : &*it;
}

long long integer(const json& object, const char* key, long long fallback, long long lo, long long hi,
                  const std::string& where) {
    const json* v = member(object, key);
    long long n = fallback; // a missing value must lie in range too (a castle needs a size)
    if (v && !v->is_number_integer()) refuse(where + "." + key, "整数ではありません");
    if (v && v->is_number_unsigned()) {
        const uint64_t u = v->get<uint64_t>();
        n = u > static_cast<uint64_t>(hi) ? hi + 1 : static_cast<long long>(u);
    } else if (v) {
        n = v->get<long long>();
    }
    if (n < lo || n > hi)
        refuse(where + "." + key, "範囲外です (" + std::to_string(lo) + ".." + std::to_string(hi) + ")");
    return n;
}

bool flag(const json& object, const char* key, bool fallback, const std::string& where) {
    const json* v = member(object, key);
    if (!v) return fallback;
    if (!v->is_boolean()) refuse(where + "." + key, "true か false ではありません");
    return v->get<bool>();
}

std::string text(const json& object, const char* key, const std::string& where) {
    const json* v = member(object, key);
    if (!v) return {};
    if (!v->is_string()) refuse(where + "." + key, "文字列ではありません");
    return v->get<std::string>();
}

const json& objectAt(const json& object, const char* key, const std::string& where, bool required) {
    static const json empty = json::object();
    const json* v = member(object, key);
    if (!v) {
        if (required) refuse(where + "." + key, "ありません");
        return empty;
    }
    if (!v->is_object()) refuse(where + "." + key, "オブジェクトではありません");
    return *v;
}

const json& arrayAt(const json& object, const char* key, size_t most, const std::string& where) {
    static const json empty = json::array();
    const json* v = member(object, key);
    if (!v) return empty;
    if (!v->is_array()) refuse(where + "." + key, "配列ではありません");
    if (v->size() > most) refuse(where + "." + key, std::to_string(most) + " 件までです");
    return *v;
}

constexpr long long kShortMax = 32767;
constexpr long long kByteMax = 255;
constexpr long long kIntMax = std::numeric_limits<int32_t>::max();

std::vector<SiegeGeneral> readGenerals(const json& root, const char* key) {
    std::vector<SiegeGeneral> out;
    const json& list = arrayAt(root, key, kSiegeSideMax, "");
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string where = std::string(key) + "[" + std::to_string(i) + "]";
        if (!list[i].is_object()) refuse(where, "オブジェクトではありません");
        const json& g = list[i];
        SiegeGeneral s;
        s.name = text(g, "name", where);
        s.troops.cavalry = static_cast<int>(integer(g, "cavalry", 0, 0, kShortMax, where));
        s.troops.foot = static_cast<int>(integer(g, "foot", 0, 0, kShortMax, where));
        s.troops.guns = static_cast<int>(integer(g, "guns", 0, 0, kShortMax, where));
        s.valor = static_cast<int>(integer(g, "valor", 0, 0, kByteMax, where));
        s.intellect = static_cast<int>(integer(g, "intellect", 0, 0, kByteMax, where));
        s.points = static_cast<int>(integer(g, "siegeStratagemPoints", 0, 0, kByteMax, where));
        s.rest = static_cast<int>(integer(g, "siegeStratagemRest", 0, 0, kByteMax, where));
        out.push_back(std::move(s));
    }
    return out;
}

struct SiegeCase {
    uint32_t seed = 0;
    bool sally = false;
    Siege siege;
};

SiegeCase readCase(const json& root) {
    if (!root.is_object()) refuse("入力", "JSON オブジェクトではありません");
    SiegeCase c;
    if (const json* seed = member(root, "seed")) {
        if (!seed->is_number_integer()) refuse("seed", "整数ではありません");
        // Any integer; the generator keeps it mod 2^32.
        c.seed = seed->is_number_unsigned() ? static_cast<uint32_t>(seed->get<uint64_t>())
                                            : static_cast<uint32_t>(seed->get<int64_t>());
    }
    c.sally = flag(root, "sally", false, "");
    Siege& s = c.siege;

    const json& settings = objectAt(root, "settings", "", false);
    s.settings.heiUnit = static_cast<int>(integer(settings, "HeiUnit", 10, 1, 10000, "settings"));
    s.settings.shiroHyourouMax =
        static_cast<int>(integer(settings, "ShiroHyourouMax", 2000, 0, kIntMax, "settings"));
    s.settings.keiryaku = flag(settings, "Keiryaku", true, "settings");
    if (const json* tk = member(settings, "TeppouKouka")) {
        if (!tk->is_array() || tk->size() != 4)
            refuse("settings.TeppouKouka", "4 つの整数の配列ではありません");
        for (size_t i = 0; i < 4; ++i) {
            const json slot = {{"v", (*tk)[i]}};
            const int v = static_cast<int>(
                integer(slot, "v", 10, 0, 100, "settings.TeppouKouka[" + std::to_string(i) + "]"));
            if (i == 3) s.settings.tk4 = v;
        }
    }

    const json& castle = objectAt(root, "castle", "", true);
    s.castleName = text(castle, "name", "castle");
    s.size = static_cast<int>(integer(castle, "size", 0, 1, kMaxCastleSize, "castle"));
    s.progress = static_cast<int>(integer(castle, "siegeProgress", 0, 0, 100LL * s.size - 1, "castle"));
    s.food = static_cast<int>(integer(castle, "food", 0, 0, kIntMax, "castle"));
    s.garrison = static_cast<int>(integer(castle, "garrison", 0, 0, kShortMax, "castle"));

    s.defenders = readGenerals(root, "defenders");
    s.besiegers = readGenerals(root, "besiegers");

    const json& adjacent = arrayAt(root, "adjacent", 7, "");
    for (size_t i = 0; i < adjacent.size(); ++i) {
        const std::string where = "adjacent[" + std::to_string(i) + "]";
        if (!adjacent[i].is_object()) refuse(where, "オブジェクトではありません");
        const json& a = adjacent[i];
        SiegeNeighbour n;
        n.name = text(a, "name", where);
        n.sameSide = flag(a, "sameSideAsGarrison", true, where);
        n.besieged = flag(a, "besieged", false, where);
        n.generalCount = static_cast<int>(integer(a, "generalCount", 0, 0, kSiegeSideMax, where));
        s.neighbours.push_back(std::move(n));
    }
    return c;
}

ordered_json generalsJson(const std::vector<SiegeGeneral>& side) {
    ordered_json list = ordered_json::array();
    for (const SiegeGeneral& g : side)
        list.push_back({{"name", g.name},
                        {"cavalry", g.troops.cavalry},
                        {"foot", g.troops.foot},
                        {"guns", g.troops.guns},
                        {"points", g.points},
                        {"rest", g.rest}});
    return list;
}

const char* stratagemKind(StratagemKind k) {
    switch (k) {
    case StratagemKind::Rumour:
        return "rumour";
    case StratagemKind::Granary:
        return "granary";
    case StratagemKind::Decoy:
        return "decoy";
    }
    return "";
}

ordered_json turnJson(const Siege& s) {
    ordered_json withdrawn = ordered_json::array(), to = ordered_json::array();
    for (const SiegeWithdrawal& w : s.withdrawals) {
        if (w.turn != s.turn) continue;
        withdrawn.push_back(w.general.name);
        to.push_back(s.neighbours[w.neighbour].name);
    }
    ordered_json stratagem = nullptr;
    if (s.stratagem.side != StratagemSide::None)
        stratagem = {{"side", s.stratagem.side == StratagemSide::Besiegers ? "besiegers" : "garrison"},
                     {"kind", stratagemKind(s.stratagem.kind)},
                     {"plotter", s.stratagem.plotterName}};
    return {{"event", "turn"},
            {"turn", s.turn},
            {"order", s.order == SiegeOrder::Storm ? "storm" : "wait"},
            {"progress", s.progress},
            {"food", s.food},
            {"garrison", s.garrison},
            {"defenders", generalsJson(s.defenders)},
            {"besiegers", generalsJson(s.besiegers)},
            {"withdrawn", withdrawn},
            {"withdrawnTo", to},
            {"stratagem", stratagem},
            {"result", s.result}};
}

void printLine(const ordered_json& line) {
    const std::string text = line.dump(-1, ' ', false, json::error_handler_t::replace);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int siege(const Args& args) {
    if (args.size() != 2) {
        std::fputs("使い方: vardenholm-cli siege CASE.json\n", stderr);
        return 2;
    }
    std::ifstream in(args[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "ファイルを開けません: %s\n", args[1].c_str());
        return 2;
    }
    SiegeCase c;
    try {
        const json root = json::parse(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        c = readCase(root);
    } catch (const json::exception& e) {
        std::fprintf(stderr, "JSON を読めません: %s\n", e.what());
        return 2;
    } catch (const BadInput& e) {
        std::fprintf(stderr, "入力エラー: %s\n", e.message.c_str());
        return 2;
    }

    Random rng(c.seed);
    Siege& s = c.siege;
    if (c.sally) {
        const int attackers = besiegersMen(s), holders = defendersMen(s);
        const bool out = garrisonSallies(s, rng);
        printLine(
            {{"event", "sally"}, {"sally", out}, {"besiegersMen", attackers}, {"defendersMen", holders}});
        // The sally is a field battle: the month's siege is not run.
        if (out) return 0;
    }
    automaticSiege(s, rng, [](const Siege& now) { printLine(turnJson(now)); });
    printLine({{"event", "end"},
               {"result", s.result},
               {"progress", s.progress},
               {"food", s.food},
               {"pushback", s.pushback}});
    std::fflush(stdout);
    return 0;
}

} // namespace vh::cli
