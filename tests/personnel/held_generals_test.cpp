// Prisoners, hostages and guest generals: capture and its draw, willingness, recruiting,
// release and exchange, the hostage hand-over and its draws, coming of age and return, guests,
// and the computer houses' personnel step.
#include "diplomacy/operations.h"
#include "diplomacy/player_commands.h"
#include "game/phase_table.h"
#include "personnel/guests.h"
#include "personnel/hostages.h"
#include "personnel/personnel_lists.h"
#include "personnel/prisoners.h"
#include "personnel_fixture.h"

#include <algorithm>

namespace vh::test {
namespace {

using Prisoners = PersonnelTest;
using Hostages = PersonnelTest;
using Guests = PersonnelTest;

TEST_F(Prisoners, CaptureDrawsTheRefusalCounterOnce) {
    const int man = general("氏真", rival, rivalCastle);
    w.generals[man].loyalty = 10;
    w.generals[man].cavalry = 30;
    w.generals[man].flags |= kFlagInField;
    game.rng.seed(4242);
    Random probe(4242);
    const double u = probe.unit();
    takePrisoner(game, me, man);
    EXPECT_EQ(game.rng.state(), probe.state());
    const General& g = w.generals[man];
    EXPECT_EQ(g.refusalCounter, static_cast<int>((3 * u - 3 + 10) * 3));
    EXPECT_EQ(g.house, kHouseHeld);
    EXPECT_EQ(g.holderHouse, me);
    EXPECT_EQ(g.originHouse, rival);
    EXPECT_EQ(g.status, kStatusPrisoner);
    EXPECT_EQ(g.cavalry, 0);
    EXPECT_EQ(g.flags & kFlagInField, 0);
    EXPECT_NE(g.flags & kFlagAwaitingPlacement, 0);
    EXPECT_EQ(player.count("message"), 0); // only the player's own losses are announced

    const int mine = general("秀吉", me, myCastle);
    takePrisoner(game, rival, mine);
    EXPECT_EQ(player.texts("message"), std::vector<std::string>{"秀吉 が 今川 の捕虜になりました"});
}

TEST_F(Prisoners, ACapturedHeadNeverServesWhileHisHouseHoldsACastle) {
    takePrisoner(game, me, rivalHead);
    EXPECT_EQ(w.generals[rivalHead].refusalCounter, 127);
    EXPECT_EQ(w.houses[rival].head, -2);
    EXPECT_FALSE(canRecruit(w, rivalHead));
    EXPECT_TRUE(heldRow(w, rivalHead).head);
    EXPECT_FALSE(recruitPrisoner(game, rivalHead));
    EXPECT_EQ(w.generals[rivalHead].status, kStatusPrisoner);

    // His house lost its last castle: he is willing at once.
    w.castles[rivalCastle].owner = static_cast<int16_t>(me);
    EXPECT_TRUE(heldRow(w, rivalHead).willing);
    ASSERT_TRUE(recruitPrisoner(game, rivalHead));
    const General& g = w.generals[rivalHead];
    EXPECT_EQ(g.house, me);
    EXPECT_EQ(g.status, kStatusOrdinary);
    EXPECT_GE(g.castle, 0);
    EXPECT_EQ(w.castles[g.castle].owner, me);
}

TEST_F(Prisoners, ExchangeNeedsTheBetterBargainAndReleasesBoth) {
    const int ours = general("秀吉", me, myCastle, 6, 8);
    const int theirs = general("氏真", rival, rivalCastle, 6, 8);
    takePrisoner(game, rival, ours);
    takePrisoner(game, me, theirs);
    player.clear();
    ExchangeOutcome out = exchangePrisoners(game, rival, {ours}, {theirs});
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message, "今川 は捕虜交換を承諾しませんでした");
    EXPECT_EQ(w.generals[ours].status, kStatusPrisoner);

    // The partner comes from the diplomacy house choice: any house but the player's, no question.
    EXPECT_EQ(checkDiplomacyTarget(w, DiplomacyCommand::PrisonerExchange, me).message,
              "当家以外の大名を指定してください");
    const TargetCheck partner = checkDiplomacyTarget(w, DiplomacyCommand::PrisonerExchange, rival);
    EXPECT_EQ(partner.result, TargetCheck::Confirm);
    EXPECT_EQ(partner.message, "");

