// The firearms windows over the core's capacity, offers, limits and texts.
#include "ui/firearms_dialogs.h"

#include "ui/economy_widgets.h"
#include "ui/ui_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

int playerFunds(const WorldState& w) {
    return w.houses[w.playerHouse].funds;
}

QLabel* balanceLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setAccessibleName("資金残高");
    return l;
}

} // namespace

// ---- 鉄砲生産 ------------------------------------------------------------------------------

GunProductionDialog::GunProductionDialog(const WorldState& world, QWidget* parent)
    : QDialog(parent), world_(world) {
    setWindowTitle("鉄砲生産");
    const int house = world.playerHouse;
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(utf8(productionHeadline(world, house)), this));
    v->addWidget(new QLabel("鉄砲生産国", this));
    provinces_ = economyList({"鉄砲生産国"}, "鉄砲生産国", this);
    for (int p : producingProvinces(world, house))
        provinces_->addTopLevelItem(economyRow({provinceName(world, p)}, p));
    provinces_->setFocusPolicy(Qt::NoFocus);
    v->addWidget(provinces_, 1);
    v->addWidget(new QLabel(utf8(productionCostLine(world)), this));

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("生産数", this));
    number_ = new GunSpin(heiUnitOf(world), this);
    number_->setUnitMaximum(remainingProduction(world, house));
    number_->setAccessibleName("生産数");
    row->addWidget(number_);
    row->addStretch(1);
    v->addLayout(row);
    funds_ = balanceLabel(this);
    v->addWidget(funds_);
    addOkCancel(this, v);
    connect(number_, &GunSpin::unitsChanged, this, &GunProductionDialog::numberChanged);
    number_->setFocus();
    resize(420, 340);
    numberChanged();
}

int GunProductionDialog::units() const {
    return number_->units();
}

void GunProductionDialog::numberChanged() {
    if (adjusting_) return;
    const int price = productionUnitPrice(world_);
    const FundsFit fit = fitToFunds(number_->units(), 0, playerFunds(world_), price);
    if (fit.value != number_->units()) {
        adjusting_ = true;
        number_->setUnits(fit.value);
        adjusting_ = false;
    } else if (fit.warn) {
        showMessage(this, "資金が足りません");
    }
    funds_->setText(
        QString("資金残高 %1").arg(int64_t{playerFunds(world_)} - int64_t{number_->units()} * price));
}

// ---- 鉄砲購入 ------------------------------------------------------------------------------

GunPurchaseDialog::GunPurchaseDialog(const WorldState& world, QWidget* parent)
    : QDialog(parent), world_(world) {
    setWindowTitle("鉄砲購入");
    const int unit = heiUnitOf(world);
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(kPurchaseHint, this));
    list_ =
        economyList({"鉄砲購入地", QString("価格/%1挺").arg(unit), "購入所要月数", "購入可能数", "購入数"},
                    "鉄砲購入地", this);
    offers_ = marketAvailability(world, world.playerHouse, true);
    for (size_t i = 0; i < offers_.size(); ++i) {
        const MarketOffer& o = offers_[i];
        const QString available =
            o.underWay ? QString(kUnderWay) : QString::number(purchasable(world, o) * unit);
        const QString number = o.underWay ? QString("(%1)").arg(o.ordered * unit) : QString("0");
        list_->addTopLevelItem(economyRow({fieldQText(world, world.gunMarkets[o.market].name),
                                           QString::number(marketUnitPrice(world, o.market)),
                                           QString::number(o.months), available, number},
                                          static_cast<int>(i)));
    }
    v->addWidget(list_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("購入数", this));
    number_ = new GunSpin(unit, this);
    number_->setEnabled(false);
    number_->setAccessibleName("購入数");
    row->addWidget(number_);
    row->addStretch(1);
    v->addLayout(row);
    funds_ = balanceLabel(this);
    v->addWidget(funds_);
    addOkCancel(this, v);
    connect(list_, &QTreeWidget::currentItemChanged, this, &GunPurchaseDialog::chooseMarket);
    connect(number_, &GunSpin::unitsChanged, this, &GunPurchaseDialog::numberChanged);
    resize(560, 340);
    updateFunds();
}

std::vector<std::pair<MarketOffer, int>> GunPurchaseDialog::orders() const {
    std::vector<std::pair<MarketOffer, int>> out;
    for (const auto& [i, units] : numbers_)
        if (units > 0) out.emplace_back(offers_[i], units);
    return out;
}

int64_t GunPurchaseDialog::totalPrice(int exceptOffer) const {
    int64_t total = 0;
    for (const auto& [i, units] : numbers_)
        if (i != exceptOffer) total += int64_t{units} * marketUnitPrice(world_, offers_[i].market);
    return total;
}

void GunPurchaseDialog::chooseMarket() {
    current_ = rowKey(list_->currentItem());
    const bool open = current_ >= 0 && !offers_[current_].underWay;
    adjusting_ = true;
    number_->setEnabled(open);
    number_->setUnitMaximum(open ? purchasable(world_, offers_[current_]) : 0);
    number_->setUnits(open && numbers_.count(current_) ? numbers_[current_] : 0);
    adjusting_ = false;
}

