// The prisoner dialogs: 捕虜処遇 (the player's prisoners: 登用, 解放, 切腹) and 降伏武将の処遇 (the
// generals a conquest just took, each of whom must be dealt with, 捕虜 keeping him), and the
// exchange dialog 捕虜交換 with one partner house.
#pragma once

#include "context/game.h"
#include "context/personnel_requests.h"
#include "ui/person_list.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace vh::ui {

class PrisonerDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { Treatment, Surrender };
    // The rows and their operations; `willing` fills the 意向 column (treatment only).
    PrisonerDialog(Mode mode, const SurrenderRequest& request, std::function<bool(int)> willing,
                   QWidget* parent = nullptr);

    PersonList* list() const { return list_; }
    QPushButton* button(const QString& caption) const;
    QPushButton* okButton() const { return ok_; }

    void recruitSelected();
    void releaseSelected();
    void seppukuSelected();
    void keepSelected(); // 捕虜

  public slots:
    // The surrendered generals' dialog cannot be closed before every one is dealt with.
    void reject() override;

  private:
    void removeKeys(const std::vector<int>& keys);
    void updateButtons();

    Mode mode_;
    SurrenderRequest request_;
    std::function<bool(int)> willing_;
    PersonList* list_ = nullptr;
    std::vector<QPushButton*> actions_;
    QPushButton* ok_ = nullptr;
};

class PrisonerExchangeDialog : public QDialog {
    Q_OBJECT
  public:
    PrisonerExchangeDialog(Game& game, int partner, QWidget* parent = nullptr);

    PersonList* oursList() const { return ours_; }     // the player's men the partner holds
    PersonList* theirsList() const { return theirs_; } // the partner's men the player holds
    QPushButton* negotiateButton() const { return negotiate_; }
    // 捕虜交換交渉: the partner's answer; the dialog closes when it agrees.
    void negotiate();

  private:
    Game& game_;
    int partner_;
    PersonList* ours_ = nullptr;
    PersonList* theirs_ = nullptr;
    QPushButton* negotiate_ = nullptr;
};

} // namespace vh::ui
