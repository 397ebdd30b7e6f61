// The desktop window's answers to the month's requests and to envoys: each request opens its
// modal dialog over the main window, except during automatic play, which must never wait.
#include "ui/accounts_report_dialog.h"
#include "ui/battle_report_dialog.h"
#include "ui/castle_retreat_dialog.h"
#include "ui/envoy_visit_dialog.h"
#include "ui/event_window.h"
#include "ui/firearms_dialogs.h"
#include "ui/harvest_dialog.h"
#include "ui/hostage_dialogs.h"
#include "ui/main_window.h"
#include "ui/prisoner_dialogs.h"
#include "ui/qt_frontend.h"
#include "ui/ronin_dialog.h"

#include <QApplication>

namespace vh::ui {

namespace {

MapViewState startState(MainWindow* window) {
    return window ? window->mapView()->state() : MapViewState{};
}

} // namespace

bool QtFrontend::quiet() const {
    return !window_ || window_->game().quietMode;
}

int QtFrontend::chooseHarvestTax(const HarvestRequest& request) {
    if (quiet()) return Frontend::chooseHarvestTax(request);
    HarvestDialog d(window_->game().world, request, startState(window_), window_);
    d.exec();
    return d.taxIndex();
}

void QtFrontend::showBattleReport(const std::string& text) {
    if (quiet()) return;
    BattleReportDialog d(text, window_);
    d.exec();
}

void QtFrontend::chooseCastleRetreat(int castle) {
    if (!window_) return;
    QWidget* over = QApplication::activeModalWidget();
    runCastleRetreatDialog(over ? over : window_, window_->game(), castle);
}

void QtFrontend::showAccountsReport(const AccountsReport& report) {
    if (quiet()) return;
    AccountsReportDialog d(report, window_);
    d.exec();
}

void QtFrontend::showTradeShipReturn(const TradeShipReturn& r) {
    if (quiet()) return;
    showTradeShipReturnMessage(window_, r);
}

void QtFrontend::showWeatherEvent(const WeatherEvent& e) {
    if (quiet()) return;
    EventWindow d(window_->game().world, e, startState(window_), window_);
    d.exec();
}

void QtFrontend::showGunDelivery(const GunDelivery& delivery) {
    if (quiet()) return;
    GunDeliveryDialog d(delivery, window_);
    d.exec();
}

bool QtFrontend::askRoninService(const RoninRequest& request) {
    if (quiet()) return Frontend::askRoninService(request);
    RoninDialog d(request, window_);
    d.exec();
    return d.accepted();
}

EnvoyVisitAnswer QtFrontend::askEnvoyVisit(const EnvoyVisitRequest& request) {
    if (quiet()) return Frontend::askEnvoyVisit(request);
    EnvoyVisitDialog d(window_->game().world, request, startState(window_), window_);
    d.exec();
    return d.answer();
}

int QtFrontend::chooseHostage(const HostageRequest& request) {
    if (quiet()) return Frontend::chooseHostage(request);
    HostageOfferDialog d(request, window_);
    d.exec();
    return d.choice();
}

void QtFrontend::treatSurrenderedGenerals(const SurrenderRequest& request) {
    if (quiet()) return Frontend::treatSurrenderedGenerals(request);
    PrisonerDialog d(PrisonerDialog::Mode::Surrender, request, {}, window_);
    d.exec();
    window_->refresh();
}

} // namespace vh::ui
