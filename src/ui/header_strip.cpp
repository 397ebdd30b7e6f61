// Painting of the header strip at the fixed positions of the game's header.
#include "ui/header_strip.h"

#include "game/display_rules.h"
#include "ui/ui_text.h"

#include <QLinearGradient>
#include <QPainter>

namespace vh::ui {

HeaderStrip::HeaderStrip(const WorldState& world, QWidget* parent) : QWidget(parent), world_(world) {
    setFixedSize(560, 44);
}

void HeaderStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(52, 40, 30));
    g.setColorAt(1, QColor(28, 22, 16));
    p.fillRect(rect(), g);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int lang = world_.settings.language;
    p.setFont(uiFont(lang, 14));
    p.setPen(QColor(240, 226, 190));
    // Texts are placed by their top-left corner, as in the game's header.
    auto text = [&](int x, int y, const QString& s) {
        p.drawText(QRect(x, y, width() - x, 18), Qt::AlignLeft | Qt::AlignTop, s);
    };
    text(10, 4, fieldQText(world_, world_.settings.title));
    if (world_.playerHouse < 0) return;
    p.setPen(Qt::white);
    text(20, 24, utf8(formatHeaderDate(world_.date.year, world_.date.month)));
    if (world_.spectator) return;
    const PlayerFigures f = playerFigures(world_);
    text(332, 24, kokuText(f.koku));
    text(484, 24, QString("城 %1").arg(f.castles));
}

} // namespace vh::ui
