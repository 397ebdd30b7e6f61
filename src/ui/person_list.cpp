// The personnel dialogs' lists.
#include "ui/person_list.h"

#include "ui/info_table.h"
#include "ui/ui_text.h"

#include <QHeaderView>

namespace vh::ui {

PersonList::PersonList(const QStringList& headers, const std::vector<int>& widths, bool multiSelect,
                       int numberFrom, QWidget* parent)
    : QTreeWidget(parent), numberFrom_(numberFrom) {
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(false);
    int total = 0;
    for (int c = 0; c < static_cast<int>(widths.size()) && c < headers.size(); ++c) {
        const int px = dialogUnitsToPixels(this, widths[static_cast<size_t>(c)]);
        setColumnWidth(c, px);
        total += px;
    }
    setMinimumWidth(std::min(total + 24, 1100));
}

void PersonList::addPerson(const QStringList& cells, int key) {
    auto* item = new QTreeWidgetItem(this, cells);
    item->setData(0, Qt::UserRole, key);
    for (int c = numberFrom_; c >= 0 && c < cells.size(); ++c)
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
}

std::vector<int> PersonList::selectedKeys() const {
    std::vector<int> out;
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->isSelected()) out.push_back(topLevelItem(i)->data(0, Qt::UserRole).toInt());
    return out;
}

int PersonList::currentKey() const {
    const QTreeWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->data(0, Qt::UserRole).toInt() : -1;
}

int PersonList::rowOf(int key) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->data(0, Qt::UserRole).toInt() == key) return i;
    return -1;
}

void PersonList::selectKey(int key) {
    const int row = rowOf(key);
    if (row < 0) return;
    setCurrentItem(topLevelItem(row));
    topLevelItem(row)->setSelected(true);
}

std::vector<int> PersonList::keys() const {
    std::vector<int> out;
    for (int i = 0; i < topLevelItemCount(); ++i)
        out.push_back(topLevelItem(i)->data(0, Qt::UserRole).toInt());
    return out;
}

QString ageText(int age) {
    return age < 0 ? QString("不詳") : QString::number(age);
}

QStringList generalCells(const GeneralRow& r) {
    return {utf8(r.name),
            utf8(r.province),
            utf8(r.castle),
            utf8(r.house),
            utf8(r.rank),
            ageText(r.age),
            QString::number(r.cavalry),
            QString::number(r.foot),
            QString::number(r.guns),
            QString::number(r.valor),
            QString::number(r.politics),
            QString::number(r.intellect)};
}

QStringList generalHeaders() {
    return {"名前", "国", "城", "所属", "地位", "年齢", "騎馬兵", "足軽兵", "鉄砲数", "武勇", "政治", "智謀"};
}

std::vector<int> generalWidths() {
    return {80, 50, 80, 80, 50, 37, 50, 50, 50, 37, 37, 37};
}

} // namespace vh::ui
