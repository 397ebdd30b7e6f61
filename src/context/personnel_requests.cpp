// The fixed texts of the personnel requests to the player.
#include "context/personnel_requests.h"

namespace vh {

std::string HostageRequest::header() const {
    return demandingHouse + " は人質の差し出しを要求してきました";
}

std::string HostageRequest::confirmQuestion(const std::string& name) {
    return name + " を人質として差し出します。よろしいですか？";
}

std::string SurrenderRequest::refusalText(const std::string& name) {
    return name + " は登用を拒否しました";
}

} // namespace vh
