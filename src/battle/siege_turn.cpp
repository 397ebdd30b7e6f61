// The siege turn and the month around it: the garrison's withdrawal, storm, food and the two
// sides' stratagems, the guns push-back and the automatic siege.
#include "battle/siege.h"

#include "world/numeric.h"
#include "world/random.h"
#include "world/ranked_list.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vh {

namespace {

void say(Siege& s, std::string text) {
    if (s.wantMessages) s.messages.push_back(std::move(text));
}

// A troop count times a stratagem's factor, truncated; a factor is never below 0.
int shrink(int value, double factor) {
    return static_cast<int>(value * std::clamp(factor, 0.0, 1.0));
}

// The side's generals in random order: a tie shuffle over equal keys, no draw for one general.
RankedList randomOrder(const std::vector<SiegeGeneral>& side, Random& rng) {
    RankedList order(kSiegeSideMax);
    for (int i = 0; i < static_cast<int>(side.size()); ++i)
        order.add(i, 0);
    order.shuffleTies(rng);
    return order;
}

int highestIntellect(const std::vector<SiegeGeneral>& side) {
    int best = -1; // no generals: any plotter is cleverer
    for (const SiegeGeneral& g : side)
        best = std::max(best, g.intellect);
    return best;
}

// The first general of the side, in random order, able to plot against an enemy whose cleverest
// general has `enemyBest`: he rests and pays for it. Returns his position or -1.
int plotter(std::vector<SiegeGeneral>& side, int enemyBest, Random& rng) {
    const RankedList order = randomOrder(side, rng);
    for (int pos = 0; pos < order.size(); ++pos) {
        SiegeGeneral& g = side[order.item(pos)];
        if (g.points >= kSiegeStratagemCost && g.rest == 0 && g.intellect > enemyBest) {
            g.rest = 1 + static_cast<int>(3 * rng.unit());
            g.points -= kSiegeStratagemCost;
            return order.item(pos);
        }
    }
    return -1;
}

// Desertion among `victims` set off by a plotter of intellect `cunning`: foot, then cavalry.
void thinRanks(std::vector<SiegeGeneral>& victims, int cunning, Random& rng) {
    for (SiegeGeneral& g : victims) {
        g.troops.foot = shrink(g.troops.foot, 0.9 + 0.05 * rng.unit() + 0.01 * g.intellect - 0.005 * cunning);
        g.troops.cavalry =
            shrink(g.troops.cavalry, 0.9 + 0.05 * rng.unit() + 0.01 * g.intellect - 0.005 * cunning);
        g.troops.guns = std::min(g.troops.guns, g.troops.foot);
    }
}

std::string fill(const char* pattern, const std::string& a, const std::string& b = {},
                 const std::string& c = {}) {
    std::string out;
    const std::string* args[] = {&a, &b, &c};
    int next = 0;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 's' && next < 3) {
            out += *args[next++];
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// Step 3 of a turn: at most one stratagem, the besiegers' first.
int stratagems(Siege& s, int result, Random& rng) {
    const int b = plotter(s.besiegers, highestIntellect(s.defenders), rng);
    if (b >= 0) {
        const SiegeGeneral& p = s.besiegers[b];
        s.stratagem = {StratagemSide::Besiegers, StratagemKind::Rumour, b, p.name};
        if (s.order == SiegeOrder::Storm) {
            thinRanks(s.defenders, p.intellect, rng);
            s.garrison = shrink(s.garrison, 0.9 + 0.05 * rng.unit() + 0.03 - 0.005 * p.intellect);
            say(s, fill("【攻城軍の流言】\n%s の %s が城内に間者を潜入させて落城間近の流言を広めたため、"
                        "動揺した %s の兵に逃亡者がでています",
                        s.besiegingHouse, p.name, s.ownerHouse));
        } else {
            s.stratagem.kind = StratagemKind::Granary;
            const int burnt = static_cast<int>((0.05 + 0.025 * rng.unit() + 0.01 * p.intellect) *
                                               s.settings.shiroHyourouMax);
            s.food = static_cast<int>(std::max<int64_t>(0, static_cast<int64_t>(s.food) - burnt));
            say(s, fill("【攻城軍の兵糧倉焼き討ち】\n%s の %s "
                        "の手勢が城内に潜入し、兵糧倉の焼き討ちに成功しました",
                        s.besiegingHouse, p.name));
        }
        return s.food == 0 ? kSiegeSurrendered : result;
    }
    const int g = plotter(s.defenders, highestIntellect(s.besiegers), rng);
    if (g >= 0) {
        const SiegeGeneral& p = s.defenders[g];
        s.stratagem = {StratagemSide::Garrison, StratagemKind::Decoy, g, p.name};
        thinRanks(s.besiegers, p.intellect, rng);
        say(s, fill("【篭城軍の囮部隊による計略】\n%s の %s の囮部隊の誘いにより、%s "
                    "の兵の一部が突出して損害を受けました",
                    s.ownerHouse, p.name, s.firstBesiegerHouse));
    }
    return result;
}

int troopKey(const SiegeTroops& t) {
    return 3 * t.cavalry + t.foot;
}

} // namespace

int withdrawGarrison(Siege& s, Random& rng) {
    const int count = static_cast<int>(std::min<size_t>(s.defenders.size(), kSiegeSideMax));
    RankedList ranked(kSiegeSideMax);
    for (int i = 0; i < count; ++i)
        ranked.add(i, troopKey(s.defenders[i].troops));
    ranked.sortDescending();
    ranked.shuffleTies(rng);

    SiegeTroops b[kSiegeSideMax], rest[kSiegeSideMax];
    const size_t nb = std::min<size_t>(s.besiegers.size(), kSiegeSideMax);
    for (size_t i = 0; i < nb; ++i)
        b[i] = s.besiegers[i].troops;

    bool leaving[kSiegeSideMax] = {};
    int left = 0;
    for (int j = 0; j < count; ++j) {
        int men = s.garrison;
        for (int k = j; k < count; ++k)
            men += s.defenders[ranked.item(k)].troops.men();
        size_t nr = 0;
        for (int k = j + 1; k < count; ++k)
            rest[nr++] = s.defenders[ranked.item(k)].troops;
        const int months = assaultMonths({b, nb}, {rest, nr}, s.garrison, s.progress, s.size, rng);
        if (months < foodMonths(s, men)) break;
        auto to = std::find_if(s.neighbours.begin(), s.neighbours.end(), [](const SiegeNeighbour& n) {
            return n.sameSide && !n.besieged && n.generalCount < kSiegeSideMax;
        });
        if (to == s.neighbours.end()) break;
        ++to->generalCount;
        const int who = ranked.item(j);
        leaving[who] = true;
        s.withdrawals.push_back({s.defenders[who], static_cast<int>(to - s.neighbours.begin()), s.turn + 1});
        say(s, s.defenders[who].name + "は退却しました");
        ++left;
    }
    if (left > 0) {
        std::vector<SiegeGeneral> staying;
        for (int i = 0; i < static_cast<int>(s.defenders.size()); ++i)
            if (i >= kSiegeSideMax || !leaving[i]) staying.push_back(std::move(s.defenders[i]));
        s.defenders = std::move(staying);
    }
    return left;
}

int siegeTurn(Siege& s, SiegeOrder order, Random& rng) {
    if (s.over()) return s.result;
    ++s.turn;
    s.order = order;
    s.stratagem = {};
    if (order == SiegeOrder::Storm) {
        assault(s, rng);
        if (s.progress >= s.target()) return s.result = kSiegeFallen;
    }
    int result = kSiegeHolds;
    const double eaten = std::ceil(static_cast<double>(defendersMen(s)) * s.settings.heiUnit / 5.0);
    const double food = static_cast<double>(s.food) - eaten;
    if (food < 1) {
        s.food = 0;
        result = kSiegeSurrendered;
    } else {
        s.food = static_cast<int>(food);
    }
    // A surrender for hunger still lets this turn's plotters act.
    if (s.settings.keiryaku && !s.besiegers.empty()) result = stratagems(s, result, rng);
    return s.result = result;
}

int gunsPushBack(Siege& s, Random& rng) {
    s.pushbackDone = true;
    s.pushback = 0;
    int guns = 0;
    for (const SiegeGeneral& g : s.defenders)
        guns += g.troops.guns;
    if (guns == 0 || s.progress < 1) return 0;
    const int attackers = besiegersMen(s);
    double x = 10000.0;
    if (attackers > 0) {
        x = s.settings.tk4 / 10.0 * (static_cast<double>(guns) / attackers) * 50 * (0.8 + 0.4 * rng.unit());
        x = std::clamp(x, 1.0, 10000.0);
    }
    s.pushback = static_cast<int>(x);
    s.progress = std::max(0, s.progress - s.pushback);
    say(s, "守備軍の鉄砲による反撃で、攻城軍が押し戻されました");
    return s.pushback;
}

int automaticSiegeTurn(Siege& s, Random& rng) {
    if (s.over()) return s.result;
    withdrawGarrison(s, rng);
    return siegeTurn(s, besiegersChoice(s, rng), rng);
}

int automaticSiege(Siege& s, Random& rng, const std::function<void(const Siege&)>& afterTurn) {
    while (!s.over()) {
        automaticSiegeTurn(s, rng);
        if (afterTurn) afterTurn(s);
    }
    if (s.result == kSiegeHolds && !s.pushbackDone) gunsPushBack(s, rng);
    return s.result;
}

} // namespace vh
