// The fixed texts of the month's requests to the player.
#include "context/event_requests.h"

namespace vh {

std::string TradeShipReturn::firstLine() const {
    return destination + "に派遣していた交易船 " + std::to_string(ships) + "隻が" + castle + "に帰港しました";
}
std::string TradeShipReturn::secondLine() const {
    return training ? std::string() : "収益 " + std::to_string(gain);
}

std::string WeatherEvent::heading() const {
    return snow ? "以下の地域に大雪が降りました" : "以下の地域に大雨が降りました";
}
std::string WeatherEvent::footer() const {
    return snow ? "これらの地域では、城攻め中の軍は包囲を継続できずに撤退しました"
                : "これらの地域では、石高・町経済が低下しました";
}

std::string RoninRequest::question() const {
    return name + "が当家を頼ってきました。家臣に登用しますか？";
}

} // namespace vh
