// The player's diplomacy commands: preconditions in order, the checks on the chosen house with
// the retargeting questions, confirmations and cost, and what running a command marks.
#include "diplomacy/player_commands.h"
#include "diplomacy_fixture.h"
#include "world/byte_io.h"
#include "world/text_codec.h"

namespace vh::test {
namespace {

struct Commands : DiplomacyTest {
    int me = b.house("当家");
    int p = b.house("相手");
    int q = b.house("主家");
    int mc = castle("本城", me, 3000, 0);
    int pc = castle("相手城", p, 1234, 1);
    int qc = castle("主家城", q, 5000, 1);
    void SetUp() override {
        w.playerHouse = me;
        b.route(mc, pc);
        b.route(pc, qc);
    }
    TargetCheck check(DiplomacyCommand c, int house) { return checkDiplomacyTarget(w, c, house); }
};

using Cmd = DiplomacyCommand;

TEST_F(Commands, PreconditionsComeInTheirOrder) {
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::NonAggression), "");
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::Independence), "当家は既に独立大名です");
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::ChangeLord), "当家は独立大名なのでこのコマンドは使用できません");
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::Coalition), "このコマンドは現バージョンでは使用できません");
    markLordCommandUsed(w);
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::Independence), "当家は既に独立大名です");
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::ChangeLord),
              "今回のターンではこれ以上外交コマンドは実行できません");
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::ApplySubmission),
              "今回のターンではこれ以上外交コマンドは実行できません");

    b.vassal(me, q, 1);
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::BreakRelation), "当家は従属大名なので外交交渉できません");
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::Independence),
              "今回のターンではこれ以上外交コマンドは実行できません");
    clearDiplomacyTurnFlags(w);
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::Independence), "");
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::ApplySubordination),
              "当家は独立大名ではないのでこのコマンドは使用できません");
    b.vassal(me, q, 2);
    EXPECT_EQ(checkDiplomacyCommand(w, Cmd::DemandSubmission), "当家は臣従大名なので外交交渉できません");
    EXPECT_EQ(independenceQuestion(w), "主家から独立しますか？");
}

TEST_F(Commands, SubordinationDemandOnAVassalRetargetsOnlyAfterTheKindCheck) {
    b.vassal(p, q, 1);
    EXPECT_EQ(check(Cmd::DemandSubordination, me).message, "当家以外の大名を指定してください");
    TargetCheck r = check(Cmd::DemandSubordination, p);
    EXPECT_EQ(r.result, TargetCheck::Refuse);
    EXPECT_EQ(r.message, "当家と不戦同盟済みの大名家にのみ従属要求できます");

    setPairKind(w, p, me, kRelPact);
    r = check(Cmd::DemandSubordination, p);
    EXPECT_EQ(r.result, TargetCheck::AskRetarget);
    EXPECT_EQ(r.message, "相手は独立大名ではありません。主家の主家に従属要求を出しますか？");
    EXPECT_EQ(r.house, q);
    // はい: the lord is checked from the start, and it is not allied with us.
    EXPECT_EQ(check(Cmd::DemandSubordination, r.house).message,
              "当家と不戦同盟済みの大名家にのみ従属要求できます");
    setPairKind(w, q, me, kRelPact);
    r = check(Cmd::DemandSubordination, q);
    EXPECT_EQ(r.result, TargetCheck::Confirm);
    EXPECT_EQ(r.message, "主家に使者を送り交渉を行います");

    // Having negotiated this month comes before every kind check of the demand.
    markNegotiated(w, p);
    EXPECT_EQ(check(Cmd::DemandSubordination, p).message, "相手とはすでに今回のターンで交渉済みです");
    setPairKind(w, q, me, kRelSubordinateTo);
    EXPECT_EQ(check(Cmd::DemandSubordination, q).message, "主家は既に従属済みです");
}

