// The three development routines and the player's command around them.
#include "economy/development.h"

#include "context/game.h"
#include "economy/economy_common.h"
#include "world/numeric.h"

#include <algorithm>
#include <cstdio>

namespace vh {

namespace {

const DevelopmentTexts kLand = {
    "開墾",
    "開墾を実行",
    "開墾する城を指定して下さい",
    "開墾する地域（城）を指定してください",
    "現在石高",
    "最大石高",
    "%dの費用が必要です。開墾しますか？",
    "大名家当主の所在地から遠すぎるため、開墾指示できません\n（当主と同じ国か、隣接国のみ指示可能です）",
    500,
};
const DevelopmentTexts kMarket = {
    "楽市楽座",
    "楽市楽座を実行",
    "楽市楽座を行う城を指定して下さい",
    "楽市楽座を行う地域（城）を指定してください",
    "現在経済",
    "最大経済",
    "%dの費用が必要です。楽市楽座を行いますか？",
    "大名家当主の所在地から遠すぎるため、楽市楽座の指示ができません\n（当主と同じ国か、隣接国のみ指示可能です"
    "）",
    50,
};
const DevelopmentTexts kMine = {
    "鉱山開発",
    "鉱山開発を実行",
    "鉱山開発を行う城を指定して下さい",
    "鉱山開発を行う地域（城）を指定してください",
    "現在鉱山規模",
    "最大鉱山規模",
    "%dの費用が必要です。鉱山開発を行いますか？",
    "大名家当主の所在地から遠すぎるため、鉱山開発の指示ができません\n（当主と同じ国か、隣接国のみ指示可能です"
    "）",
    100,
};

std::string withNumber(const char* format, int n) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

int valueOf(const Castle& k, Development kind) {
    switch (kind) {
    case Development::Land:
        return k.yield;
    case Development::Market:
        return k.town;
    case Development::Mine:
        return k.mine;
    }
    return 0;
}

} // namespace

const DevelopmentTexts& developmentTexts(Development kind) {
    switch (kind) {
    case Development::Land:
        return kLand;
    case Development::Market:
        return kMarket;
    case Development::Mine:
        return kMine;
    }
    return kLand;
}

int developmentValue(const WorldState& w, Development kind, int castle) {
    return valueOf(w.castles[castle], kind);
}

int snapshotValue(const WorldState& w, Development kind, int castle) {
    return valueOf(w.castleSnapshot[castle], kind);
}

int developmentMaximum(const WorldState& w, Development kind, int castle) {
    const CastleSite& s = w.castleSites[castle];
    switch (kind) {
    case Development::Land:
        return s.maxYield;
    case Development::Market:
        return s.maxTown;
    case Development::Mine:
        return s.maxMine;
    }
    return 0;
}

int provincePolitics(const WorldState& w, int castle) {
    const int owner = w.castles[castle].owner;
    const int province = w.castleSites[castle].province;
    int best = 0;
    for (int g = 0; g < w.generalCount; ++g) {
        const General& r = w.generals[g];
        if (r.house != owner || (r.flags & kFlagInField) || r.castle < 0 || r.castle >= w.castleCount)
            continue;
        if (w.castleSites[r.castle].province != province) continue;
        best = std::max(best, static_cast<int>(r.politics));
    }
    return best;
}

std::vector<int> provincePoliticsTable(const WorldState& w, int owner, const std::vector<int>* generals) {
    std::vector<int> best(256, 0);
    const auto take = [&](int g) {
        const General& r = w.generals[g];
        if (r.house != owner || (r.flags & kFlagInField) || r.castle < 0 || r.castle >= w.castleCount) return;
        int& b = best[w.castleSites[r.castle].province];
        b = std::max(b, static_cast<int>(r.politics));
    };
    if (generals) {
        for (int g : *generals) take(g);
    } else {
        for (int g = 0; g < w.generalCount; ++g) take(g);
    }
    return best;
}

int developCastle(Game& game, Development kind, int castle, bool preview) {
    return developCastleWithPolitics(game, kind, castle, preview, provincePolitics(game.world, castle));
}

int developCastleWithPolitics(Game& game, Development kind, int castle, bool preview, int politics) {
    WorldState& w = game.world;
    const int p = politics;
    double x = 0;
    double low = 0.9, span = 0.2;
    switch (kind) {
    case Development::Land:
        x = (p + 10) * 80.0;
        break;
    case Development::Market:
        x = p + 10.0;
        break;
    case Development::Mine:
        x = (p + 10) * 1.5;
        low = 0.8;
        span = 0.4;
        break;
    }
    x *= preview ? low + span * 0.5 : low + span * game.rng.unit();
    const int value = developmentValue(w, kind, castle);
    const int ceiling = developmentMaximum(w, kind, castle);
    // A castle already at or above its ceiling keeps its value: development never lowers it.
    const int64_t grown = std::min<int64_t>(int64_t{value} + static_cast<int64_t>(x), ceiling);
    const int result = static_cast<int>(std::max<int64_t>(value, grown));
    if (preview) return result;

    Castle& k = w.castles[castle];
    switch (kind) {
    case Development::Land:
        k.yield = result;
        break;
    case Development::Market:
        k.town = static_cast<int16_t>(result);
        break;
    case Development::Mine:
        k.mine = static_cast<int16_t>(result);
        break;
    }
    if (kind != Development::Mine) {
        const double divisor = kind == Development::Land ? 30.0 : 5.0;
        const double r = game.rng.unit();
        const int gain = roundHalfAway((0.8 + 0.4 * r) * x / divisor * (1500 - k.support) / 1500.0);
        k.support = static_cast<int16_t>(std::clamp(k.support + gain, 0, 1000));
    }
    return result;
}

std::string checkDevelopmentCommand(const WorldState& w, Development kind, int province) {
    if (!validProvince(w, province)) return kChooseProvince;
    if (kind == Development::Land && w.date.month >= 3 && w.date.month <= 8) return kFarmingSeason;
    if (!withinHeadReach(w, w.playerHouse, province)) return developmentTexts(kind).tooFar;
    return {};
}

std::vector<int> developmentCastles(const WorldState& w, Development kind, int house, int province) {
    std::vector<int> out;
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castleSites[c].province != province || w.castles[c].owner != house) continue;
        if (w.castles[c].besiegerCount != 0) continue;
        const int value = developmentValue(w, kind, c);
        if (value >= developmentMaximum(w, kind, c) || value > snapshotValue(w, kind, c)) continue;
        out.push_back(c);
    }
    return out;
}

DevelopmentCheck checkDevelopmentOrder(const WorldState& w, Development kind, int house, int ticked) {
    const DevelopmentTexts& t = developmentTexts(kind);
    DevelopmentCheck out;
    out.cost = ticked * t.price;
    if (ticked <= 0) {
        out.message = t.nothingTicked;
    } else if (accountFunds(w, house, -1) < out.cost) {
        out.message = withNumber("%dの費用が必要ですが、資金が足りません", out.cost);
    } else {
        out.confirm = true;
        out.message = withNumber(t.question, out.cost);
    }
    return out;
}

std::vector<int> runDevelopment(Game& game, Development kind, int house, int corps,
                                const std::vector<int>& castles) {
    std::vector<int> values;
    values.reserve(castles.size());
    const int price = developmentTexts(kind).price;
    for (int c : castles) {
        values.push_back(developCastle(game, kind, c, false));
        chargeAccount(game.world, house, corps, price);
    }
    return values;
}

} // namespace vh
