// The lists of the personnel dialogs: a QTreeWidget with the game's column widths, one row per
// general (or corps) keyed by its index, number columns right-aligned, and the selection read
// back in list order.
#pragma once

#include "personnel/personnel_lists.h"

#include <QTreeWidget>

#include <vector>

namespace vh::ui {

class PersonList : public QTreeWidget {
    Q_OBJECT
  public:
    // Widths are in dialog units. `numberFrom`: columns from this one on are right-aligned.
    PersonList(const QStringList& headers, const std::vector<int>& widths, bool multiSelect, int numberFrom,
               QWidget* parent = nullptr);

    void addPerson(const QStringList& cells, int key);
    // Keys of the selected rows, top to bottom.
    std::vector<int> selectedKeys() const;
    int currentKey() const; // -1 without a current row
    int rowOf(int key) const;
    void selectKey(int key);
    std::vector<int> keys() const;

  private:
    int numberFrom_;
};

// "不詳" for an unknown age.
QString ageText(int age);
// The twelve cells of a general row (名前 国 城 所属 地位 年齢 騎馬兵 足軽兵 鉄砲数 武勇 政治 智謀).
QStringList generalCells(const GeneralRow& r);
QStringList generalHeaders();
std::vector<int> generalWidths();

} // namespace vh::ui
