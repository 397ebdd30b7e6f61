// The player's eight diplomacy commands: preconditions, choices, checks and operations.
// The window only gathers the choices; every rule and every text lives here.
#include "diplomacy/player_commands.h"

#include "diplomacy/diplomacy_text.h"
#include "diplomacy/figures.h"
#include "diplomacy/operations.h"
#include "diplomacy/relations.h"
#include "context/game.h"
#include "world/castle_rules.h"
#include "world/numeric.h"

#include <algorithm>

namespace vh {

namespace {

using Cmd = DiplomacyCommand;

constexpr const char* kTooManyLordCommands = "今回のターンではこれ以上外交コマンドは実行できません";

bool validHouse(const WorldState& w, int house) {
    return house >= 0 && house < w.houseCount;
}

TargetCheck refuse(std::string message, int house) {
    return {TargetCheck::Refuse, std::move(message), house, 0};
}

TargetCheck retarget(const WorldState& w, const char* question, int house) {
    const int lord = w.houses[house].lord;
    return {TargetCheck::AskRetarget, withHouses(w, question, house, lord), lord, 0};
}

} // namespace

const char* diplomacyCommandCaption(DiplomacyCommand command) {
    switch (command) {
    case Cmd::NonAggression:
        return "不戦同盟交渉";
    case Cmd::DemandSubordination:
        return "従属要求";
    case Cmd::DemandSubmission:
        return "臣従要求";
    case Cmd::BreakRelation:
        return "外交関係破棄";
    case Cmd::Independence:
        return "独立";
    case Cmd::ChangeLord:
        return "主家鞍替";
    case Cmd::ApplySubordination:
        return "従属志願";
    case Cmd::ApplySubmission:
        return "臣従志願";
    case Cmd::Coalition:
        return "連合結成";
    case Cmd::PrisonerExchange:
        return "捕虜交換";
    }
    return "";
}

std::string checkDiplomacyCommand(const WorldState& w, DiplomacyCommand command) {
    // Without a house of the player's the buttons are not offered; nothing to refuse here.
    if (!validHouse(w, w.playerHouse)) return {};
    const int state = w.houses[w.playerHouse].vassalState;
    switch (command) {
    case Cmd::NonAggression:
    case Cmd::DemandSubordination:
    case Cmd::DemandSubmission:
    case Cmd::BreakRelation:
        if (state == 1) return "当家は従属大名なので外交交渉できません";
        if (state == 2) return "当家は臣従大名なので外交交渉できません";
        return {};
    case Cmd::Independence:
        if (state == 0) return "当家は既に独立大名です";
        if (lordCommandUsed(w)) return kTooManyLordCommands;
        return {};
    case Cmd::ChangeLord:
        if (lordCommandUsed(w)) return kTooManyLordCommands;
        if (state == 0) return "当家は独立大名なのでこのコマンドは使用できません";
        return {};
    case Cmd::ApplySubordination:
    case Cmd::ApplySubmission:
        if (lordCommandUsed(w)) return kTooManyLordCommands;
        if (state != 0) return "当家は独立大名ではないのでこのコマンドは使用できません";
        return {};
    case Cmd::Coalition:
        return "このコマンドは現バージョンでは使用できません";
    case Cmd::PrisonerExchange:
        return {};
    }
    return {};
}

bool commandNeedsEnvoy(DiplomacyCommand command) {
    return command == Cmd::NonAggression || command == Cmd::DemandSubordination ||
           command == Cmd::DemandSubmission;
}

bool isEnvoyCastle(const WorldState& w, int castle) {
    return castle >= 0 && castle < w.castleCount && effectiveOwner(w, castle) == w.playerHouse;
}

std::vector<EnvoyRow> envoyCandidates(const WorldState& w, int castle) {
    std::vector<EnvoyRow> rows;
    if (!isEnvoyCastle(w, castle)) return rows;
    const Castle& k = w.castles[castle];
    for (int i = 0; i < std::min<int>(k.generalCount, Castle::kMaxGenerals); ++i) {
        const int g = k.generals[i];
        if (g < 0 || g >= w.generalCount || (w.generals[g].flags & kFlagActed)) continue;
        const int house = w.generals[g].house;
        const bool head = house >= 0 && house < w.houseCount && w.houses[house].head == g;
        rows.push_back({g, generalNameText(w, g), head ? "当主" : ""});
    }
    return rows;
}

const char* houseChoiceTitle(DiplomacyCommand command) {
    switch (command) {
    case Cmd::NonAggression:
        return "不戦同盟交渉大名家選択";
    case Cmd::DemandSubordination:
        return "従属要求大名家選択";
    case Cmd::DemandSubmission:
        return "臣従要求大名家選択";
    case Cmd::ChangeLord:
        return "主家鞍替大名家選択";
    case Cmd::ApplySubordination:
        return "従属志願大名家選択";
    case Cmd::ApplySubmission:
        return "臣従志願大名家選択";
    case Cmd::BreakRelation:
        return "同盟破棄大名家選択";
    case Cmd::PrisonerExchange:
        return "捕虜交換大名家選択";
    default:
        return "";
    }
}

const char* houseChoicePrompt(DiplomacyCommand command) {
    switch (command) {
    case Cmd::NonAggression:
        return "国を指定し、不戦同盟交渉する大名家を選んでください";
    case Cmd::DemandSubordination:
        return "国を指定し、従属要求する大名家を選んでください";
    case Cmd::DemandSubmission:
        return "国を指定し、臣従要求する大名家を選んでください";
    case Cmd::ChangeLord:
        return "国を指定し、主家鞍替する大名家を選んでください";
    case Cmd::ApplySubordination:
        return "国を指定し、従属志願する大名家を選んでください";
    case Cmd::ApplySubmission:
        return "国を指定し、臣従志願する大名家を選んでください";
    case Cmd::BreakRelation:
        return "国を指定し、同盟破棄する大名家を選んでください";
    case Cmd::PrisonerExchange:
        return "国を指定し、捕虜交換する大名家を選んでください";
    default:
        return "";
    }
}

std::string provinceChoiceRefusal(const WorldState& w, int province) {
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castleSites[c].province == province) return {};
    return noProvinceDataMessage(w, province);
}

