// Texts built from the world's names that several subsystems show alike.
#include "context/game_text.h"

namespace vh {

std::string noProvinceDataMessage(const WorldState& w, int province) {
    std::string name;
    if (province >= 0 && province < w.provinceCount()) name = nameText(w, w.map.provinces[province].name);
    return "このシナリオでは、" + name + "のデータはありません";
}

} // namespace vh
