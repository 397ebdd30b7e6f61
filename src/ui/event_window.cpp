// The weather event window and the trade-ship return message.
#include "ui/event_window.h"

#include "ui/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

QColor weatherColour(bool snow) {
    return snow ? QColor(255, 255, 255) : QColor(50, 200, 255);
}

EventWindow::EventWindow(const WorldState& world, const WeatherEvent& event, const MapViewState& start,
                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("イベント");
    setProperty("vhRoutineDialog", true);
    auto* v = new QVBoxLayout(this);
    heading_ = new QLabel(utf8(event.heading()), this);
    heading_->setObjectName("heading");
    QFont f = heading_->font();
    f.setPixelSize(16);
    f.setBold(true);
    heading_->setFont(f);
    v->addWidget(heading_);

    map_ = new OverlayMapView(world, this);
    MapViewState s = start;
    s.mode = MapMode::National;
    s.selectedProvince = -1;
    map_->setState(s);
    std::vector<std::pair<int, QColor>> fills;
    for (int p : event.provinces)
        fills.emplace_back(p, weatherColour(event.snow));
    map_->setProvinceFills(std::move(fills));
    v->addWidget(map_, 0, Qt::AlignHCenter);

    footer_ = new QLabel(utf8(event.footer()), this);
    footer_->setObjectName("footer");
    footer_->setWordWrap(true);
    v->addWidget(footer_);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    ok->setMinimumWidth(100);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(ok, 0, Qt::AlignRight);
}

void showTradeShipReturnMessage(QWidget* parent, const TradeShipReturn& ret) {
    QString text = utf8(ret.firstLine());
    const std::string second = ret.secondLine();
    if (!second.empty()) text += "\n" + utf8(second);
    QMessageBox box(QMessageBox::Information, "交易船帰港", text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace vh::ui
