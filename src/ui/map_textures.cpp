// Procedural textures for the map: a paper grain over each land colour, wave lines on the sea.
// A private generator keeps drawing away from the game's random numbers.
#include "ui/map_textures.h"

#include <QImage>
#include <QPainter>

#include <cstdint>

namespace vh::ui {

namespace {

class Grain {
  public:
    explicit Grain(uint32_t seed) : s_(seed) {}
    int next(int n) {
        s_ = s_ * 1103515245u + 12345u;
        return static_cast<int>((s_ >> 16) % static_cast<uint32_t>(n));
    }

  private:
    uint32_t s_;
};

// A base colour with a soft grain and, depending on `motif`, small marks that tell the layers apart.
QImage landTexture(QColor base, int motif, uint32_t seed) {
    const int n = 32;
    QImage img(n, n, QImage::Format_RGB32);
    Grain g(seed);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int d = g.next(13) - 6;
            img.setPixel(x, y,
                         QColor(qBound(0, base.red() + d, 255), qBound(0, base.green() + d, 255),
                                qBound(0, base.blue() + d, 255))
                             .rgb());
        }
    QPainter p(&img);
    const QColor mark = base.darker(118);
    p.setPen(mark);
    switch (motif) {
    case 1: // scattered tufts
        for (int i = 0; i < 6; ++i) {
            const int x = g.next(n), y = g.next(n);
            p.drawPoint(x, y);
            p.drawPoint((x + 1) % n, y);
        }
        break;
    case 2: // small ridges
        for (int i = 0; i < 3; ++i) {
            const int x = g.next(n - 6), y = 3 + g.next(n - 6);
            p.drawLine(x, y + 3, x + 3, y);
            p.drawLine(x + 3, y, x + 6, y + 3);
        }
        break;
    case 3: // tree dots
        for (int i = 0; i < 8; ++i)
            p.drawEllipse(QPoint(g.next(n), g.next(n)), 1, 1);
        break;
    case 4: // field rows
        for (int y = 4; y < n; y += 8)
            p.drawLine(0, y, n - 1, y);
        break;
    case 5: // stones
        for (int i = 0; i < 5; ++i)
            p.drawRect(g.next(n - 2), g.next(n - 2), 1, 1);
        break;
    default:
        break;
    }
    return img;
}

QImage seaTexture() {
    const int w = 48, h = 24;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(58, 96, 132));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(82, 122, 158), 1));
    // Two rows of small arcs, offset against each other, tile seamlessly.
    for (int row = 0; row < 2; ++row) {
        const int y = 6 + row * 12, x0 = row * 12;
        for (int x = x0 - w; x < w * 2; x += 24)
            p.drawArc(x, y, 12, 6, 0, 180 * 16);
    }
    return img;
}

QImage shadowTexture() {
    QImage img(4, 4, QImage::Format_ARGB32);
    img.fill(QColor(20, 40, 60, 150));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            if ((x + y) % 2 == 0) img.setPixelColor(x, y, QColor(10, 25, 40, 200));
    return img;
}

QImage highlightTexture() {
    const int n = 8;
    QImage img(n, n, QImage::Format_ARGB32);
    img.fill(QColor(255, 214, 90, 190));
    for (int i = 0; i < n; ++i)
        img.setPixelColor(i, (n - 1 - i), QColor(230, 150, 40, 220));
    return img;
}

MapBrushes makeBrushes() {
    MapBrushes b;
    const QColor bases[6] = {QColor(206, 196, 150), QColor(176, 194, 128), QColor(196, 174, 128),
                             QColor(150, 172, 112), QColor(214, 204, 164), QColor(184, 166, 146)};
    for (int i = 0; i < 6; ++i)
        b.layer[i] = QBrush(landTexture(bases[i], i, 17u + i * 131u));
    b.lake = QBrush(QColor(20, 80, 100));
    b.background = QBrush(seaTexture());
    b.shadow = QBrush(shadowTexture());
    b.highlight = QBrush(highlightTexture());
    b.border = QColor(96, 78, 52);
    return b;
}

} // namespace

const MapBrushes& mapBrushes() {
    static const MapBrushes brushes = makeBrushes();
    return brushes;
}

} // namespace vh::ui
