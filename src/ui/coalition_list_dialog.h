// "連合一覧": every coalition against a house with its member houses, read-only.
#pragma once

#include <QDialog>

namespace vh {
struct WorldState;
}

namespace vh::ui {

class InfoTable;

class CoalitionListDialog : public QDialog {
    Q_OBJECT
  public:
    CoalitionListDialog(const WorldState& world, QWidget* parent = nullptr);
    InfoTable* list() const { return list_; }

  private:
    InfoTable* list_ = nullptr;
};

} // namespace vh::ui
