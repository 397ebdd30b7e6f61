// The read-only lists of the information dialogs: clicking a column header sorts by that column,
// numbers by their value, and the first click on a header restores nothing else.
#pragma once

#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStringList>
#include <QTreeView>

#include <vector>

namespace vh::ui {

inline constexpr int kSortRole = Qt::UserRole + 1;
inline constexpr int kRowKeyRole = Qt::UserRole + 2; // the row's general or house index

class InfoTable : public QTreeView {
    Q_OBJECT
  public:
    // Column widths are in dialog units; they are turned into pixels for the current font.
    InfoTable(const QStringList& headers, const std::vector<int>& widths, QWidget* parent = nullptr);

    // A text cell, sorted by its text.
    static QStandardItem* textCell(const QString& text);
    // A number cell, right-aligned and sorted by value; `shown` replaces the digits when given.
    static QStandardItem* numberCell(long long value, const QString& shown = {});

    void clearRows();
    // One row; `key` is kept with it (rowKey) to say what the row stands for.
    void addRow(const QList<QStandardItem*>& cells, int key);

    // Rows as shown (after sorting).
    int rowCount() const;
    QString cell(int row, int column) const;
    int rowKey(int row) const;
    int columnOf(const QString& header) const;

    QStandardItemModel* sourceModel() const { return model_; }
    QSortFilterProxyModel* proxy() const { return proxy_; }

  signals:
    // A row was clicked or chosen with Enter: its key.
    void rowChosen(int key);

  private:
    QStandardItemModel* model_;
    QSortFilterProxyModel* proxy_;
};

// Pixels for a width in dialog units under the widget's font (one unit is a quarter of the
// average character width).
int dialogUnitsToPixels(const QWidget* w, int units);

} // namespace vh::ui
