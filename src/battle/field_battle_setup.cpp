// Set-up of a field battle: totals, the surprise attack and its confusion, the automatic
// formation, deployment; and the small queries every step of the battle leans on.
#include "battle/field_battle.h"

#include "world/random.h"
#include "world/ranked_list.h"

#include <algorithm>

namespace vh {

// ---- units ----

bool unitBroken(const FieldUnit& u) {
    return u.morale <= 0;
}

int unitCavalry(const FieldSide& s, int ref) {
    return ref == kGarrisonUnit ? 0 : s.generals[ref].cavalry;
}
int unitFoot(const FieldSide& s, int ref) {
    return ref == kGarrisonUnit ? s.garrisonSoldiers : s.generals[ref].foot;
}
int unitGuns(const FieldSide& s, int ref) {
    return ref == kGarrisonUnit ? 0 : s.generals[ref].guns;
}
int unitValor(const FieldSide& s, int ref) {
    return ref == kGarrisonUnit ? 3 : s.generals[ref].valor;
}

std::string unitName(const FieldSide& s, int ref) {
    return ref == kGarrisonUnit ? s.castleName + "守備兵" : s.generals[ref].name;
}

int computeFrontLine(const FieldSide& s) {
    for (int l = 0; l < kFieldLineCount; ++l)
        for (const FieldUnit& u : s.lines[l])
            if (!unitBroken(u)) return l;
    return -1;
}

int sideMen(const FieldSide& s) {
    int men = 0;
    for (const FieldLine& line : s.lines)
        for (const FieldUnit& u : line)
            men += unitCavalry(s, u.ref) + unitFoot(s, u.ref);
    return men;
}

int fieldDistance(const FieldBattle& b) {
    return b.sides[1].position - b.sides[0].position;
}

bool frontLineHasGuns(const FieldBattle& b, int side) {
    const FieldSide& s = b.sides[side];
    if (s.frontLine < 0) return false;
    for (const FieldUnit& u : s.lines[s.frontLine])
        if (!unitBroken(u) && unitGuns(s, u.ref) > 0) return true;
    return false;
}

bool isSurprisedSide(const FieldBattle& b, int side) {
    return (b.surprise == 1 && side == 1) || (b.surprise == 2 && side == 0);
}
bool isSurprisingSide(const FieldBattle& b, int side) {
    return (b.surprise == 1 && side == 0) || (b.surprise == 2 && side == 1);
}

static bool lineHasUnbroken(const FieldLine& line) {
    for (const FieldUnit& u : line)
        if (!unitBroken(u)) return true;
    return false;
}

bool mayExchangeLines(const FieldBattle& b, int side) {
    const FieldSide& s = b.sides[side];
    return !isSurprisedSide(b, side) && lineHasUnbroken(s.lines[kFieldVanguard]) &&
           lineHasUnbroken(s.lines[kFieldSecondLine]);
}

bool retreatRefused(const FieldBattle& b, int side) {
    return isSurprisedSide(b, side) && b.turn <= b.confusion;
}

bool fieldOrderUsable(const FieldBattle& b, int side, int order) {
    const int d = fieldDistance(b);
    switch (order) {
    case kOrderHold:
    case kOrderAdvance:
        return d >= 2;
    case kOrderAttack:
        return d < 2;
    case kOrderGunfire:
        return !b.rain && frontLineHasGuns(b, side) && d >= 2;
    case kOrderExchange:
        return mayExchangeLines(b, side);
    case kOrderRetreat:
        return true; // refused with a message during the confusion
    default:
        return false;
    }
}

const char* fieldLineName(int line) {
    static const char* const kNames[] = {"先陣", "第二陣", "本陣"};
    return line >= 0 && line < kFieldLineCount ? kNames[line] : "";
}

const char* fieldOrderName(int order) {
    static const char* const kNames[] = {"待機", "前進", "攻撃", "鉄砲射撃", "先陣／第二陣 交代", "退却"};
    return order >= 0 && order <= kOrderRetreat ? kNames[order] : "";
}

std::string fieldTurnLine(const FieldBattle& b) {
    const int shown = std::min(b.turn + 1, kFieldTurnLimit);
    return "ターン " + std::to_string(shown) + "/" + std::to_string(kFieldTurnLimit);
}

std::string fieldWeatherLine(const FieldBattle& b) {
    return b.rain ? "天候 : 雨（鉄砲使用不可）" : "天候 : 晴れ";
}

// ---- set-up ----

void beginFieldBattle(FieldBattle& b, Random& rng) {
    for (FieldSide& s : b.sides) {
        if (s.generals.size() > kFieldMaxGenerals) s.generals.resize(kFieldMaxGenerals);
        s.totalCavalry = s.totalFoot = s.totalGuns = 0;
        for (const FieldGeneral& g : s.generals) {
            s.totalCavalry += g.cavalry;
            s.totalFoot += g.foot;
            s.totalGuns += g.guns;
        }
        if (s.hasGarrison) s.totalFoot += s.garrisonSoldiers;
        for (FieldLine& line : s.lines)
            line.count = 0;
    }
    b.turn = 0;
    b.surprise = 0;
    b.surpriser = -1;
    b.confusion = 0;
    b.result = kFieldUndecided;
    b.deployed = false;
    b.finished = false;
    b.dead.clear();
    b.events = FieldTurnEvents{};
    if (!b.settings.kishuu) return;

    const long long men0 = static_cast<long long>(b.sides[0].totalCavalry) + b.sides[0].totalFoot;
    const long long men1 = static_cast<long long>(b.sides[1].totalCavalry) + b.sides[1].totalFoot;
    if (men0 != men1) {
        const int weak = men0 < men1 ? 0 : 1;
        int best = 0;
        for (const FieldGeneral& g : b.sides[1 - weak].generals)
            best = std::max(best, g.intellect);
        std::vector<FieldGeneral>& gs = b.sides[weak].generals;
        for (int i = 0; i < static_cast<int>(gs.size()); ++i) {
            FieldGeneral& g = gs[i];
            if (g.fieldStratagemPoints >= 100 && g.surpriseRest == 0 && g.intellect - best > 2) {
                g.surpriseRest = 2 + static_cast<int>(3 * rng.unit());
                g.fieldStratagemPoints -= 100;
                b.surprise = weak == 0 ? 1 : 2;
                b.surpriser = i;
                break;
            }
        }
    }
    b.confusion = 3 + rng.below(3);
}

// The commander when no head of an independent house fights: among the generals of the side's
// own house and the guests, the wisest of the fewest-guns group, else the first qualifying one
// met towards the front; when nobody qualifies, the weakest of the fewest-guns group.
static int chooseFallbackCommander(const FieldSide& s, const RankedList& order) {
    const int n = order.size();
    if (n == 0) return -1;
    const int fewest = order.key(n - 1);
    int groupStart = n - 1;
    while (groupStart > 0 && order.key(groupStart - 1) == fewest)
        --groupStart;
    auto qualifies = [&](int pos) {
        const FieldGeneral& g = s.generals[order.item(pos)];
        return g.ofCommandingHouse || g.guest;
    };
    int best = -1;
    for (int pos = n - 1; pos >= groupStart; --pos)
        if (qualifies(pos) &&
            (best < 0 || s.generals[order.item(pos)].intellect > s.generals[order.item(best)].intellect))
            best = pos;
    if (best >= 0) return best;
    for (int pos = groupStart - 1; pos >= 0; --pos)
        if (qualifies(pos)) return pos;
    auto weight = [&](int pos) {
        const FieldGeneral& g = s.generals[order.item(pos)];
        return 3LL * g.cavalry + g.foot;
    };
    best = n - 1;
    for (int pos = n - 2; pos >= groupStart; --pos)
        if (weight(pos) < weight(best)) best = pos;
    return best;
}

void formFieldSideAutomatically(FieldBattle& b, int side, Random& rng) {
    FieldSide& s = b.sides[side];
    const int n = static_cast<int>(s.generals.size());
    RankedList order(n > 0 ? n : 1);
    for (int i = 0; i < n; ++i)
        order.add(i, s.generals[i].guns);
    order.sortDescending();
    order.shuffleTies(rng);

    for (FieldLine& line : s.lines)
        line.count = 0;
    int commander = -1;
    for (int pos = 0; pos < order.size() && commander < 0; ++pos)
        if (s.generals[order.item(pos)].headOfIndependentHouse) commander = pos;
    if (commander < 0) commander = chooseFallbackCommander(s, order);

    int rest[kFieldMaxUnits];
    int count = 0;
    if (commander >= 0) {
        s.lines[kFieldMainLine].add(order.item(commander));
        order.removeAt(commander);
    }
    for (int pos = 0; pos < order.size(); ++pos)
        rest[count++] = order.item(pos);
    if (s.hasGarrison) rest[count++] = kGarrisonUnit;
    int first = 0;
    if (s.lines[kFieldMainLine].count == 0 && count > 0) s.lines[kFieldMainLine].add(rest[first++]);
    const int remaining = count - first;
    const int vanguard = (remaining + 1) / 2;
    for (int i = first; i < count; ++i)
        s.lines[i - first < vanguard ? kFieldVanguard : kFieldSecondLine].add(rest[i]);
}

void setFieldFormation(FieldBattle& b, int side, const std::array<std::vector<int>, kFieldLineCount>& lines) {
    FieldSide& s = b.sides[side];
    for (int l = 0; l < kFieldLineCount; ++l) {
        s.lines[l].count = 0;
        for (int ref : lines[l])
            if (ref == kGarrisonUnit ? s.hasGarrison : ref >= 0 && ref < static_cast<int>(s.generals.size()))
                s.lines[l].add(ref);
    }
}

void deployFieldBattle(FieldBattle& b) {
    for (FieldSide& s : b.sides) {
        for (FieldLine& line : s.lines)
            for (FieldUnit& u : line)
                u.morale = u.previewMorale = 100;
        s.frontLine = computeFrontLine(s);
        s.commandBonus = 0;
        if (s.lines[kFieldMainLine].count > 0) {
            const int ref = s.lines[kFieldMainLine].units[0].ref;
            // The garrison unit as commander reads no general record: no bonus.
            if (ref != kGarrisonUnit) {
                const FieldGeneral& g = s.generals[ref];
                if (g.ofCommandingHouse || g.guest) s.commandBonus = g.intellect;
            }
        }
    }
    b.deployed = true;
    const bool surprised = b.surprise != 0;
    b.sides[0].position = surprised ? 4 : 2;
    b.sides[1].position = surprised ? 5 : 7;
}

void setUpFieldBattle(FieldBattle& b, Random& rng) {
    beginFieldBattle(b, rng);
    formFieldSideAutomatically(b, 0, rng);
    formFieldSideAutomatically(b, 1, rng);
    deployFieldBattle(b);
}

} // namespace vh
