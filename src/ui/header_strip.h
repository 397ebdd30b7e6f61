// The strip above the map: scenario title, date, the player's rice yield and castle count.
#pragma once

#include "world/world_state.h"

#include <QWidget>

namespace vh::ui {

class HeaderStrip : public QWidget {
    Q_OBJECT
  public:
    HeaderStrip(const WorldState& world, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    const WorldState& world_;
};

} // namespace vh::ui
