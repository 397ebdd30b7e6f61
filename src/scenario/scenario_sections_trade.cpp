// Sections of foreign trade and gun markets: Trading, TradingMonth, TeppouKounyuu and
// TeppouKounyuuMonth.
#include "scenario/scenario_reader_impl.h"
#include "world/byte_io.h"

#include <cstring>

namespace vh {

int ScenarioReader::provinceMonths(uint8_t* months) {
    int32_t count;
    if (int e = intField(false, count)) return e;
    const auto value = static_cast<uint8_t>(count);
    for (;;) {
        next();
        if (tok_ == "K_ALL") {
            std::memset(months, value, static_cast<size_t>(world_.provinceCount()));
        } else {
            const int province = provinceIndex(tok_);
            if (province < 0) return kErrProvince;
            months[province] = value;
        }
        if (end_ != kTokenMore) return kScenarioOk;
    }
}

int ScenarioReader::partnerLine(int end) {
    // Entry 0, navigation training, is built in.
    if (world_.tradePartnerCount >= kMaxTradePartners) return kErrTooManyPartners;
    if (int e = shapeOf(end, false)) return e;
    const std::string id = tok_;
    if (id.size() > kMaxIdBytes) return kErrPartnerIdTooLong;
    if (partnerIds_.count(id)) return kErrPartnerIdDuplicate;
    if (int e = field(false)) return e;
    if (tok_.size() > kMaxNameBytes) return kErrPartnerNameTooLong;
    const std::string name = tok_;
    int32_t value;
    if (int e = intField(true, value)) return e;

    const int index = world_.tradePartnerCount++;
    TradePartner& p = world_.tradePartners[index];
    p = TradePartner{};
    // A province no TradingMonth line names cannot reach the partner (-1 in the signed byte), so
    // an undeclared province never reads as a voyage of 0 months.
    std::memset(p.voyageMonths, 0xFF, sizeof p.voyageMonths);
    setFieldText(p.name, name);
    p.shipValue = value;
    partnerIds_.emplace(id, index);
    return kScenarioOk;
}

int ScenarioReader::partnerMonthLine(int end) {
    if (int e = shapeOf(end, false)) return e;
    auto it = partnerIds_.find(tok_);
    if (it == partnerIds_.end()) return kErrPartnerRef;
    return provinceMonths(world_.tradePartners[it->second].voyageMonths);
}

int ScenarioReader::marketLine(int end) {
    if (world_.gunMarketCount >= kMaxGunMarkets) return kErrTooManyMarkets;
    if (int e = shapeOf(end, false)) return e;
    const std::string id = tok_;
    if (id.size() > kMaxIdBytes) return kErrMarketIdTooLong;
    if (marketIds_.count(id)) return kErrMarketIdDuplicate;
    if (int e = field(false)) return e;
    if (tok_.size() > kMaxNameBytes) return kErrMarketNameTooLong;
    GunMarket m;
    setFieldText(m.name, tok_);
    int32_t fromYear;
    if (int e = intField(false, fromYear)) return e;
    double v[6];
    for (int i = 0; i < 6; ++i)
        if (int e = realField(i == 5, v[i])) return e;
    m.fromYear = static_cast<int16_t>(fromYear);
    m.costInitial = v[0];
    m.costDecrease = v[1];
    m.costLowerBound = v[2];
    m.rateInitial = v[3];
    m.rateIncrease = v[4];
    m.rateUpperBound = v[5];
    std::memset(m.deliveryMonths, 4, sizeof m.deliveryMonths);

    const int index = world_.gunMarketCount++;
    world_.gunMarkets[index] = m;
    marketIds_.emplace(id, index);
    return kScenarioOk;
}

int ScenarioReader::marketMonthLine(int end) {
    if (int e = shapeOf(end, false)) return e;
    auto it = marketIds_.find(tok_);
    if (it == marketIds_.end()) return kErrMarketRef;
    return provinceMonths(world_.gunMarkets[it->second].deliveryMonths);
}

} // namespace vh
