// Names from the world's fixed-width fields as UTF-8 for messages, in the scenario's character set.
#pragma once

#include "world/byte_io.h"
#include "world/text_codec.h"
#include "world/world_state.h"

#include <string>
#include <string_view>

namespace vh {

inline TextEncoding scenarioEncoding(const WorldState& w) {
    return w.settings.language == 1 ? TextEncoding::Gb2312 : TextEncoding::Cp932;
}

template <size_t N> std::string nameText(const WorldState& w, const char (&field)[N]) {
    return toUtf8(fieldText(field), scenarioEncoding(w));
}

inline std::string houseNameText(const WorldState& w, int house) {
    if (house < 0 || house >= kMaxHouses) return {};
    return nameText(w, w.houses[house].name);
}

// The refusal of a command that needs a province chosen on the map first.
inline constexpr const char* kChooseProvince = "国を選択してください";

// "このシナリオでは、%sのデータはありません" for a province without castles.
std::string noProvinceDataMessage(const WorldState& w, int province);

} // namespace vh
