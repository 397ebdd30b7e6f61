// The window of 開墾, 楽市楽座 and 鉱山開発: the listed castles with check boxes, 全選択／全解除, the
// execute button with its cost check and question, and the 実行結果 column afterwards.
#pragma once

#include "context/game.h"
#include "economy/development.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vh::ui {

class DevelopmentDialog : public QDialog {
    Q_OBJECT
  public:
    // Lists the player's castles of `province`. Executing runs the development at once; the window
    // then stays open with the results and can be executed only once.
    DevelopmentDialog(Game& game, Development kind, int province, QWidget* parent = nullptr);

    bool executed() const { return executed_; }
    QTreeWidget* castleList() const { return list_; }
    QPushButton* executeButton() const { return execute_; }
    QPushButton* selectAllButton() const { return selectAll_; }
    QLabel* fundsLabel() const { return funds_; }

    void toggleAll();
    void execute();

  private:
    std::vector<int> ticked() const;
    void updateFunds();

    Game& game_;
    Development kind_;
    std::vector<int> castles_;
    QTreeWidget* list_ = nullptr;
    QPushButton* execute_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* funds_ = nullptr;
    bool executed_ = false;
};

} // namespace vh::ui
