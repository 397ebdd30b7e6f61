// "大名家情報": a house's head, lord, yield, castles, funds and skills, with its castles marked on
// a map of its own (the sphere of power) and 武将情報 for its general list.
#pragma once

#include "ui/map_view.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vh::ui {

// The national map with one house's castles ringed.
class HouseMapView : public MapView {
    Q_OBJECT
  public:
    HouseMapView(const WorldState& world, int house, QWidget* parent = nullptr);
    // Map-view points of the ringed castles (for tests and the painting alike).
    std::vector<QPointF> markedPoints() const;

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    const WorldState& world_;
    int house_;
};

class HouseInfoDialog : public QDialog {
    Q_OBJECT
  public:
    HouseInfoDialog(const WorldState& world, int house, const MapViewState& mapStart,
                    QWidget* parent = nullptr);

    QString value(const QString& caption) const;
    QLabel* lordLine() const { return lordLine_; }
    HouseMapView* mapView() const { return map_; }
    QCheckBox* magnifySwitch() const { return magnify_; }
    QPushButton* generalsButton() const { return generals_; }

  private:
    const WorldState& world_;
    int house_;
    QMap<QString, QLabel*> values_;
    QLabel* lordLine_ = nullptr;
    HouseMapView* map_ = nullptr;
    QCheckBox* magnify_ = nullptr;
    QPushButton* generals_ = nullptr;
};

} // namespace vh::ui
