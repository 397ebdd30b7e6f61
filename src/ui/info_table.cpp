// Sortable information lists on a standard item model behind a sorting proxy.
#include "ui/info_table.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>

namespace vh::ui {

int dialogUnitsToPixels(const QWidget* w, int units) {
    // The average width of the Latin letters, as dialog units are defined; the CJK face's own
    // average is that of its full-width characters and would double every column.
    static const QString letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const double average = QFontMetricsF(w->font()).horizontalAdvance(letters) / letters.size();
    return static_cast<int>(units * std::max(average, 5.0) / 4.0 + 0.5);
}

InfoTable::InfoTable(const QStringList& headers, const std::vector<int>& widths, QWidget* parent)
    : QTreeView(parent), model_(new QStandardItemModel(0, static_cast<int>(headers.size()), this)),
      proxy_(new QSortFilterProxyModel(this)) {
    model_->setHorizontalHeaderLabels(headers);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(kSortRole);
    proxy_->setSortLocaleAware(true);
    setModel(proxy_);
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Shown in table order until a header is clicked.
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    header()->setSortIndicatorShown(true);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    setSortingEnabled(true);
    for (int c = 0; c < static_cast<int>(widths.size()) && c < headers.size(); ++c)
        setColumnWidth(c, dialogUnitsToPixels(this, widths[static_cast<size_t>(c)]));
    connect(this, &QTreeView::clicked, this, [this](const QModelIndex& i) {
        // Where a single click already activates, activated() below reports it.
        if (!style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick, nullptr, this))
            emit rowChosen(rowKey(i.row()));
    });
    connect(this, &QTreeView::activated, this,
            [this](const QModelIndex& i) { emit rowChosen(rowKey(i.row())); });
}

QStandardItem* InfoTable::textCell(const QString& text) {
    auto* item = new QStandardItem(text);
    item->setData(text, kSortRole);
    return item;
}

QStandardItem* InfoTable::numberCell(long long value, const QString& shown) {
    auto* item = new QStandardItem(shown.isNull() ? QString::number(value) : shown);
    item->setData(value, kSortRole);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void InfoTable::clearRows() {
    model_->removeRows(0, model_->rowCount());
}

void InfoTable::addRow(const QList<QStandardItem*>& cells, int key) {
    if (!cells.isEmpty()) cells.front()->setData(key, kRowKeyRole);
    model_->appendRow(cells);
}

int InfoTable::rowCount() const {
    return proxy_->rowCount();
}

QString InfoTable::cell(int row, int column) const {
    return proxy_->index(row, column).data(Qt::DisplayRole).toString();
}

int InfoTable::rowKey(int row) const {
    const QVariant v = proxy_->index(row, 0).data(kRowKeyRole);
    return v.isValid() ? v.toInt() : -1;
}

int InfoTable::columnOf(const QString& header) const {
    for (int c = 0; c < model_->columnCount(); ++c)
        if (model_->horizontalHeaderItem(c) && model_->horizontalHeaderItem(c)->text() == header) return c;
    return -1;
}

} // namespace vh::ui
