// The trade-ship windows over the core's lists, limits and texts.
#include "ui/trade_ship_dialogs.h"

#include "economy/trade_ships.h"
#include "ui/economy_widgets.h"
#include "ui/ui_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

int playerFunds(const WorldState& w) {
    return w.houses[w.playerHouse].funds;
}

QLabel* remainingLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setAccessibleName("残り資金");
    return l;
}

// A number of ships, none until a port is chosen; a typed number counts once finished.
QSpinBox* shipCount(const QString& name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, 0);
    box->setSuffix("隻");
    box->setKeyboardTracking(false);
    box->setAccessibleName(name);
    return box;
}

} // namespace

// ---- 交易船派遣 ----------------------------------------------------------------------------

TradeDispatchDialog::TradeDispatchDialog(const WorldState& world, int province, QWidget* parent)
    : QDialog(parent), world_(world) {
    setWindowTitle("交易船派遣");
    auto* v = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;

    auto* from = new QVBoxLayout;
    from->addWidget(new QLabel("出港元", this));
    ports_ = economyList({"城（港）", "待機中交易船", "航海中交易船"}, "出港元", this);
    for (int c : portsOfProvince(world, world.playerHouse, province)) {
        const Castle& k = world.castles[c];
        ports_->addTopLevelItem(economyRow(
            {castleName(world, c), QString::number(waitingShips(k)), QString::number(shipsOnVoyage(k))}, c));
    }
    from->addWidget(ports_);
    lists->addLayout(from);

    auto* to = new QVBoxLayout;
    to->addWidget(new QLabel("派遣先", this));
    partners_ = economyList({"交易先", "往復所要月数", "親密度"}, "派遣先", this);
    for (const PartnerRow& r : partnersFrom(world, world.playerHouse, province))
        partners_->addTopLevelItem(
            economyRow({utf8(r.name), utf8(r.monthsText), utf8(r.friendship)}, r.partner));
    to->addWidget(partners_);
    to->addWidget(new QLabel(utf8(navigationLine(world, world.playerHouse)), this));
    lists->addLayout(to);
    v->addLayout(lists, 1);

    auto* fleet = new QGroupBox("派遣船団", this);
    auto* g = new QGridLayout(fleet);
    g->addWidget(new QLabel("交易船数", fleet), 0, 0);
    ships_ = shipCount("交易船数", fleet);
    g->addWidget(ships_, 0, 1);
    g->addWidget(new QLabel("派遣費 1隻 1000", fleet), 0, 2);
    g->addWidget(new QLabel("(航海訓練は派遣費 1隻 100）", fleet), 1, 2);
    v->addWidget(fleet);
    funds_ = remainingLabel(this);
    v->addWidget(funds_);

    ok_ = addOkCancel(this, v, &TradeDispatchDialog::tryAccept)->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false); // until a port (and a destination) is chosen
    connect(ports_, &QTreeWidget::currentItemChanged, this, &TradeDispatchDialog::choosePort);
    connect(partners_, &QTreeWidget::currentItemChanged, this, &TradeDispatchDialog::choosePartner);
    connect(ships_, &QSpinBox::valueChanged, this, &TradeDispatchDialog::shipsChanged);
    resize(620, 400);
    updateFunds();
}

int TradeDispatchDialog::ships() const {
    return ships_->value();
}

void TradeDispatchDialog::choosePort() {
    port_ = rowKey(ports_->currentItem());
    adjusting_ = true;
    ships_->setRange(0, port_ >= 0 ? waitingShips(world_.castles[port_]) : 0);
    adjusting_ = false;
    ok_->setEnabled(port_ >= 0 && partner_ >= 0);
    shipsChanged();
}

void TradeDispatchDialog::choosePartner() {
    partner_ = rowKey(partners_->currentItem());
    adjusting_ = true;
    ships_->setValue(0);
    adjusting_ = false;
    ok_->setEnabled(port_ >= 0 && partner_ >= 0);
    updateFunds();
}

void TradeDispatchDialog::shipsChanged() {
    if (adjusting_) return;
    const int price = voyagePrice(std::max(0, partner_));
    const int wanted = ships_->value();
    const int fits = affordableCount(wanted, playerFunds(world_), price);
    if (fits != wanted) {
        showMessage(this, kNotEnoughFunds);
        adjusting_ = true;
        ships_->setValue(fits);
        adjusting_ = false;
    }
    updateFunds();
}

