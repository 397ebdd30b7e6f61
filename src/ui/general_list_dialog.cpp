// The general list of a house.
#include "ui/general_list_dialog.h"

#include "game/info_figures.h"
#include "ui/info_cells.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

GeneralListDialog::GeneralListDialog(const WorldState& world, int house, QWidget* parent)
    : QDialog(parent), world_(world), house_(house) {
    setWindowTitle("武将一覧");
    auto* v = new QVBoxLayout(this);
    heading_ = new QLabel(QString("%1 武将一覧").arg(houseName(world, house)), this);
    heading_->setStyleSheet("font-weight: bold; font-size: 16px;");
    v->addWidget(heading_);
    vassals_ = new QCheckBox("臣従大名家の武将も表示(&V)", this);
    v->addWidget(vassals_);
    generals_ = new InfoTable(
        {"名前", "国", "城", "所属", "地位", "年齢", "騎馬兵", "足軽兵", "鉄砲数", "武勇", "政治", "智謀"},
        {80, 50, 80, 80, 100, 37, 50, 50, 50, 37, 37, 37}, this);
    generals_->setAccessibleName("武将一覧");
    v->addWidget(generals_, 3);
    auto* captiveHeading = new QLabel("捕虜・人質", this);
    captiveHeading->setStyleSheet("font-weight: bold;");
    v->addWidget(captiveHeading);
    captives_ = new InfoTable({"名前", "身分", "所属", "年齢", "武勇", "政治", "智謀"},
                              {80, 80, 80, 45, 37, 37, 37}, this);
    captives_->setAccessibleName("捕虜・人質");
    captiveHeading->setBuddy(captives_);
    v->addWidget(captives_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);

    for (int g : heldCaptives(world, house)) {
        const General& r = world.generals[g];
        QList<QStandardItem*> row = {InfoTable::textCell(fieldQText(world, r.name)),
                                     InfoTable::textCell(utf8(statusName(r.status))),
                                     InfoTable::textCell(houseName(world, r.originHouse)),
                                     ageCell(world, r, r.status == kStatusHostage)};
        row += abilityCells(r);
        captives_->addRow(row, g);
    }
    fillGenerals();
    connect(vassals_, &QCheckBox::toggled, this, &GeneralListDialog::fillGenerals);
    resize(std::max(sizeHint().width(), generals_->header()->length() + 40), 600);
}

void GeneralListDialog::fillGenerals() {
    const WorldState& w = world_;
    generals_->clearRows();
    for (int g : houseGeneralList(w, house_, vassals_->isChecked())) {
        const General& r = w.generals[g];
        const bool inCastle = r.castle >= 0 && r.castle < w.castleCount;
        QList<QStandardItem*> row = {
            InfoTable::textCell(fieldQText(w, r.name)),
            InfoTable::textCell(inCastle ? provinceName(w, w.castleSites[r.castle].province) : QString()),
            InfoTable::textCell(inCastle ? castleName(w, r.castle) : QString()),
            InfoTable::textCell(houseName(w, r.house)),
            InfoTable::textCell(utf8(positionText(w, g))),
            ageCell(w, r)};
        row += troopCells(w, r);
        row += abilityCells(r);
        generals_->addRow(row, g);
    }
}

} // namespace vh::ui
