// 軍団編成: the direct generals of the player's side, the corps, and the generals of the selected
// corps, with 軍団長に任命, 軍団に編入 and 大名直属に戻す. Each button applies at once.
#pragma once

#include "ui/person_list.h"
#include "world/world_state.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vh::ui {

// The corps list of the corps dialogs; `withGuns` adds 未配備鉄砲 (the assets dialog).
PersonList* newCorpsList(bool withGuns, QWidget* parent);
// Refills it from the world, keeping the selected corps selected.
void fillCorpsList(PersonList* list, const WorldState& w, bool withGuns);

class CorpsOrganiseDialog : public QDialog {
    Q_OBJECT
  public:
    CorpsOrganiseDialog(WorldState& world, QWidget* parent = nullptr);

    PersonList* directList() const { return direct_; }
    PersonList* corpsList() const { return corps_; }
    PersonList* membersList() const { return members_; }
    QLabel* membersCaption() const { return membersCaption_; }
    QPushButton* appointButton() const { return appoint_; }
    QPushButton* assignButton() const { return assign_; }
    QPushButton* returnButton() const { return return_; }

    void appointSelected();
    void assignSelected();
    void returnSelected();
    // A header click of either general list.
    void sortDirect(int column);
    void sortMembers(int column);

  private:
    void refresh();
    void refreshMembers();
    void updateButtons();

    WorldState& world_;
    PersonList* direct_ = nullptr;
    PersonList* corps_ = nullptr;
    PersonList* members_ = nullptr;
    QLabel* membersCaption_ = nullptr;
    QPushButton* appoint_ = nullptr;
    QPushButton* assign_ = nullptr;
    QPushButton* return_ = nullptr;
    int directSort_ = -1;
    int membersSort_ = -1;
};

} // namespace vh::ui
