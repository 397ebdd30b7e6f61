// The ranking marker: colour by place, shape by submission.
#include "ui/ranking_marker.h"

#include "game/display_rules.h"

#include <QPainter>
#include <QPixmap>

namespace vh::ui {

QIcon rankingMarker(int place, bool submitted) {
    const Rgb c = rankColour(place);
    QColor fill = place < 5 ? QColor(c.r, c.g, c.b) : QColor(150, 150, 150);
    if (submitted) fill = QColor(90, 90, 200);
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill);
    if (submitted)
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    else
        p.drawRect(QRectF(1.5, 1.5, 9, 9));
    return QIcon(pm);
}

} // namespace vh::ui