void TradeDispatchDialog::updateFunds() {
    const int price = voyagePrice(std::max(0, partner_));
    funds_->setText(QString("残り資金 %1").arg(playerFunds(world_) - ships_->value() * price));
}

void TradeDispatchDialog::tryAccept() {
    const std::string refusal = checkDispatchOrder(port_, partner_, ships_->value());
    if (!refusal.empty()) {
        showMessage(this, utf8(refusal));
        return;
    }
    accept();
}

// ---- 船舶建造 ------------------------------------------------------------------------------

ShipBuildDialog::ShipBuildDialog(const WorldState& world, int province, QWidget* parent)
    : QDialog(parent), world_(world) {
    setWindowTitle("船舶建造");
    auto* v = new QVBoxLayout(this);
    ports_ = economyList({"城（港）", "交易船数", "軍船数"}, "城（港）", this);
    for (int c : portsOfProvince(world, world.playerHouse, province)) {
        const Castle& k = world.castles[c];
        ports_->addTopLevelItem(
            economyRow({castleName(world, c), QString("%1 (%2)").arg(waitingShips(k)).arg(shipsOnVoyage(k)),
                        QString("%1 (%2)").arg(k.warShips).arg(0)},
                       c));
    }
    v->addWidget(ports_, 1);
    v->addWidget(new QLabel("括弧内は航海中船舶数です", this));

    auto* build = new QGroupBox("新規建造数", this);
    auto* h = new QHBoxLayout(build);
    h->addWidget(new QLabel("交易船", build));
    ships_ = shipCount("交易船", build);
    h->addWidget(ships_);
    h->addWidget(new QLabel("(建造費 1隻2000)", build));
    h->addStretch(1);
    v->addWidget(build);
    funds_ = remainingLabel(this);
    v->addWidget(funds_);

    ok_ = addOkCancel(this, v, &ShipBuildDialog::tryAccept)->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false); // until a port is chosen
    connect(ports_, &QTreeWidget::currentItemChanged, this, &ShipBuildDialog::choosePort);
    connect(ships_, &QSpinBox::valueChanged, this, &ShipBuildDialog::shipsChanged);
    resize(420, 340);
    updateFunds();
}

int ShipBuildDialog::ships() const {
    return ships_->value();
}

void ShipBuildDialog::choosePort() {
    port_ = rowKey(ports_->currentItem());
    adjusting_ = true;
    ships_->setRange(0, port_ >= 0 ? buildRange(world_.castles[port_]) : 0);
    adjusting_ = false;
    ok_->setEnabled(port_ >= 0);
    shipsChanged();
}

void ShipBuildDialog::shipsChanged() {
    if (adjusting_) return;
    const int wanted = ships_->value();
    const int fits = affordableCount(wanted, playerFunds(world_), kShipPrice);
    if (fits != wanted) {
        showMessage(this, kNotEnoughFunds);
        adjusting_ = true;
        ships_->setValue(fits);
        adjusting_ = false;
    }
    updateFunds();
}

void ShipBuildDialog::updateFunds() {
    funds_->setText(QString("残り資金 %1").arg(playerFunds(world_) - ships_->value() * kShipPrice));
}

void ShipBuildDialog::tryAccept() {
    if (ships_->value() <= 0) {
        showMessage(this, kNoShipsBuilt);
        return;
    }
    accept();
}

// ---- 交易船一覧 ----------------------------------------------------------------------------

FleetListDialog::FleetListDialog(const WorldState& world, QWidget* parent) : QDialog(parent) {
    setWindowTitle("交易船一覧");
    auto* v = new QVBoxLayout(this);
    list_ = economyList({"派遣先", "交易船数", "出発港", "帰港予定"}, "交易船一覧", this);
    int key = 0;
    for (const FleetRow& r : fleetRows(world, world.playerHouse))
        list_->addTopLevelItem(
            economyRow({utf8(r.partner), QString::number(r.ships), utf8(r.port), utf8(r.returns)}, key++));
    v->addWidget(list_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);
    resize(460, 300);
}

} // namespace vh::ui
