// "登用選択": a masterless general asks the player's house to take him on; his figures help the
// player decide.
#pragma once

#include "context/event_requests.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vh::ui {

class RoninDialog : public QDialog {
    Q_OBJECT
  public:
    RoninDialog(const RoninRequest& request, QWidget* parent = nullptr);
    // After exec(): 家臣に登用する takes him on; 登用しない and closing the window decline.
    bool accepted() const { return result() == QDialog::Accepted; }
    QLabel* questionLabel() const { return question_; }
    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }

  private:
    QLabel* question_ = nullptr;
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
};

} // namespace vh::ui
