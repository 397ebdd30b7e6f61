// The economy windows' lists, buttons and gun number box.
#include "ui/economy_widgets.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>

namespace vh::ui {

QTreeWidget* economyList(const QStringList& headers, const QString& name, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAccessibleName(name);
    const QFontMetrics fm(list->font());
    int total = 0;
    for (int c = 0; c < headers.size(); ++c) {
        const int width = std::max(fm.horizontalAdvance(headers[c]) + 20, c == 0 ? 110 : 56);
        list->setColumnWidth(c, width);
        total += width;
    }
    list->header()->setStretchLastSection(false);
    // Wide enough for every column without scrolling sideways.
    list->setMinimumWidth(total + 2 * list->frameWidth() + 4);
    return list;
}

QTreeWidgetItem* economyRow(const QStringList& cells, int key) {
    auto* item = new QTreeWidgetItem(cells);
    item->setData(0, Qt::UserRole, key);
    // Figures stand right, words and dates left.
    static const QRegularExpression figure("^[-0-9 ()%,万石挺隻]+$");
    for (int c = 1; c < cells.size(); ++c)
        if (figure.match(cells[c]).hasMatch()) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QDialogButtonBox* okCancelButtons(QWidget* parent) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, parent);
    box->button(QDialogButtonBox::Ok)->setText("OK");
    box->button(QDialogButtonBox::Ok)->setDefault(true);
    box->button(QDialogButtonBox::Cancel)->setText("ｷｬﾝｾﾙ");
    return box;
}

GunSpin::GunSpin(int heiUnit, QWidget* parent) : QSpinBox(parent), unit_(std::max(1, heiUnit)) {
    setSingleStep(unit_);
    setSuffix("挺");
    setRange(0, 0);
    // A typed number counts once it is finished (Enter, Tab), not at every digit; one between two
    // steps falls to the step below.
    setKeyboardTracking(false);
    connect(this, &QSpinBox::valueChanged, this, [this](int v) {
        if (v % unit_ != 0) {
            setValue(v - v % unit_);
            return;
        }
        emit unitsChanged(v / unit_);
    });
}

void GunSpin::setUnitMaximum(int units) {
    setRange(0, std::max(0, units) * unit_);
}

} // namespace vh::ui
