// The hostage and guest dialogs: 人質差し出し (the heir the player's house hands over, or the
// refusal), 人質処遇 (coming of age as a guest, or return home) and 客将招請 (a vassal's general
// invited as guest).
#pragma once

#include "context/game.h"
#include "context/personnel_requests.h"
#include "ui/person_list.h"

#include <QDialog>

class QPushButton;

namespace vh::ui {

class HostageOfferDialog : public QDialog {
    Q_OBJECT
  public:
    HostageOfferDialog(const HostageRequest& request, QWidget* parent = nullptr);
    // After exec(): the row given, or -1 for the refusal (and for Escape).
    int choice() const { return choice_; }
    PersonList* list() const { return list_; }
    QPushButton* refuseButton() const { return refuse_; }
    // A row clicked: asks "%s を人質として差し出します。よろしいですか？"; OK gives him.
    void pickRow(int row);

  private:
    HostageRequest request_;
    PersonList* list_ = nullptr;
    QPushButton* refuse_ = nullptr;
    int choice_ = -1;
    bool asking_ = false;
};

class HostageTreatmentDialog : public QDialog {
    Q_OBJECT
  public:
    HostageTreatmentDialog(Game& game, QWidget* parent = nullptr);
    PersonList* list() const { return list_; }
    QPushButton* comeOfAgeButton() const { return comeOfAge_; }
    QPushButton* returnButton() const { return return_; }
    void comeOfAgeSelected();
    void returnSelected();

  private:
    void updateButtons();
    Game& game_;
    PersonList* list_ = nullptr;
    QPushButton* comeOfAge_ = nullptr;
    QPushButton* return_ = nullptr;
};

class GuestInvitationDialog : public QDialog {
    Q_OBJECT
  public:
    GuestInvitationDialog(Game& game, QWidget* parent = nullptr);
    PersonList* list() const { return list_; }
    // A general clicked: the question, and on OK he becomes his house's guest.
    void pickGeneral(int general);
    bool changed() const { return changed_; }

  private:
    void refill();
    Game& game_;
    PersonList* list_ = nullptr;
    bool asking_ = false;
    bool changed_ = false;
};

} // namespace vh::ui
