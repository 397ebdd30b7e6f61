// The map's own brushes: six land textures for layers 0-5, the sea background, the coast shadow
// and the highlight of the selected province. Generated once, deterministically, at start-up.
#pragma once

#include <QBrush>
#include <QColor>

namespace vh::ui {

struct MapBrushes {
    QBrush layer[6];
    QBrush lake;       // layer 6: solid (20,80,100)
    QBrush background; // the sea around the land
    QBrush shadow;     // coast drop shadow
    QBrush highlight;  // the selected province
    QColor border;     // province outlines
};

// Shared instance; textures are built on first use (needs a QGuiApplication).
const MapBrushes& mapBrushes();

} // namespace vh::ui
