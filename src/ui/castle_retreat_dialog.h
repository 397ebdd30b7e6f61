// "城から退却": the player picks garrison generals of his besieged castle to withdraw to the
// castles next to it. The siege window opens it with runCastleRetreatDialog.
#pragma once

#include "context/game.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;

namespace vh::ui {

class InfoTable;

class CastleRetreatDialog : public QDialog {
    Q_OBJECT
  public:
    CastleRetreatDialog(Game& game, int castle, QWidget* parent = nullptr);
    InfoTable* table() const { return table_; }
    QPushButton* retreatButton() const { return retreat_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The generals that withdrew (after 退却 closed the window).
    const std::vector<int>& moved() const { return moved_; }
    // The selected generals in the order the list shows them.
    std::vector<int> selectedGenerals() const;

  private:
    void retreatPressed();
    Game& game_;
    int castle_;
    InfoTable* table_ = nullptr;
    QPushButton* retreat_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::vector<int> moved_;
};

// Opens the retreat window over `parent` for the player's castle; returns the generals that left.
std::vector<int> runCastleRetreatDialog(QWidget* parent, Game& game, int castle);

} // namespace vh::ui