std::vector<HouseChoiceRow> houseChoiceRows(const WorldState& w, int province) {
    std::vector<HouseChoiceRow> rows;
    for (int c = 0; c < w.castleCount; ++c) {
        const int owner = w.castles[c].owner;
        if (w.castleSites[c].province != province || !houseAlive(w, owner)) continue;
        if (std::any_of(rows.begin(), rows.end(), [&](const HouseChoiceRow& r) { return r.house == owner; }))
            continue;
        const int koku = kokuOf(w, owner);
        rows.push_back({owner, houseNameText(w, owner), castleCountOf(w, owner), koku, formatKoku(koku)});
    }
    return rows;
}

TargetCheck checkDiplomacyTarget(const WorldState& w, DiplomacyCommand command, int p) {
    const int me = w.playerHouse;
    if (!validHouse(w, p) || !validHouse(w, me)) return refuse({}, p);
    if (p == me) return refuse("当家以外の大名を指定してください", p);
    // The exchange partner needs no negotiation check: the exchange dialog itself asks it.
    if (command == Cmd::PrisonerExchange) return {TargetCheck::Confirm, {}, p, 0};
    const int k = kindAbout(w, p, me);
    const bool pVassal = isVassal(w, p);

    if (command == Cmd::NonAggression) {
        if (k == kRelSubordinateTo) return refuse(withHouse(w, "%sは既に従属済みです", p), p);
        if (k == kRelSubmittedTo) return refuse(withHouse(w, "%sは既に臣従済みです", p), p);
        if (k == kRelPact) return refuse(withHouse(w, "%sとは既に不戦同盟済みです", p), p);
        if (pVassal) return retarget(w, "%sは独立大名ではありません。主家の%sと不戦同盟交渉しますか？", p);
        if (k == kRelSwornEnemy)
            return refuse(withHouse(w, "%sとは宿敵関係なので不戦同盟交渉できません", p), p);
    }
    if (negotiatedThisTurn(w, p)) return refuse(withHouse(w, "%sとはすでに今回のターンで交渉済みです", p), p);

    switch (command) {
    case Cmd::DemandSubordination:
        if (k == kRelSubordinateTo) return refuse(withHouse(w, "%sは既に従属済みです", p), p);
        if (k == kRelSubmittedTo) return refuse(withHouse(w, "%sは既に臣従済みです", p), p);
        if (k != kRelPact) return refuse("当家と不戦同盟済みの大名家にのみ従属要求できます", p);
        if (pVassal) return retarget(w, "%sは独立大名ではありません。主家の%sに従属要求を出しますか？", p);
        break;
    case Cmd::DemandSubmission:
        if (k == kRelSubmittedTo) return refuse(withHouse(w, "%sは既に臣従済みです", p), p);
        if (k != kRelSubordinateTo) return refuse("当家に従属済みの大名家にのみ臣従要求できます", p);
        break;
    case Cmd::ChangeLord:
        if (isVassal(w, me) && w.houses[me].lord == p)
            return refuse(withHouse(w, "%sは既に当家の主家です", p), p);
        if (pVassal) return refuse(withHouse(w, "%sは独立大名ではないので主家鞍替できません", p), p);
        break;
    case Cmd::ApplySubordination:
        if (pVassal) return refuse(withHouse(w, "%sは独立大名ではないので従属志願できません", p), p);
        break;
    case Cmd::ApplySubmission:
        if (pVassal) return refuse(withHouse(w, "%sは独立大名ではないので臣従志願できません", p), p);
        break;
    case Cmd::BreakRelation:
        if (!isFriendlyKind(k)) return refuse(withHouse(w, "%sとは同盟を結んでいません", p), p);
        if (pVassal && k != kRelSubordinateTo && k != kRelSubmittedTo)
            return retarget(w, "%sは独立大名ではありません。主家の%sと同盟破棄しますか？", p);
        break;
    default:
        break;
    }

    if (command == Cmd::BreakRelation)
        return {TargetCheck::Confirm, withHouse(w, "%sに使者を送り同盟を破棄します", p), p, 0};
    if (command == Cmd::NonAggression) {
        const int cost = nonAggressionCost(w, p);
        if (w.houses[me].funds < cost) return {TargetCheck::NoFunds, "資金が足りません", p, cost};
        return {TargetCheck::Confirm,
                fillText("%sに使者を送り交渉を行います（成功すると%dの費用が必要）",
                         houseNameText(w, p).c_str(), cost),
                p, cost};
    }
    return {TargetCheck::Confirm, withHouse(w, "%sに使者を送り交渉を行います", p), p, 0};
}