TEST_F(Commands, NonAggressionChecksAndItsCost) {
    b.vassal(p, me, 1);
    EXPECT_EQ(check(Cmd::NonAggression, p).message, "相手は既に従属済みです");
    b.vassal(p, q, 1);
    setPairKind(w, p, me, kRelNothing);
    TargetCheck r = check(Cmd::NonAggression, p);
    EXPECT_EQ(r.result, TargetCheck::AskRetarget);
    EXPECT_EQ(r.message, "相手は独立大名ではありません。主家の主家と不戦同盟交渉しますか？");
    setPairKind(w, q, me, kRelSwornEnemy);
    markNegotiated(w, q);
    // The enemy check comes before the negotiated mark for this command.
    EXPECT_EQ(check(Cmd::NonAggression, q).message, "主家とは宿敵関係なので不戦同盟交渉できません");
    setPairKind(w, q, me, kRelNothing);
    EXPECT_EQ(check(Cmd::NonAggression, q).message, "主家とはすでに今回のターンで交渉済みです");

    clearDiplomacyTurnFlags(w);
    w.houses[me].funds = 499;
    r = check(Cmd::NonAggression, q);
    EXPECT_EQ(r.result, TargetCheck::NoFunds);
    EXPECT_EQ(r.message, "資金が足りません");
    w.houses[me].funds = 500;
    r = check(Cmd::NonAggression, q);
    EXPECT_EQ(r.result, TargetCheck::Confirm);
    EXPECT_EQ(r.cost, 500);
    EXPECT_EQ(r.message, "主家に使者を送り交渉を行います（成功すると500の費用が必要）");
}

TEST_F(Commands, BreakingWithALordsVassalAsksToBreakWithTheLord) {
    EXPECT_EQ(check(Cmd::BreakRelation, p).message, "相手とは同盟を結んでいません");
    b.vassal(p, q, 2);
    setPairKind(w, p, me, kRelPact);
    TargetCheck r = check(Cmd::BreakRelation, p);
    EXPECT_EQ(r.result, TargetCheck::AskRetarget);
    EXPECT_EQ(r.message, "相手は独立大名ではありません。主家の主家と同盟破棄しますか？");
    EXPECT_EQ(r.house, q);
    // Our own vassal is broken with directly.
    b.vassal(p, me, 2);
    r = check(Cmd::BreakRelation, p);
    EXPECT_EQ(r.result, TargetCheck::Confirm);
    EXPECT_EQ(r.message, "相手に使者を送り同盟を破棄します");
}

TEST_F(Commands, LordRelatedChecks) {
    b.vassal(me, q, 1);
    EXPECT_EQ(check(Cmd::ChangeLord, q).message, "主家は既に当家の主家です");
    const int other = b.house("別");
    b.vassal(other, p, 1);
    EXPECT_EQ(check(Cmd::ChangeLord, other).message, "別は独立大名ではないので主家鞍替できません");
    EXPECT_EQ(check(Cmd::ApplySubordination, other).message, "別は独立大名ではないので従属志願できません");
    EXPECT_EQ(check(Cmd::ApplySubmission, other).message, "別は独立大名ではないので臣従志願できません");
    EXPECT_EQ(check(Cmd::DemandSubmission, p).message, "当家に従属済みの大名家にのみ臣従要求できます");
}

TEST_F(Commands, AFailedProposalStillMarksTheHouseAndTheEnvoy) {
    const int envoy = general("使者", me, mc);
    setRelationCounter(w.houses[p], me, 5); // a grudge: refused without weighing
    const DiplomacyOutcome out = runDiplomacyCommand(game, Cmd::NonAggression, p, envoy);
    EXPECT_FALSE(out.success);
    EXPECT_EQ(out.messages, (std::vector<std::string>{"相手は不戦同盟に応じませんでした"}));
    EXPECT_TRUE(negotiatedThisTurn(w, p));
    EXPECT_TRUE(w.generals[envoy].flags & kFlagActed);
    EXPECT_TRUE(envoyCandidates(w, mc).empty());
}

