// The formation window of a hand-fought field battle: the player puts his generals (and the
// castle's garrison) into the 先陣, the 第二陣 and the 本陣 before the battle begins.
#pragma once

#include "battle/field_battle.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace vh::ui {

class FieldFormationDialog : public QDialog {
    Q_OBJECT
  public:
    // The player's side is side 0 of `battle`; the battle is set up (totals known), not formed.
    FieldFormationDialog(const FieldBattle& battle, QWidget* parent = nullptr);

    // The units per line once every unit is placed.
    const std::array<std::vector<int>, kFieldLineCount>& lines() const { return lines_; }
    bool allPlaced() const { return unplaced_.empty(); }

    // Messages and questions of the window (tests replace them).
    std::function<void(const QString&)> message;
    std::function<bool(const QString&)> question;

    QTreeWidget* unplacedList() const { return unplacedList_; }
    QListWidget* lineList(int line) const { return lineLists_[line]; }
    QPushButton* lineButton(int line) const { return lineButtons_[line]; }
    QPushButton* okButton() const { return ok_; }
    // Selects the unplaced rows of these units (the test's and the keyboard's way in).
    void selectUnits(const std::vector<int>& refs);
    // Moves the selected unplaced units into a line, under the window's rules.
    void placeSelected(int line);

    void reject() override; // closing is refused until every unit is placed

  private:
    void place(int ref, int line);
    void refill();
    void updateButtons();

    const FieldBattle& b_;
    std::vector<int> unplaced_;
    std::array<std::vector<int>, kFieldLineCount> lines_;
    QTreeWidget* unplacedList_ = nullptr;
    std::array<QListWidget*, kFieldLineCount> lineLists_{};
    std::array<QPushButton*, kFieldLineCount> lineButtons_{};
    QPushButton* ok_ = nullptr;
};

} // namespace vh::ui