std::string independenceQuestion(const WorldState& w) {
    return withHouse(w, "%sから独立しますか？", w.houses[w.playerHouse].lord);
}

DiplomacyOutcome runDiplomacyCommand(Game& game, DiplomacyCommand command, int house, int envoy) {
    WorldState& w = game.world;
    const int me = w.playerHouse;
    DiplomacyOutcome out;
    if (command == Cmd::Coalition || command == Cmd::PrisonerExchange || !validHouse(w, me)) return out;
    if (command == Cmd::Independence) house = w.houses[me].lord;
    if (!validHouse(w, house) || house == me) return out;
    markNegotiated(w, house);
    if (commandNeedsEnvoy(command) && envoy >= 0 && envoy < w.generalCount)
        w.generals[envoy].flags |= kFlagActed;

    auto say = [&](bool ok, const char* success, const char* failure) {
        out.success = ok;
        const char* text = ok ? success : failure;
        if (text) out.messages.push_back(withHouse(w, text, house));
    };
    switch (command) {
    case Cmd::NonAggression:
        say(proposeNonAggression(game, me, house), "%sと不戦同盟を結びました",
            "%sは不戦同盟に応じませんでした");
        if (out.success && isAinu(w, house) && bordersHouse(w, me, house))
            out.messages.push_back("当家はアイヌ民族との交易を開始しました");
        break;
    case Cmd::DemandSubordination:
        say(demandSubordination(game, me, house), "%sは当家に従属しました", "%sは従属要求に応じませんでした");
        break;
    case Cmd::DemandSubmission:
        say(demandSubmission(game, me, house), "%sは当家に臣従しました", "%sは臣従要求に応じませんでした");
        out.vassalWindow = out.success;
        break;
    case Cmd::BreakRelation:
        say(breakRelation(game, me, house), "%sとの外交関係を破棄しました", nullptr);
        break;
    case Cmd::Independence:
        say(declareIndependence(game, me), nullptr, nullptr);
        break;
    case Cmd::ChangeLord:
        say(changeLord(game, house, me), "当家は主家を%sに鞍替えしました",
            "%sは主家鞍替えに応じませんでした");
        break;
    case Cmd::ApplySubordination:
        say(applyForSubordination(game, house, me), "当家は%sに従属しました",
            "%sは当家の従属志願を拒否しました");
        break;
    case Cmd::ApplySubmission:
        say(applyForSubmission(game, house, me), "当家は%sに臣従しました",
            "%sは当家の臣従志願を拒否しました");
        break;
    case Cmd::Coalition:
    case Cmd::PrisonerExchange:
        break;
    }
    const bool lordCommand =
        command == Cmd::ChangeLord || command == Cmd::ApplySubordination || command == Cmd::ApplySubmission;
    if (lordCommand && out.success) markLordCommandUsed(w);
    return out;
}

} // namespace vh
