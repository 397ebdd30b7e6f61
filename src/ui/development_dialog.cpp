// The development window: the core lists, checks and develops; this file only shows and asks.
#include "ui/development_dialog.h"

#include "ui/economy_widgets.h"
#include "ui/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

QString valueText(Development kind, int value) {
    return kind == Development::Land ? kokuText(value) : QString::number(value);
}

} // namespace

DevelopmentDialog::DevelopmentDialog(Game& game, Development kind, int province, QWidget* parent)
    : QDialog(parent), game_(game), kind_(kind) {
    const WorldState& w = game.world;
    const DevelopmentTexts& t = developmentTexts(kind);
    setWindowTitle(t.title);
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QString("%1 : %2").arg("国名", provinceName(w, province)), this));
    v->addWidget(new QLabel(t.hint, this));
    v->addWidget(new QLabel(kPoliticsHint, this));

    list_ = economyList({"城", t.currentColumn, t.maximumColumn}, t.title, this);
    castles_ = developmentCastles(w, kind, w.playerHouse, province);
    for (int c : castles_) {
        auto* row = economyRow({castleName(w, c), valueText(kind, developmentValue(w, kind, c)),
                                valueText(kind, developmentMaximum(w, kind, c))},
                               c);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Unchecked);
        list_->addTopLevelItem(row);
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    connect(list_, &QTreeWidget::itemChanged, this, [this] { updateFunds(); });
    v->addWidget(list_, 1);

    funds_ = new QLabel(this);
    v->addWidget(funds_);

    auto* buttons = new QHBoxLayout;
    selectAll_ = new QPushButton(kSelectAll, this);
    selectAll_->setAutoDefault(false);
    execute_ = new QPushButton(t.execute, this);
    execute_->setDefault(true);
    auto* close = close_ = new QPushButton("閉じる", this);
    close->setAutoDefault(false);
    buttons->addWidget(selectAll_);
    buttons->addStretch(1);
    buttons->addWidget(execute_);
    buttons->addWidget(close);
    v->addLayout(buttons);
    connect(selectAll_, &QPushButton::clicked, this, &DevelopmentDialog::toggleAll);
    connect(execute_, &QPushButton::clicked, this, &DevelopmentDialog::execute);
    connect(close, &QPushButton::clicked, this, [this] { executed_ ? accept() : reject(); });
    resize(460, 380);
    updateFunds();
}

std::vector<int> DevelopmentDialog::ticked() const {
    std::vector<int> out;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->checkState(0) == Qt::Checked)
            out.push_back(rowKey(list_->topLevelItem(i)));
    return out;
}

void DevelopmentDialog::updateFunds() {
    const int funds = game_.world.houses[game_.world.playerHouse].funds;
    const int cost = executed_ ? 0 : static_cast<int>(ticked().size()) * developmentTexts(kind_).price;
    funds_->setText(QString("費用 %1    資金 %2    残り資金 %3").arg(cost).arg(funds).arg(funds - cost));
}

void DevelopmentDialog::toggleAll() {
    if (executed_) return;
    bool all = list_->topLevelItemCount() > 0;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        all = all && list_->topLevelItem(i)->checkState(0) == Qt::Checked;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        list_->topLevelItem(i)->setCheckState(0, all ? Qt::Unchecked : Qt::Checked);
    updateFunds();
}

void DevelopmentDialog::execute() {
    if (executed_) return;
    const std::vector<int> chosen = ticked();
    const DevelopmentCheck check =
        checkDevelopmentOrder(game_.world, kind_, game_.world.playerHouse, static_cast<int>(chosen.size()));
    if (!check.confirm) {
        showMessage(this, utf8(check.message));
        return;
    }
    if (!askOkCancel(this, utf8(check.message))) return;
    runDevelopment(game_, kind_, game_.world.playerHouse, -1, chosen);
    executed_ = true;
    list_->setHeaderLabels(
        {"城", developmentTexts(kind_).currentColumn, developmentTexts(kind_).maximumColumn, kResultColumn});
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list_->topLevelItem(i);
        row->setText(3, valueText(kind_, developmentValue(game_.world, kind_, rowKey(row))));
        row->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        row->setFlags(row->flags() & ~Qt::ItemIsUserCheckable);
    }
    execute_->setEnabled(false);
    selectAll_->setEnabled(false);
    close_->setDefault(true);
    close_->setFocus();
    updateFunds();
}

} // namespace vh::ui
