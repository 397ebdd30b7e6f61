// The coalition list: one row per coalition, its name and its members.
#include "ui/coalition_list_dialog.h"

#include "diplomacy/coalitions.h"
#include "ui/info_table.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

CoalitionListDialog::CoalitionListDialog(const WorldState& world, QWidget* parent) : QDialog(parent) {
    setWindowTitle("連合一覧");
    auto* v = new QVBoxLayout(this);
    list_ = new InfoTable({"名前", "加盟大名"}, {150, 450}, this);
    list_->setAccessibleName("連合一覧");
    list_->setMinimumHeight(240);
    // Both columns in view at once.
    list_->setMinimumWidth(dialogUnitsToPixels(list_, 150 + 450) + 2 * list_->frameWidth() + 4);
    int row = 0;
    for (const CoalitionRow& r : coalitionRows(world))
        list_->addRow({InfoTable::textCell(QString::fromStdString(r.name)),
                       InfoTable::textCell(QString::fromStdString(r.members))},
                      row++);
    v->addWidget(list_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);
}

} // namespace vh::ui
