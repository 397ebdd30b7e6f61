// The desktop window's side of the Frontend seam: the rules' messages and questions as modal
// dialogs over the main window, and the turn driver's display hooks redrawing it.
#pragma once

#include "context/frontend.h"

#include <functional>

namespace vh::ui {

class MainWindow;

class QtFrontend : public Frontend {
  public:
    void attach(MainWindow* window) { window_ = window; }

    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askWatchOn(const std::string& text) override;
    void showEnding(const std::string& text) override;

    void phaseStarted(int phase) override;
    void playerTurn() override;
    void worldReplaced() override;
    void diplomacyLogGrew() override;
    void playOrdinaryMusic() override {
        if (ordinaryMusic) ordinaryMusic();
    }
    // The music player's ordinary and battle pieces (set by the application once its music
    // exists). The windows of hand-fought battles and sieges call battleMusic as they open.
    std::function<void()> ordinaryMusic;
    std::function<void()> battleMusic;

    // The month's dialogs and the envoy visit (qt_frontend_requests.cpp). During automatic play
    // (or with no window attached) they give the automatic answers and show nothing.
    int chooseHarvestTax(const HarvestRequest& request) override;
    void showAccountsReport(const AccountsReport& report) override;
    void showTradeShipReturn(const TradeShipReturn& r) override;
    void showWeatherEvent(const WeatherEvent& e) override;
    void showGunDelivery(const GunDelivery& delivery) override;
    bool askRoninService(const RoninRequest& request) override;
    EnvoyVisitAnswer askEnvoyVisit(const EnvoyVisitRequest& request) override;
    // The siege window with the battle piece (qt_frontend_siege.cpp). Leaving it before the siege
    // is over ends the program: the siege is abandoned and programClosing runs (by default the
    // application quits once the rules have stopped the month).
    bool fightSiege(PlayerSiege& siege) override;
    std::function<void()> programClosing;

    // A hand-fought field battle (qt_frontend_field_battle.cpp): the formation window, then the
    // battle window, with the battle piece playing while they are open.
    HandBattle fightFieldBattle(FieldBattle& battle, Random& rng) override;
    int chooseHostage(const HostageRequest& request) override;
    void treatSurrenderedGenerals(const SurrenderRequest& request) override;
    // The month's battle report (合戦および攻城戦の発生状況).
    void showBattleReport(const std::string& text) override;
    // 城から退却 over the siege window.
    void chooseCastleRetreat(int castle) override;

  private:
    bool quiet() const;
    MainWindow* window_ = nullptr;
};

} // namespace vh::ui
