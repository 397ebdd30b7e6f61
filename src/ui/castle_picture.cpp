// The castle pictures of the castle information, painted rather than stored: a Japanese keep, a
// Ryukyu or Chinese gate, a European castle and a modern building, each on its own sky.
#include "ui/castle_picture.h"

#include "world/records.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vh::ui {

namespace {

void sky(QPainter& p, QSizeF s, QColor top, QColor bottom) {
    QLinearGradient g(0, 0, 0, s.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(QPointF(0, 0), s), g);
}

// A curved roof tier from x0 to x1 with its eaves at y and its ridge `height` above.
void roof(QPainter& p, double x0, double x1, double y, double height, QColor colour) {
    QPainterPath path;
    const double lift = height * 0.35;
    path.moveTo(x0 - 4, y - lift);
    path.quadTo(x0 + (x1 - x0) * 0.15, y, x0 + (x1 - x0) * 0.3, y - height * 0.45);
    path.lineTo(x0 + (x1 - x0) * 0.42, y - height);
    path.lineTo(x0 + (x1 - x0) * 0.58, y - height);
    path.lineTo(x0 + (x1 - x0) * 0.7, y - height * 0.45);
    path.quadTo(x0 + (x1 - x0) * 0.85, y, x1 + 4, y - lift);
    path.lineTo(x1 - 2, y + 2);
    path.lineTo(x0 + 2, y + 2);
    path.closeSubpath();
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawPath(path);
}

void japaneseKeep(QPainter& p, QSizeF s) {
    sky(p, s, QColor(120, 170, 225), QColor(215, 232, 245));
    const double w = s.width(), h = s.height();
    // Stone base.
    QPolygonF base(
        {QPointF(w * 0.18, h), QPointF(w * 0.26, h * 0.7), QPointF(w * 0.74, h * 0.7), QPointF(w * 0.82, h)});
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(QColor(150, 146, 138));
    p.drawPolygon(base);
    p.setPen(QPen(QColor(120, 116, 110), 1));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(w * (0.2 + i * 0.015), h * (0.7 + i * 0.075)),
                   QPointF(w * (0.8 - i * 0.015), h * (0.7 + i * 0.075)));
    // Three white storeys, each under a dark roof, narrowing upwards.
    const QColor wall(245, 243, 236), tile(55, 65, 80);
    const double storeyH = h * 0.14;
    for (int i = 0; i < 3; ++i) {
        const double inset = w * (0.3 + i * 0.06);
        const double bottom = h * 0.7 - i * (storeyH + h * 0.05);
        p.setPen(QPen(QColor(150, 150, 140), 1));
        p.setBrush(wall);
        p.drawRect(QRectF(inset, bottom - storeyH, w - 2 * inset, storeyH));
        p.setBrush(QColor(60, 50, 40));
        for (int k = 0; k < 3 - i; ++k)
            p.drawRect(QRectF(inset + (k + 0.6) * (w - 2 * inset) / (3.6 - i), bottom - storeyH * 0.65,
                              w * 0.025, storeyH * 0.35));
        roof(p, inset - w * 0.04, w - inset + w * 0.04, bottom - storeyH, h * 0.08, tile);
    }
    // Golden roof ornaments on the top.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 190, 60));
    const double top = h * 0.7 - 3 * (storeyH + h * 0.05) + h * 0.03;
    p.drawEllipse(QPointF(w * 0.44, top), 2.5, 2.5);
    p.drawEllipse(QPointF(w * 0.56, top), 2.5, 2.5);
}