void GunPurchaseDialog::numberChanged() {
    if (adjusting_ || current_ < 0 || offers_[current_].underWay) return;
    const int price = marketUnitPrice(world_, offers_[current_].market);
    const FundsFit fit = fitToFunds(number_->units(), totalPrice(current_), playerFunds(world_), price);
    if (fit.value != number_->units()) {
        adjusting_ = true;
        number_->setUnits(fit.value);
        adjusting_ = false;
    } else if (fit.warn) {
        showMessage(this, "資金が足りません");
    }
    numbers_[current_] = fit.value;
    list_->topLevelItem(current_)->setText(4, QString::number(fit.value * heiUnitOf(world_)));
    updateFunds();
}

void GunPurchaseDialog::updateFunds() {
    funds_->setText(QString("資金残高 %1").arg(int64_t{playerFunds(world_)} - totalPrice(-1)));
}

// ---- 鉄砲配備 ------------------------------------------------------------------------------

GunDeploymentDialog::GunDeploymentDialog(const WorldState& world, int province, QWidget* parent)
    : QDialog(parent), world_(world) {
    setWindowTitle("鉄砲配備");
    auto* v = new QVBoxLayout(this);
    list_ = economyList({"名前", "地位", "年齢", "騎馬兵", "足軽兵", "鉄砲数", "武勇", "政治", "智謀"},
                        "鉄砲配備", this);
    for (int c = 1; c < list_->columnCount(); ++c)
        list_->setColumnWidth(c, 56);
    generals_ = deploymentGenerals(world, world.playerHouse, province);
    assigned_.assign(generals_.size(), 0);
    const int unit = heiUnitOf(world);
    for (size_t i = 0; i < generals_.size(); ++i) {
        const General& g = world.generals[generals_[i]];
        const bool head = world.houses[world.playerHouse].head == generals_[i];
        const QString rank = head ? "当主" : (g.status == kStatusGuest ? "客将" : "");
        const QString age =
            (g.flags & kFlagBirthUnknown) ? QString("不詳") : QString::number(world.date.year - g.birthYear);
        list_->addTopLevelItem(
            economyRow({fieldQText(world, g.name), rank, age, QString::number(g.cavalry * unit),
                        QString::number(g.foot * unit), QString::number(g.guns * unit),
                        QString::number(g.valor), QString::number(g.politics), QString::number(g.intellect)},
                       static_cast<int>(i)));
    }
    v->addWidget(list_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("鉄砲数", this));
    number_ = new GunSpin(unit, this);
    number_->setEnabled(false);
    number_->setAccessibleName("鉄砲数");
    row->addWidget(number_);
    maximum_ = new QPushButton("最大数配備", this);
    maximum_->setAutoDefault(false);
    maximum_->setEnabled(false);
    row->addWidget(maximum_);
    row->addStretch(1);
    stock_ = new QLabel(this);
    stock_->setAccessibleName("未配備鉄砲数");
    row->addWidget(stock_);
    v->addLayout(row);
    addOkCancel(this, v);
    connect(list_, &QTreeWidget::currentItemChanged, this, &GunDeploymentDialog::chooseGeneral);
    connect(number_, &GunSpin::unitsChanged, this, &GunDeploymentDialog::numberChanged);
    connect(maximum_, &QPushButton::clicked, this, &GunDeploymentDialog::assignMaximum);
    resize(640, 380);
    stock_->setText(QString("未配備鉄砲数 %1挺").arg(stockLeft() * unit));
}

std::vector<std::pair<int, int>> GunDeploymentDialog::assignments() const {
    std::vector<std::pair<int, int>> out;
    for (size_t i = 0; i < generals_.size(); ++i)
        if (assigned_[i] > 0) out.emplace_back(generals_[i], assigned_[i]);
    return out;
}

int GunDeploymentDialog::stockLeft() const {
    int left = world_.houses[world_.playerHouse].undeployedGuns;
    for (int a : assigned_)
        left -= a;
    return left;
}

void GunDeploymentDialog::chooseGeneral() {
    current_ = rowKey(list_->currentItem());
    adjusting_ = true;
    if (current_ >= 0) {
        number_->setUnitMaximum(
            deploymentLimit(world_, generals_[current_], stockLeft(), assigned_[current_]));
        number_->setUnits(assigned_[current_]);
    }
    number_->setEnabled(current_ >= 0);
    maximum_->setEnabled(current_ >= 0);
    adjusting_ = false;
}

void GunDeploymentDialog::assignMaximum() {
    if (current_ < 0) return;
    number_->setUnits(deploymentLimit(world_, generals_[current_], stockLeft(), assigned_[current_]));
}

void GunDeploymentDialog::numberChanged() {
    if (adjusting_ || current_ < 0) return;
    assigned_[current_] = number_->units();
    updateRow(current_);
    stock_->setText(QString("未配備鉄砲数 %1挺").arg(stockLeft() * heiUnitOf(world_)));
}

void GunDeploymentDialog::updateRow(int row) {
    const General& g = world_.generals[generals_[row]];
    list_->topLevelItem(row)->setText(5, QString::number((g.guns + assigned_[row]) * heiUnitOf(world_)));
}

// ---- 鉄砲入手 ------------------------------------------------------------------------------

GunDeliveryDialog::GunDeliveryDialog(const GunDelivery& delivery, QWidget* parent) : QDialog(parent) {
    setWindowTitle("鉄砲入手");
    setProperty("vhRoutineDialog", true);
    auto* v = new QVBoxLayout(this);
    auto* heading = new QLabel("鉄砲を入手しました", this);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    v->addWidget(heading);
    for (const std::string& line : delivery.lines())
        v->addWidget(new QLabel(utf8(line), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    v->addWidget(buttons);
}

} // namespace vh::ui
