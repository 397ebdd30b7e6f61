// Message texts of diplomacy: the fixed templates filled with house and general names (UTF-8).
#pragma once

#include "context/game_text.h"
#include "world/world_state.h"

#include <cstdio>
#include <string>

namespace vh {

// printf-style filling of a UTF-8 template ("%sは当家に従属しました", "%d万%04d石" ...).
template <class... Args> std::string fillText(const char* format, const Args&... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<size_t>(n));
    return out;
}

inline std::string generalNameText(const WorldState& w, int general) {
    if (general < 0 || general >= kMaxGenerals) return {};
    return nameText(w, w.generals[general].name);
}

// "%sは当家に従属しました" with the house's name.
inline std::string withHouse(const WorldState& w, const char* format, int house) {
    return fillText(format, houseNameText(w, house).c_str());
}
inline std::string withHouses(const WorldState& w, const char* format, int a, int b) {
    return fillText(format, houseNameText(w, a).c_str(), houseNameText(w, b).c_str());
}

} // namespace vh
