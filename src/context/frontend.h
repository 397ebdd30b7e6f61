// Frontend: everything the rules show to or ask of the player, one method per kind of request.
// The desktop window, the headless runner and the tests' scripted player all implement it.
#pragma once

#include "context/economy_requests.h"
#include "context/envoy_request.h"
#include "context/event_requests.h"
#include "context/personnel_requests.h"

#include <string>

namespace vh {

struct FieldBattle;
class Random;

// What became of a battle offered to the player's window.
enum class HandBattle {
    NotByHand, // no window: the rules fight it automatically
    Fought,    // fought to its end in the window (result set, death and pursuit applied)
    Abandoned, // the program was closed inside the window: the rules settle the battle
               // automatically, and the month stops without asking the player anything more
};
class PlayerSiege;

// Texts are UTF-8. Questions return the player's answer; display hooks have empty defaults
// because only the desktop window has anything to redraw.
//
// Typed requests that later rules add (harvest tax, accounts, envoys, ronin, battles, ...) should
// come with a default body that gives the rules' own automatic answer, so the headless runner
// inherits it and only the desktop window and the scripted player override it.
class Frontend {
public:
    virtual ~Frontend() = default;

    // A modal message with an OK button.
    virtual void showMessage(const std::string& text) = 0;
    // OK/Cancel: true for OK.
    virtual bool askOkCancel(const std::string& text) = 0;
    // Yes/No (はい/いいえ): true for yes.
    virtual bool askYesNo(const std::string& text) = 0;

    // End of month after the player's house has fallen: true to watch on, false to end the game.
    virtual bool askWatchOn(const std::string& text) = 0;
    // The ending dialog ("エンディング", button "完"): the unifying house's name followed by the
    // scenario's ending text.
    virtual void showEnding(const std::string& text) = 0;

    // Display hooks of the turn driver.
    // A phase began: its label "%sフェイズ" and its command buttons (phase 0 has none).
    virtual void phaseStarted(int /*phase*/) {}
    // The player's turn of the current phase: enable "コマンド終了".
    virtual void playerTurn() {}
    // The world changed wholesale (a loaded game): redraw header, map and lists.
    virtual void worldReplaced() {}
    // The ordinary background piece should play unless it already does.
    virtual void playOrdinaryMusic() {}
    // A computer house added lines to the month's diplomacy log: show them.
    virtual void diplomacyLogGrew() {}

    // The month's accounts and events. Defaults give the automatic behaviour.
    // Harvest (収穫): a tax index 0..8; the standard rate "50% (標準)" when nobody chooses.
    virtual int chooseHarvestTax(const HarvestRequest& /*request*/) { return kStandardTaxIndex; }
    // The accounts report (収支報告) of the player's house.
    virtual void showAccountsReport(const AccountsReport& /*report*/) {}
    // A trade fleet came home (交易船帰港).
    virtual void showTradeShipReturn(const TradeShipReturn& r) {
        showMessage(r.firstLine() + "\n" + r.secondLine());
    }
    // The event window (イベント) for heavy snow or rain, with the affected provinces.
    virtual void showWeatherEvent(const WeatherEvent& e) { showMessage(e.heading() + "\n" + e.footer()); }
    // Guns reached the player's house this month (鉄砲入手). Without a window nobody is told.
    virtual void showGunDelivery(const GunDelivery& /*delivery*/) {}
    // A masterless general asks for service (登用選択): true takes him on, as a computer house would.
    virtual bool askRoninService(const RoninRequest& /*request*/) { return true; }

    // The month's battle report ("合戦および攻城戦の発生状況"): its lines, or "特になし".
    virtual void showBattleReport(const std::string& /*text*/) {}
    // The player withdraws generals from his besieged castle ("城から退却", from the siege
    // window). Without a window nobody leaves.
    virtual void chooseCastleRetreat(int /*castle*/) {}

    // A computer house's envoy asks the player's house for consent (使者来訪). Without a dialog
    // the player's house answers as a computer house would in its place.
    virtual EnvoyVisitAnswer askEnvoyVisit(const EnvoyVisitRequest& request) {
        return request.computerAnswer ? request.computerAnswer() : EnvoyVisitAnswer{};
    }

    // A field battle the player fights by hand (his side is side 0), handed set up up to its
    // formations (the surprise is drawn, no formation made yet). The window forms the player's
    // side, the enemy's automatically, deploys and plays turn by turn through the engine's step
    // functions with `rng`, up to finishFieldBattle.
    virtual HandBattle fightFieldBattle(FieldBattle& /*battle*/, Random& /*rng*/) {
        return HandBattle::NotByHand;
    }
    // The player's siege of the month in the siege window (攻城戦), driven through the engine's
    // steps. False when it is not fought by hand: the rule then runs the automatic siege.
    virtual bool fightSiege(PlayerSiege& /*siege*/) { return false; }
    // Another house demands a hostage (人質差し出し): the row given, or -1 to refuse. Without a
    // dialog the player's house gives what a computer house would.
    virtual int chooseHostage(const HostageRequest& request) { return request.automaticChoice; }
    // The player's conquest took prisoners (降伏武将の処遇): call the request's operations until
    // every row is dealt with. Without a dialog each is offered service as a computer conqueror
    // would; who refuses stays a prisoner.
    virtual void treatSurrenderedGenerals(const SurrenderRequest& request) {
        for (const SurrenderedRow& row : request.rows)
            if (request.recruit) request.recruit(row.general);
    }
};

} // namespace vh