void gate(QPainter& p, QSizeF s, QColor wallColour, QColor roofColour) {
    sky(p, s, QColor(90, 170, 230), QColor(230, 240, 230));
    const double w = s.width(), h = s.height();
    p.setPen(QPen(wallColour.darker(150), 1));
    p.setBrush(wallColour);
    // Curved stone walls with an arched gateway.
    QPainterPath wall;
    wall.moveTo(0, h);
    wall.lineTo(0, h * 0.62);
    wall.quadTo(w * 0.5, h * 0.5, w, h * 0.62);
    wall.lineTo(w, h);
    wall.closeSubpath();
    p.drawPath(wall);
    p.setBrush(QColor(50, 40, 35));
    QPainterPath arch;
    arch.moveTo(w * 0.42, h);
    arch.lineTo(w * 0.42, h * 0.78);
    arch.arcTo(QRectF(w * 0.42, h * 0.7, w * 0.16, h * 0.16), 180, -180);
    arch.lineTo(w * 0.58, h);
    arch.closeSubpath();
    p.drawPath(arch);
    // A red hall with a sweeping roof over the gate.
    p.setBrush(QColor(190, 50, 40));
    p.setPen(QPen(QColor(120, 30, 25), 1));
    p.drawRect(QRectF(w * 0.3, h * 0.34, w * 0.4, h * 0.2));
    roof(p, w * 0.22, w * 0.78, h * 0.34, h * 0.16, roofColour);
}

void europeanCastle(QPainter& p, QSizeF s) {
    sky(p, s, QColor(110, 140, 200), QColor(220, 225, 235));
    const double w = s.width(), h = s.height();
    const QColor stone(175, 170, 160);
    p.setPen(QPen(QColor(90, 85, 80), 1));
    p.setBrush(stone);
    auto crenellated = [&](double x, double y, double width, double height) {
        p.drawRect(QRectF(x, y, width, height));
        const int merlons = std::max(2, static_cast<int>(width / 8));
        const double step = width / (2 * merlons - 1);
        for (int i = 0; i < merlons; ++i)
            p.drawRect(QRectF(x + 2 * i * step, y - 5, step, 5));
    };
    crenellated(w * 0.2, h * 0.55, w * 0.6, h * 0.45);
    crenellated(w * 0.08, h * 0.35, w * 0.16, h * 0.65);
    crenellated(w * 0.76, h * 0.35, w * 0.16, h * 0.65);
    crenellated(w * 0.42, h * 0.2, w * 0.16, h * 0.4);
    p.setBrush(QColor(60, 50, 45));
    p.drawRect(QRectF(w * 0.45, h * 0.78, w * 0.1, h * 0.22));
    p.setBrush(QColor(190, 40, 40));
    p.drawPolygon(
        QPolygonF({QPointF(w * 0.5, h * 0.04), QPointF(w * 0.5, h * 0.15), QPointF(w * 0.6, h * 0.1)}));
    p.drawLine(QPointF(w * 0.5, h * 0.04), QPointF(w * 0.5, h * 0.2));
}

void modernBuilding(QPainter& p, QSizeF s) {
    sky(p, s, QColor(150, 185, 220), QColor(235, 240, 245));
    const double w = s.width(), h = s.height();
    p.setPen(QPen(QColor(70, 80, 90), 1));
    p.setBrush(QColor(120, 135, 150));
    p.drawRect(QRectF(w * 0.15, h * 0.4, w * 0.25, h * 0.6));
    p.setBrush(QColor(95, 110, 130));
    p.drawRect(QRectF(w * 0.42, h * 0.12, w * 0.22, h * 0.88));
    p.setBrush(QColor(140, 150, 160));
    p.drawRect(QRectF(w * 0.66, h * 0.3, w * 0.2, h * 0.7));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 235, 150));
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 3; ++col)
            if ((row * 3 + col) % 4 != 1)
                p.drawRect(QRectF(w * (0.45 + col * 0.065), h * (0.17 + row * 0.09), w * 0.035, h * 0.04));
}

} // namespace

QPixmap castlePicture(int kind, QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QSizeF s(size);
    switch (kind) {
    case kPicRyuukyuu:
        gate(p, s, QColor(225, 210, 175), QColor(200, 90, 60));
        break;
    case kPicChina:
        gate(p, s, QColor(150, 140, 130), QColor(40, 110, 80));
        break;
    case kPicEurope:
        europeanCastle(p, s);
        break;
    case kPicGendai:
        modernBuilding(p, s);
        break;
    default:
        japaneseKeep(p, s);
        break;
    }
    p.setPen(QPen(QColor(60, 50, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    return pm;
}

} // namespace vh::ui
