// Frontend: everything the rules show to or ask of the player, one method per kind of request.
// The desktop window, the headless runner and the tests' scripted player all implement it.
#pragma once

#include "context/envoy_request.h"
#include "context/event_requests.h"

#include <string>

namespace vh {

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
    // A masterless general asks for service (登用選択): true takes him on, as a computer house would.
    virtual bool askRoninService(const RoninRequest& /*request*/) { return true; }

    // A computer house's envoy asks the player's house for consent (使者来訪). Without a dialog
    // the player's house answers as a computer house would in its place.
    virtual EnvoyVisitAnswer askEnvoyVisit(const EnvoyVisitRequest& request) {
        return request.computerAnswer ? request.computerAnswer() : EnvoyVisitAnswer{};
    }
};

} // namespace vh
