// vardenholm-cli fieldbattle CASE.json: one automatic field battle described by plain values,
// printed as JSON Lines (the set-up, every turn, the end), for scenario authors and checks.
#include "battle/field_battle.h"
#include "cli/commands.h"
#include "world/random.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

namespace vh::cli {

namespace {

using nlohmann::json;

// A description of what is wrong with the case file, with the path of the offending value.
struct CaseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw CaseError(where + ": " + what);
}

long long integer(const json& j, const std::string& where) {
    if (j.is_number_unsigned()) {
        const auto v = j.get<uint64_t>();
        if (v > static_cast<uint64_t>(INT64_MAX)) fail(where, "値が大きすぎます");
        return static_cast<long long>(v);
    }
    if (j.is_number_integer()) return j.get<int64_t>();
    fail(where, "整数を指定してください");
}

int number(const json& obj, const char* key, const std::string& where, long long lo, long long hi,
           int fallback) {
    if (!obj.contains(key) || obj.at(key).is_null()) return fallback;
    const long long v = integer(obj.at(key), where + "." + key);
    if (v < lo || v > hi)
        fail(where + "." + key,
             std::to_string(lo) + " から " + std::to_string(hi) + " の範囲で指定してください");
    return static_cast<int>(v);
}

bool flag(const json& obj, const char* key, const std::string& where, bool fallback) {
    if (!obj.contains(key) || obj.at(key).is_null()) return fallback;
    if (!obj.at(key).is_boolean()) fail(where + "." + key, "true か false を指定してください");
    return obj.at(key).get<bool>();
}

const json& objectAt(const json& obj, const char* key, const std::string& where) {
    if (!obj.contains(key)) fail(where + "." + key, "がありません");
    const json& j = obj.at(key);
    if (!j.is_object()) fail(where + "." + key, "オブジェクトを指定してください");
    return j;
}

FieldGeneral readGeneral(const json& j, const std::string& where) {
    if (!j.is_object()) fail(where, "武将はオブジェクトで指定してください");
    FieldGeneral g;
    if (!j.contains("name") || !j.at("name").is_string()) fail(where + ".name", "名前 (文字列) がありません");
    g.name = j.at("name").get<std::string>();
    if (g.name.empty()) fail(where + ".name", "名前が空です");
    g.cavalry = number(j, "cavalry", where, 0, 32767, 0);
    g.foot = number(j, "foot", where, 0, 32767, 0);
    g.guns = number(j, "guns", where, 0, 32767, 0);
    g.valor = number(j, "valor", where, 0, 255, 0);
    g.intellect = number(j, "intellect", where, 0, 255, 0);
    g.fieldStratagemPoints = number(j, "fieldStratagemPoints", where, 0, 255, 0);
    g.surpriseRest = number(j, "surpriseRest", where, 0, 255, 0);
    g.headOfIndependentHouse = flag(j, "headOfIndependentHouse", where, false);
    g.ofCommandingHouse = flag(j, "ofCommandingHouse", where, false);
    g.guest = flag(j, "guest", where, false);
    return g;
}

struct Case {
    uint32_t seed = 0;
    FieldBattle battle;
};

Case readCase(const json& root) {
    if (!root.is_object()) fail("(全体)", "JSON オブジェクトを指定してください");
    Case c;
    if (root.contains("seed") && !root.at("seed").is_null()) {
        const json& s = root.at("seed");
        if (s.is_number_unsigned())
            c.seed = static_cast<uint32_t>(s.get<uint64_t>()); // mod 2^32
        else
            c.seed = static_cast<uint32_t>(static_cast<uint64_t>(integer(s, "seed")));
    }
    FieldBattle& b = c.battle;
    if (root.contains("settings") && !root.at("settings").is_null()) {
        const json& s = objectAt(root, "settings", "");
        b.settings.heiUnit = number(s, "HeiUnit", "settings", 1, 1000000, 10);
        b.settings.kishuu = flag(s, "Kishuu", "settings", true);
        b.settings.uchijiniKakuritsu = number(s, "UchijiniKakuritsu", "settings", 0, 100, 5);
        if (s.contains("TeppouKouka") && !s.at("TeppouKouka").is_null()) {
            const json& tk = s.at("TeppouKouka");
            if (!tk.is_array() || tk.size() != 4)
                fail("settings.TeppouKouka", "4 つの整数の配列を指定してください");
            for (int i = 0; i < 4; ++i) {
                const std::string where = "settings.TeppouKouka[" + std::to_string(i) + "]";
                const long long v = integer(tk[i], where);
                if (v < 0 || v > 100) fail(where, "0 から 100 の範囲で指定してください");
                b.settings.teppouKouka[i] = static_cast<int>(v);
            }
        }
    }
    b.rain = flag(root, "rain", "", false);
    b.castleSide = number(root, "castleSide", "", 0, 2, 0);
    if (!root.contains("sides") || !root.at("sides").is_array() || root.at("sides").size() != 2)
        fail("sides", "2 つの陣営の配列を指定してください");
    std::set<std::string> names;
    for (int si = 0; si < 2; ++si) {
        const std::string where = "sides[" + std::to_string(si) + "]";
        const json& sj = root.at("sides")[si];
        if (!sj.is_object()) fail(where, "オブジェクトを指定してください");
        FieldSide& side = b.sides[si];
        if (sj.contains("generals") && !sj.at("generals").is_null()) {
            const json& gs = sj.at("generals");
            if (!gs.is_array()) fail(where + ".generals", "配列を指定してください");
            if (gs.size() > kFieldMaxGenerals) fail(where + ".generals", "武将は 20 人までです");
            for (size_t i = 0; i < gs.size(); ++i) {
                const std::string gw = where + ".generals[" + std::to_string(i) + "]";
                side.generals.push_back(readGeneral(gs[i], gw));
                if (!names.insert(side.generals.back().name).second)
                    fail(gw + ".name", "名前が重複しています");
            }
        }
        if (sj.contains("garrison") && !sj.at("garrison").is_null()) {
            const json& g = sj.at("garrison");
            if (!g.is_object()) fail(where + ".garrison", "null かオブジェクトを指定してください");
            if (!g.contains("castle") || !g.at("castle").is_string())
                fail(where + ".garrison.castle", "城の名前 (文字列) がありません");
            side.hasGarrison = true;
            side.castleName = g.at("castle").get<std::string>();
            side.garrisonSoldiers = number(g, "soldiers", where + ".garrison", 0, 32767, 0);
        }
        if (side.unitCount() == 0) fail(where, "武将も守備兵もいない陣営では戦えません");
    }
    return c;
}

json unitsJson(const FieldBattle& b) {
    json sides = json::array();
    for (const FieldSide& s : b.sides) {
        json units = json::array();
        for (const FieldLine& line : s.lines)
            for (const FieldUnit& u : line)
                units.push_back({{"name", unitName(s, u.ref)},
                                 {"morale", u.morale},
                                 {"cavalry", unitCavalry(s, u.ref)},
                                 {"foot", unitFoot(s, u.ref)},
                                 {"guns", unitGuns(s, u.ref)}});
        sides.push_back(std::move(units));
    }
    return sides;
}

json linesJson(const FieldBattle& b) {
    json sides = json::array();
    for (const FieldSide& s : b.sides) {
        json lines = json::array();
        for (const FieldLine& line : s.lines) {
            json names = json::array();
            for (const FieldUnit& u : line)
                names.push_back(unitName(s, u.ref));
            lines.push_back(std::move(names));
        }
        sides.push_back(std::move(lines));
    }
    return sides;
}

void emit(const json& j) {
    const std::string text = j.dump(-1, ' ', false, json::error_handler_t::replace);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int fieldBattle(const Args& args) {
    if (args.size() != 2) {
        std::fputs("使い方: vardenholm-cli fieldbattle CASE.json\n", stderr);
        return 2;
    }
    std::ifstream in(args[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "ファイルエラー: %s\n", args[1].c_str());
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    Case c;
    try {
        c = readCase(json::parse(text.str()));
    } catch (const json::exception& e) {
        std::fprintf(stderr, "JSON の誤り: %s: %s\n", args[1].c_str(), e.what());
        return 2;
    } catch (const CaseError& e) {
        std::fprintf(stderr, "ケースの誤り: %s: %s\n", args[1].c_str(), e.what());
        return 2;
    }

    FieldBattle& b = c.battle;
    Random rng(c.seed);
    setUpFieldBattle(b, rng);
    const json surpriser =
        b.surpriser >= 0 ? json(b.sides[b.surprise == 1 ? 0 : 1].generals[b.surpriser].name) : json();
    emit({{"event", "setup"},
          {"surprise", b.surprise},
          {"surpriser", surpriser},
          {"confusion", b.confusion},
          {"positions", {b.sides[0].position, b.sides[1].position}},
          {"lines", linesJson(b)}});
    while (b.result == kFieldUndecided) {
        previewFieldTurn(b, rng);
        const int o0 = computerFieldOrder(b, 0, rng);
        const int o1 = computerFieldOrder(b, 1, rng);
        executeFieldTurn(b, o0, o1, rng);
        emit({{"event", "turn"},
              {"turn", b.turn},
              {"orders", {o0, o1}},
              {"positions", {b.sides[0].position, b.sides[1].position}},
              {"units", unitsJson(b)}});
    }
    finishFieldBattle(b, rng);
    json dead = json::array();
    for (const auto& [side, ref] : b.dead)
        dead.push_back(b.sides[side].generals[ref].name);
    json points = json::object(), rest = json::object();
    for (const FieldSide& s : b.sides)
        for (const FieldGeneral& g : s.generals) {
            points[g.name] = g.fieldStratagemPoints;
            rest[g.name] = g.surpriseRest;
        }
    emit({{"event", "end"},
          {"result", b.result},
          {"dead", dead},
          {"units", unitsJson(b)},
          {"fieldStratagemPoints", points},
          {"surpriseRest", rest}});
    return 0;
}

} // namespace vh::cli
