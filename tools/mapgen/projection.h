// Longitude/latitude to main-map pixels: the one projection the default map and every scenario
// that places castles at real places share. Changing it moves every castle, so it is fixed.
#pragma once

namespace mapgen {

struct PixelPoint {
    double x = 0;
    double y = 0;
};

// Map frame in pixels.
inline constexpr double kFrameWidth = 560;
inline constexpr double kFrameHeight = 440;

// Okinawa and the Amami islands are drawn in an inset box in the top-left corner (open sea in the
// frame), north up, at the main map's scale. The islands further south-west (Miyako, Yaeyama) lie
// outside both the inset and the frame.
struct InsetBox {
    double left, top, right, bottom; // pixels
};
InsetBox ryukyuInsetBox();

// True when a point belongs to the Ryukyu inset rather than the main map.
bool inRyukyuInset(double lon, double lat);

// The main map alone: a Lambert conformal conic (standard parallels 33 and 40 degrees north,
// centred on 136 E) turned 15 degrees clockwise so the islands' long axis fills the frame.
PixelPoint projectMain(double lon, double lat);
// The inset alone.
PixelPoint projectInset(double lon, double lat);
// What scenario authors use: the inset for points of the inset area, the main map otherwise.
PixelPoint project(double lon, double lat);

} // namespace mapgen
