// Record layouts: sizes, a few field offsets per record, and full round trips.
#include "world/record_codec.h"
#include "world/world_state.h"

#include <gtest/gtest.h>

#include <random>

namespace vh {
namespace {

// Fills an image with arbitrary bytes, decodes and re-encodes it: every byte must survive,
// which proves the description covers each offset exactly once (gaps are carried as raw bytes).
template <class R> void expectByteExactRoundTrip(const std::vector<size_t>& zeroBytes = {}) {
    std::mt19937 gen(R::kBytes);
    std::array<uint8_t, R::kBytes> in{};
    for (auto& b : in) b = static_cast<uint8_t>(gen());
    for (size_t z : zeroBytes) in[z] = 0;
    R r;
    decodeRecord(r, in.data());
    EXPECT_EQ(recordImage(r), in) << typeid(R).name();
}

TEST(Records, EveryRecordRoundTripsByteForByte) {
    expectByteExactRoundTrip<ScenarioHouse>();
    expectByteExactRoundTrip<DaimyoHouse>();
    expectByteExactRoundTrip<RelationEntry>();
    expectByteExactRoundTrip<CastleSite>();
    expectByteExactRoundTrip<Castle>();
    expectByteExactRoundTrip<ScenarioGeneral>();
    expectByteExactRoundTrip<General>();
    expectByteExactRoundTrip<Corps>();
    expectByteExactRoundTrip<Province>();
    expectByteExactRoundTrip<Region>();
    expectByteExactRoundTrip<ProvinceViewArea>();
    expectByteExactRoundTrip<ProvinceGunProduction>();
    expectByteExactRoundTrip<TradePartner>();
    expectByteExactRoundTrip<GunMarket>();
    expectByteExactRoundTrip<Coalition>();
}

TEST(Records, FieldsSitAtTheirOffsets) {
    DaimyoHouse h;
    h.head = 0x01020304;
    h.lord = 7;
    h.relations[3] = 0x52;
    h.powerHistory[11] = -2;
    h.marketOrders[9].monthsLeft = 9;
    auto hi = recordImage(h);
    EXPECT_EQ(hi[4], 0x04);
    EXPECT_EQ(hi[7], 0x01);
    EXPECT_EQ(hi[50], 7);
    EXPECT_EQ(hi[58 + 3], 0x52);
    EXPECT_EQ(hi[1084], 0xFE);
    EXPECT_EQ(hi[1085], 0xFF);
    EXPECT_EQ(hi[1088 + 36 + 2], 9);

    Castle c;
    c.generals[0] = 5;
    c.besiegers[19] = 0x1234;
    c.support = 1000;
    c.voyages[9].length = 3;
    auto ci = recordImage(c);
    EXPECT_EQ(ci[32], 5);
    EXPECT_EQ(ci[112 + 76], 0x34);
    EXPECT_EQ(ci[113 + 76], 0x12);
    EXPECT_EQ(ci[274], 1000 & 0xFF);
    EXPECT_EQ(ci[275], 1000 >> 8);
    EXPECT_EQ(ci[317], 3);

    General g;
    g.house = -3;
    g.flags = kFlagInField;
    g.sortieTarget = static_cast<int16_t>(kIndexFlag | 12);
    auto gi = recordImage(g);
    EXPECT_EQ(gi[46], 0xFD);
    EXPECT_EQ(gi[47], 0xFF);
    EXPECT_EQ(gi[72], 4);
    EXPECT_EQ(gi[60], 12);
    EXPECT_EQ(gi[61], 0x80);

    CastleSite s;
    s.routes[6] = 42;
    s.picture = kPicEurope;
    auto si = recordImage(s);
    EXPECT_EQ(si[36 + 12], 42);
    EXPECT_EQ(si[36 + 14], 0xFF) << "the eighth slot keeps its terminating -1";
    EXPECT_EQ(si[55], 3);

    GunMarket m;
    m.rateCurrent = 1.5;
    m.monthlyPurchases = 2;
    auto mi = recordImage(m);
    EXPECT_EQ(mi[587], 0x3F); // top byte of 1.5
    EXPECT_EQ(mi[588], 2);

    ScenarioGeneral sg;
    sg.succession = -1;
    sg.place = static_cast<int16_t>(kIndexFlag | 3);
    auto sgi = recordImage(sg);
    EXPECT_EQ(sgi[42], 0xFF);
    EXPECT_EQ(sgi[41], 0x80);
}

TEST(Records, RelationKindAndCounterAreIndependent) {
    DaimyoHouse h;
    setRelationKind(h, 4, kRelPact);
    setRelationCounter(h, 4, 12);
    EXPECT_EQ(relationKind(h, 4), kRelPact);
    setRelationKind(h, 4, kRelSwornEnemy);
    EXPECT_EQ(relationCounter(h, 4), 12);
    setRelationCounter(h, 4, 15);
    EXPECT_EQ(relationKind(h, 4), kRelSwornEnemy);
    EXPECT_EQ(h.relations[4], 0xF0);
}

TEST(Records, WorldStartsWithItsTablesAtCapacity) {
    WorldState w;
    EXPECT_EQ(w.houses.size(), 1000u);
    EXPECT_EQ(w.castles.size(), 2000u);
    EXPECT_EQ(w.generals.size(), 5000u);
    EXPECT_EQ(w.waitingGenerals.size(), 5000u);
    EXPECT_EQ(w.tradePartnerCount, 1);
    EXPECT_EQ(std::string(fieldText(w.tradePartners[0].name)), "\x8D\x71\x8A\x43\x8C\x50\x97\xFB");
    EXPECT_FALSE(houseAlive(w, 0));
    w.houseCount = 1;
    w.houses[0].head = 3;
    EXPECT_TRUE(houseAlive(w, 0));
    w.houses[0].head = -1;
    EXPECT_FALSE(houseAlive(w, 0));
}

} // namespace
} // namespace vh
