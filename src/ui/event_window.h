// The month's event messages with a picture: the event window (イベント) for heavy snow or heavy
// rain with the affected provinces on the map, and the trade-ship return (交易船帰港).
#pragma once

#include "context/event_requests.h"
#include "ui/overlay_map_view.h"

#include <QDialog>

class QLabel;

namespace vh::ui {

// Snowy provinces are white, rainy ones light blue.
QColor weatherColour(bool snow);

class EventWindow : public QDialog {
    Q_OBJECT
  public:
    EventWindow(const WorldState& world, const WeatherEvent& event, const MapViewState& start,
                QWidget* parent = nullptr);
    QLabel* headingLabel() const { return heading_; }
    QLabel* footerLabel() const { return footer_; }
    OverlayMapView* mapView() const { return map_; }

  private:
    QLabel* heading_ = nullptr;
    QLabel* footer_ = nullptr;
    OverlayMapView* map_ = nullptr;
};

// "交易船帰港": the two lines (the second empty for a training voyage) and OK.
void showTradeShipReturnMessage(QWidget* parent, const TradeShipReturn& ret);

} // namespace vh::ui
