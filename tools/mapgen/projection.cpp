// The fixed projection of the default map.
#include "projection.h"

#include <cmath>

namespace mapgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

// Lambert conformal conic on the unit sphere.
constexpr double kParallel1 = 33.0, kParallel2 = 40.0, kOriginLat = 36.0, kOriginLon = 136.0;
// Clockwise turn of the projected plane, pixels per unit of the projected plane, and where the
// projection's origin lands in the frame.
constexpr double kTurn = 15.0;
constexpr double kScale = 2560.0;
constexpr double kOriginX = 309.73;
constexpr double kOriginY = 245.57;

// Inset: equirectangular, north up, at the main map's scale; Okinawa and the Amami islands.
constexpr double kInsetLonMin = 126.6, kInsetLonMax = 130.2, kInsetLatMin = 26.0, kInsetLatMax = 28.6;
constexpr double kInsetLeft = 4.0, kInsetTop = 4.0;
constexpr double kInsetPixelsPerDegree = kScale * kDeg;
const double kInsetLonFactor = std::cos(27.3 * kDeg);

struct Cone {
    double n, f, rho0;
};

Cone cone() {
    auto t = [](double lat) { return std::tan(kPi / 4 + lat * kDeg / 2); };
    const double n = std::log(std::cos(kParallel1 * kDeg) / std::cos(kParallel2 * kDeg)) /
                     std::log(t(kParallel2) / t(kParallel1));
    const double f = std::cos(kParallel1 * kDeg) * std::pow(t(kParallel1), n) / n;
    return {n, f, f / std::pow(t(kOriginLat), n)};
}

} // namespace

InsetBox ryukyuInsetBox() {
    return {kInsetLeft, kInsetTop,
            kInsetLeft + (kInsetLonMax - kInsetLonMin) * kInsetLonFactor * kInsetPixelsPerDegree,
            kInsetTop + (kInsetLatMax - kInsetLatMin) * kInsetPixelsPerDegree};
}

bool inRyukyuInset(double lon, double lat) {
    return lon >= kInsetLonMin && lon <= kInsetLonMax && lat >= kInsetLatMin && lat <= kInsetLatMax;
}

PixelPoint projectMain(double lon, double lat) {
    static const Cone c = cone();
    const double rho = c.f / std::pow(std::tan(kPi / 4 + lat * kDeg / 2), c.n);
    const double theta = c.n * (lon - kOriginLon) * kDeg;
    const double x = rho * std::sin(theta), y = c.rho0 - rho * std::cos(theta);
    const double a = kTurn * kDeg;
    const double xr = x * std::cos(a) + y * std::sin(a), yr = -x * std::sin(a) + y * std::cos(a);
    return {kOriginX + xr * kScale, kOriginY - yr * kScale};
}

PixelPoint projectInset(double lon, double lat) {
    return {kInsetLeft + (lon - kInsetLonMin) * kInsetLonFactor * kInsetPixelsPerDegree,
            kInsetTop + (kInsetLatMax - lat) * kInsetPixelsPerDegree};
}

PixelPoint project(double lon, double lat) {
    return inRyukyuInset(lon, lat) ? projectInset(lon, lat) : projectMain(lon, lat);
}

} // namespace mapgen
