// Sections that describe provinces and regions: KuniArea (view areas), SnowKakuritsu,
// RainKakuritsu (weather chances) and TeppouSeisan (gun production).
#include "scenario/scenario_reader_impl.h"

namespace vh {

int ScenarioReader::viewAreaLine(int end) {
    if (int e = shapeOf(end, false)) return e;
    const int province = provinceIndex(tok_);
    if (province < 0) return kErrProvince;
    int32_t zoom, x0, y0, x1, y1;
    if (int e = intField(false, zoom)) return e;
    if (int e = rangedField(false, 0, 559, kErrX, x0)) return e;
    if (int e = rangedField(false, 0, 439, kErrY, y0)) return e;
    if (int e = rangedField(false, 0, 559, kErrX, x1)) return e;
    if (int e = rangedField(true, 0, 439, kErrY, y1)) return e;
    world_.viewAreas[province] = ProvinceViewArea{zoom, x0, y0, x1 + 1, y1 + 1};
    return kScenarioOk;
}

namespace {

// Twelve monthly chances, month 1 first; the twelfth ends the line.
template <class Reader> int readMonths(Reader&& intField, std::array<uint8_t, 12>& out) {
    std::array<uint8_t, 12> months{};
    for (int m = 0; m < 12; ++m) {
        int32_t v;
        if (int e = intField(m == 11, v)) return e;
        months[m] = static_cast<uint8_t>(v);
    }
    out = months;
    return kScenarioOk;
}

} // namespace

int ScenarioReader::snowLine(int end) {
    if (int e = shapeOf(end, false)) return e;
    const int province = provinceIndex(tok_);
    if (province < 0) return kErrProvince;
    return readMonths([this](bool last, int32_t& v) { return intField(last, v); },
                      world_.snowChance[province]);
}

int ScenarioReader::rainLine(int end) {
    if (int e = shapeOf(end, false)) return e;
    const int region = regionIndex(tok_);
    if (region < 0) return kErrRegion;
    return readMonths([this](bool last, int32_t& v) { return intField(last, v); }, world_.rainChance[region]);
}

int ScenarioReader::productionLine(int end) {
    if (int e = shapeOf(end, false)) return e;
    const int province = provinceIndex(tok_);
    if (province < 0) return kErrProvince;
    int32_t fromYear;
    if (int e = intField(false, fromYear)) return e;
    double base, increase, maximum;
    if (int e = realField(false, base)) return e;
    if (int e = realField(false, increase)) return e;
    if (int e = realField(true, maximum)) return e;
    ProvinceGunProduction& p = world_.gunProduction[province];
    p.fromYear = static_cast<int16_t>(fromYear);
    p.base = base;
    p.increase = increase;
    p.maximum = maximum;
    p.current = 0;
    return kScenarioOk;
}

} // namespace vh