TEST_F(Commands, AnAllianceWithTheAinuOpensTrade) {
    w.houses[p].kind = kHouseAinu;
    w.houses[me].funds = 1000;
    const DiplomacyOutcome out = runDiplomacyCommand(game, Cmd::NonAggression, p);
    EXPECT_TRUE(out.success);
    EXPECT_EQ(out.messages, (std::vector<std::string>{"相手と不戦同盟を結びました",
                                                      "当家はアイヌ民族との交易を開始しました"}));
    EXPECT_EQ(w.houses[me].funds, 1000 - 123);
}

TEST_F(Commands, OnlyASuccessfulLordCommandUsesTheMonthsTurn) {
    setRelationCounter(w.houses[q], me, 3); // q still refuses us
    DiplomacyOutcome out = runDiplomacyCommand(game, Cmd::ApplySubordination, q);
    EXPECT_FALSE(out.success);
    EXPECT_EQ(out.messages, (std::vector<std::string>{"主家は当家の従属志願を拒否しました"}));
    EXPECT_FALSE(lordCommandUsed(w));
    setRelationCounter(w.houses[q], me, 0);
    out = runDiplomacyCommand(game, Cmd::ApplySubordination, q);
    EXPECT_TRUE(out.success);
    EXPECT_EQ(out.messages, (std::vector<std::string>{"当家は主家に従属しました"}));
    EXPECT_TRUE(lordCommandUsed(w));

    // Independence marks the lord as negotiated and leaves the month's lord command alone.
    clearDiplomacyTurnFlags(w);
    out = runDiplomacyCommand(game, Cmd::Independence, -1);
    EXPECT_TRUE(out.success);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_TRUE(negotiatedThisTurn(w, q));
    EXPECT_FALSE(lordCommandUsed(w));
    EXPECT_EQ(w.houses[me].vassalState, 0);
}

TEST_F(Commands, ASubmissionShowsTheVassalWindow) {
    b.vassal(p, me, 1);
    w.castles[pc].yield = 100;
    general("当主", me, mc, 1000, 1000);
    const DiplomacyOutcome out = runDiplomacyCommand(game, Cmd::DemandSubmission, p);
    ASSERT_TRUE(out.success);
    EXPECT_TRUE(out.vassalWindow);
    EXPECT_EQ(out.messages, (std::vector<std::string>{"相手は当家に臣従しました"}));
}

TEST_F(Commands, EnvoyAndHouseChoices) {
    const int head = general("殿", me, mc);
    const int retainer = general("家臣", me, mc);
    w.generals[retainer].flags |= kFlagActed;
    const int sub = b.house("臣"), subCastle = castle("臣城", sub, 10, 0);
    b.vassal(sub, me, 2);
    const int subGeneral = general("臣将", sub, subCastle);
    std::vector<EnvoyRow> rows = envoyCandidates(w, mc);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].general, head);
    EXPECT_EQ(rows[0].rank, "当主");
    EXPECT_TRUE(isEnvoyCastle(w, subCastle));
    EXPECT_EQ(envoyCandidates(w, subCastle)[0].general, subGeneral);
    EXPECT_EQ(envoyCandidates(w, subCastle)[0].rank, "当主");
    EXPECT_FALSE(isEnvoyCastle(w, pc));

    EXPECT_STREQ(houseChoiceTitle(Cmd::BreakRelation), "同盟破棄大名家選択");
    EXPECT_STREQ(houseChoicePrompt(Cmd::ApplySubmission), "国を指定し、臣従志願する大名家を選んでください");
    castle("相手出城", p, 1000, 2);
    const std::vector<HouseChoiceRow> choice = houseChoiceRows(w, 1);
    ASSERT_EQ(choice.size(), 2u);
    EXPECT_EQ(choice[0].house, p);
    EXPECT_EQ(choice[0].castles, 2);
    EXPECT_EQ(choice[0].kokuText, "0万2234石");
    EXPECT_EQ(choice[1].house, q);

    w.map.provinces.resize(4);
    setFieldText(w.map.provinces[3].name, utf8ToCp932("蝦夷"));
    EXPECT_EQ(provinceChoiceRefusal(w, 3), "このシナリオでは、蝦夷のデータはありません");
    EXPECT_EQ(provinceChoiceRefusal(w, 1), "");
}

} // namespace
} // namespace vh::test