    w.generals[theirs].politics += 1;
    out = exchangePrisoners(game, rival, {ours}, {theirs});
    EXPECT_TRUE(out.accepted);
    EXPECT_EQ(out.message, "今川 は捕虜交換を承諾しました");
    EXPECT_EQ(w.generals[ours].house, me);
    EXPECT_EQ(w.generals[theirs].house, rival);
    EXPECT_EQ(w.generals[theirs].castle, rivalCastle);
    EXPECT_EQ(player.texts("message"),
              (std::vector<std::string>{"今川 は捕虜交換を承諾しませんでした", "今川 は捕虜交換を承諾しました",
                                        "秀吉 が 今川 の捕虜から解放され、清洲城 に帰還しました"}));
}

TEST_F(Prisoners, ReleaseWithoutAHomeCastleSeeksTheLargestFriends) {
    const int small = b.house("北条");
    const int big = b.house("武田");
    b.castle("小田原城", small);
    w.castles[b.castle("躑躅ヶ崎館", big)].yield = 5000;
    b.general("氏康", small, 3);
    b.general("信玄", big, 4);
    for (int h : {small, big}) setRelationKind(w.houses[h], rival, kRelPact);
    const int man = general("氏真", rival, rivalCastle);
    takePrisoner(game, me, man);
    w.castles[rivalCastle].owner = static_cast<int16_t>(me);
    releasePrisoner(game, man);
    const General& g = w.generals[man];
    EXPECT_EQ(g.house, kHouseRonin);
    EXPECT_EQ(g.status, kStatusOrdinary);
    EXPECT_EQ(g.refugeHouses[0], big);
    EXPECT_EQ(g.refugeHouses[1], small);
    EXPECT_EQ(g.refugeHouses[2], -1);
}

TEST_F(Prisoners, SurrenderedGeneralsAreOfferedToThePlayerOrRecruitedByAComputer) {
    const int willing = general("氏真", rival, rivalCastle);
    takePrisoner(game, me, rivalHead);
    takePrisoner(game, me, willing);
    w.generals[willing].refusalCounter = 0;
    treatSurrenderedGenerals(game, me, {rivalHead, willing});
    EXPECT_EQ(player.texts("surrender"), std::vector<std::string>{"義元,氏真"});
    // The default answer offers service: the willing one serves, the head stays a prisoner.
    EXPECT_EQ(w.generals[willing].house, me);
    EXPECT_EQ(w.generals[rivalHead].status, kStatusPrisoner);

    const int mine = general("秀吉", me, myCastle);
    takePrisoner(game, rival, mine);
    w.generals[mine].refusalCounter = 0;
    player.clear();
    treatSurrenderedGenerals(game, rival, {mine});
    EXPECT_EQ(player.count("surrender"), 0);
    EXPECT_EQ(w.generals[mine].house, rival);
    EXPECT_EQ(player.texts("message"),
              (std::vector<std::string>{"秀吉 が 今川 に登用されました", "秀吉は今川の家臣になりました"}));
}

TEST_F(Hostages, WithoutAnHeirANewOneIsMadeWithItsDrawsInOrder) {
    const int second = b.castle("掛川城", rival);
    game.rng.seed(99);
    Random probe(99);
    const double u = probe.unit();
    const int castleDraw = probe.below(2);
    const int h = takeHostage(game, me, rival);
    ASSERT_GE(h, 0);
    EXPECT_EQ(game.rng.state(), probe.state());
    const General& g = w.generals[h];
    EXPECT_EQ(std::string(fieldText(g.name)), utf8ToCp932("今川 世嗣"));
    EXPECT_EQ(g.valor + g.politics + g.intellect + g.ambition + g.loyalty, 15);
    EXPECT_EQ(g.birthYear, 1560 - 1 - static_cast<int>(12 * u));
    EXPECT_EQ(g.lifeEnd, g.birthYear + 60);
    EXPECT_EQ(g.moveTarget, g.birthYear + 17);
    EXPECT_EQ(g.sortieTarget, castleDraw == 0 ? rivalCastle : second);
    EXPECT_NE(g.flags & kFlagBirthUnknown, 0);
    EXPECT_EQ(g.status, kStatusHostage);
    EXPECT_EQ(g.house, kHouseHeld);
    EXPECT_EQ(g.holderHouse, me);
    EXPECT_EQ(g.originHouse, rival);
    EXPECT_EQ(g.castle, rivalCastle);
    EXPECT_EQ(g.entry, -1);
}

TEST_F(Hostages, TheLeastAbleRankedHeirIsHandedOverAndAFullTableRefuses) {
    auto heir = [&](const char* name, int birth, int valor, int rank) {
        const int i = b.waiting(name, rival, rivalCastle, 1570);
        General& g = w.waitingGenerals[i];
        g.birthYear = static_cast<int16_t>(birth);
        g.valor = static_cast<uint8_t>(valor);
        g.entry = static_cast<int16_t>(100 + i);
        w.scenarioGenerals[100 + i].house = static_cast<int16_t>(rival);
        w.scenarioGenerals[100 + i].succession = static_cast<int8_t>(rank);
        w.scenarioGeneralCount = 101 + i;
        return i;
    };
    heir("氏真", 1545, 1, 1);  // 15: not yet of age
    heir("長得", 1541, 1, 2);  // 19: too old
    heir("一月", 1560, 1, 3);  // 0: too young
    heir("彦五郎", 1550, 2, -1); // no rank
    heir("氏豊", 1552, 4, 4);
    EXPECT_EQ(hostageCandidates(w, rival), (std::vector<int>{0, 4}));
    const int before = w.waitingCount;
    const int h = takeHostage(game, me, rival);
    EXPECT_EQ(std::string(fieldText(w.generals[h].name)), utf8ToCp932("氏真"));
    EXPECT_EQ(w.waitingCount, before - 1);
    EXPECT_EQ(std::string(fieldText(w.waitingGenerals[0].name)), utf8ToCp932("長得"));

    w.generalCount = kMaxGenerals;
    EXPECT_TRUE(hostageCandidates(w, rival).empty());
    EXPECT_EQ(takeHostage(game, me, rival), -1);
    EXPECT_EQ(w.waitingCount, before - 1);
}

TEST_F(Hostages, ThePlayerChoosesOrRefusesAndTheLordIsTold) {
    player.hostageRow(-1).hostageRow(0);
    EXPECT_EQ(takeHostage(game, rival, me), -1);
    EXPECT_EQ(player.texts("hostage"), std::vector<std::string>{"今川 は人質の差し出しを要求してきました"});
    const int count = w.generalCount;
    const int h = takeHostage(game, rival, me);
    EXPECT_EQ(h, count);
    EXPECT_EQ(std::string(fieldText(w.generals[h].name)), utf8ToCp932("織田 世嗣"));

    // A computer house applying to the player's house hands one over when the box is ticked.
    const int applicant = b.house("浅井");
    b.castle("小谷城", applicant);
    b.general("長政", applicant, 3);
    player.clear();
    player.answer(true);
    struct Box : ScriptedFrontend {
        EnvoyVisitAnswer askEnvoyVisit(const EnvoyVisitRequest&) override { return {true, true}; }
    } box;
    game.frontend = &box;
    EXPECT_TRUE(applyForSubordination(game, me, applicant));
    EXPECT_EQ(box.texts("message"), std::vector<std::string>{"浅井 は人質として 浅井 世嗣 を差し出しました"});
    EXPECT_EQ(hostagesHeldBy(w, me).size(), 1u);
}

TEST_F(Hostages, ComingOfAgeAtFifteenAndReturnHome) {
    w.date.year = 1570;
    const int h = takeHostage(game, me, vassal);
    General& g = w.generals[h];
    g.birthYear = 1556; // 14
    EXPECT_EQ(checkComingOfAge(w, h), "15歳未満は元服できません");
    g.birthYear = 1555;
    EXPECT_EQ(checkComingOfAge(w, h), "");
    EXPECT_EQ(comingOfAgeQuestion(w, h), "徳川 の 徳川 世嗣 を元服させて客将に取立てます");
    const int other = takeHostage(game, me, rival);
    w.generals[other].birthYear = 1540;
    EXPECT_EQ(checkComingOfAge(w, other), "臣従大名家以外の人質を元服させることはできません");

    comeOfAge(game, h);
    EXPECT_EQ(g.status, kStatusGuest);
    EXPECT_EQ(g.house, vassal);
    EXPECT_EQ(g.moveTarget, -1);
    EXPECT_EQ(w.castles[vassalCastle].generals[w.castles[vassalCastle].generalCount - 1], h);

    // Home again: back on the waiting table, gone from the active world. A full table refuses.
    w.waitingCount = kMaxGenerals;
    EXPECT_EQ(checkReturnHostage(w, other), "待機中の武将が多すぎるため、今川 世嗣 を返還できません");
    EXPECT_FALSE(returnHostage(game, other));
    EXPECT_EQ(w.generals[other].house, kHouseHeld);
    w.waitingCount = 0;
    EXPECT_EQ(returnHostageQuestion(w, other), "今川 世嗣 を 今川 に返還します");
    ASSERT_TRUE(returnHostage(game, other));
    EXPECT_EQ(w.generals[other].house, kHouseLost);
    EXPECT_EQ(w.waitingCount, 1);
    EXPECT_EQ(w.waitingGenerals[0].house, rival);
    w.houses[rival].head = -1;
    const int third = takeHostage(game, me, vassal);
    w.houses[vassal].head = -1;
    EXPECT_EQ(checkReturnHostage(w, third), "滅亡した大名家の武将なので返還できません");
}

TEST_F(Guests, ASecondGuestFromTheSameVassalDemotesTheFirstAndSwapsTroops) {
    const int first = general("忠勝", vassal, vassalCastle);
    const int second = general("康政", vassal, vassalCastle);
    w.generals[first].cavalry = 10;
    w.generals[first].foot = 20;
    w.generals[first].guns = 3;
    w.generals[second].foot = 2;
    EXPECT_EQ(guestInvitationCandidates(w), (std::vector<int>{first, second}));
    EXPECT_EQ(guestInvitationQuestion(w, first), "徳川 の 忠勝 を客将として迎えます");
    makeGuest(game, first);
    EXPECT_EQ(guestInvitationCandidates(w), std::vector<int>{second});
    EXPECT_EQ(guestInvitationQuestion(w, second),
              "徳川 からは既に 忠勝 を客将として迎えています（一つの臣従大名家からは一人の客将のみ）\n康政 "
              "と客将を交代させますか？");
    makeGuest(game, second);
    EXPECT_EQ(w.generals[second].status, kStatusGuest);
    EXPECT_EQ(w.generals[first].status, kStatusOrdinary);
    EXPECT_EQ(w.generals[second].cavalry, 10);
    EXPECT_EQ(w.generals[second].guns, 3);
    EXPECT_EQ(w.generals[first].foot, 2);
}

TEST_F(Guests, AComputerHouseRecruitsWillingPrisonersAndTakesTheAblestGuest) {
    // The rival's vassal: its ablest man becomes the rival's guest; the player's house is told
    // when it is the vassal.
    w.playerHouse = vassal;
    b.vassal(vassal, rival);
    const int dull = general("凡", vassal, vassalCastle, 1, 1);
    const int able = general("忠勝", vassal, vassalCastle, 9, 3);
    const int wise = general("正信", vassal, vassalCastle, 2, 7);
    const int captive = general("秀吉", me, myCastle);
    takePrisoner(game, rival, captive);
    w.generals[captive].refusalCounter = 0;
    player.clear();
    // The 人事 phase runs it for every computer house.
    phaseRoutines(game, kPhasePersonnel).house(game, rival);
    EXPECT_EQ(w.generals[captive].house, rival);
    EXPECT_EQ(w.generals[wise].status, kStatusGuest); // 2 + 14 beats 9 + 6
    EXPECT_EQ(w.generals[able].status, kStatusOrdinary);
    EXPECT_EQ(w.generals[dull].status, kStatusOrdinary);
    EXPECT_EQ(player.texts("message"),
              (std::vector<std::string>{"秀吉は今川の家臣になりました",
                                        "当家の 正信 が 今川 に客将として招かれました\n（正信 の兵は他の武将に配分されます）"}));
    // The top man is a guest already: the house is left alone.
    computerPrisonersAndGuests(game, rival);
    EXPECT_EQ(w.generals[wise].status, kStatusGuest);
}

} // namespace
} // namespace vh::test
