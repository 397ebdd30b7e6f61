// The shared helpers: generator, ranked list, rounding, display formats and the text codec.
#include "world/numeric.h"
#include "world/random.h"
#include "world/ranked_list.h"
#include "world/text_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace vh {
namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
    Random r(0);
    // state 0 -> 2531011 -> bits 16..30 = 38; the following values come from the same recurrence.
    EXPECT_EQ(r.next(), 38);
    EXPECT_EQ(r.next(), 7719);
    EXPECT_EQ(r.next(), 21238);
    Random s(12345);
    uint32_t st = 12345;
    for (int i = 0; i < 1000; ++i) {
        st = st * 214013u + 2531011u;
        ASSERT_EQ(s.next(), static_cast<int>((st >> 16) & 0x7FFF));
    }
}

TEST(Random, ScalingsReachTheirBounds) {
    EXPECT_EQ(Random::scaleBelow(32767, 10), 9);
    EXPECT_EQ(Random::scaleBelow(0, 10), 0);
    EXPECT_EQ(Random::scaleUpTo(32767, 10), 10);
    EXPECT_EQ(Random::scaleUpTo(32766, 10), 9);
    Random r(99);
    for (int i = 0; i < 10000; ++i) {
        int v = r.below(7);
        ASSERT_TRUE(v >= 0 && v < 7);
        double u = r.unit();
        ASSERT_TRUE(u >= 0.0 && u <= 1.0);
    }
}

TEST(RankedList, ExchangeSortMovesItemsWithKeys) {
    RankedList l(10);
    int keys[] = {5, 1, 4, 1, 3};
    for (int i = 0; i < 5; ++i) l.add(i, keys[i]);
    l.sortAscending();
    // Exchange sort is not stable: i=0 swaps with j=1 (key 1), then nothing smaller than 1 follows.
    EXPECT_EQ(l.key(0), 1);
    EXPECT_EQ(l.item(0), 1);
    EXPECT_EQ(l.key(1), 1);
    EXPECT_EQ(l.item(1), 3);
    EXPECT_EQ(l.key(4), 5);
    l.sortDescending();
    EXPECT_EQ(l.key(0), 5);
    EXPECT_EQ(l.item(0), 0);
    EXPECT_FALSE(l.add(99, 0) && l.add(98, 0) && l.add(97, 0) && l.add(96, 0) && l.add(95, 0) && l.add(94, 0));
    EXPECT_EQ(l.size(), 10);
}

TEST(RankedList, ShuffleTiesDrawsOncePerTiedPositionAndKeepsKeys) {
    RankedList l(10);
    int keys[] = {1, 2, 2, 2, 3, 3};
    for (int i = 0; i < 6; ++i) l.add(i, keys[i]);
    Random rng(7), expected(7);
    l.shuffleTies(rng);
    for (int i = 0; i < 5; ++i) expected.next(); // three draws for the run of 2s, two for the 3s
    EXPECT_EQ(rng.state(), expected.state());
    EXPECT_EQ(l.item(0), 0);
    std::vector<int> twos = {l.item(1), l.item(2), l.item(3)};
    std::sort(twos.begin(), twos.end());
    EXPECT_EQ(twos, (std::vector<int>{1, 2, 3}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(l.key(i), keys[i]);

    // The exchanges themselves, for a state whose draws are 10935, 26959, 28986, 20115, 22190:
    // run of 2s: k=0 swaps positions 1 and 1+1, k=1 swaps 2 and 2+1, k=2 stays; run of 3s: k=0
    // swaps 4 and 4+1. Every random ranking of the game leans on this order.
    RankedList pinned(10);
    for (int i = 0; i < 6; ++i) pinned.add(i, keys[i]);
    Random seeded(3337);
    pinned.shuffleTies(seeded);
    const std::vector<int> order = {pinned.item(0), pinned.item(1), pinned.item(2),
                                    pinned.item(3), pinned.item(4), pinned.item(5)};
    EXPECT_EQ(order, (std::vector<int>{0, 2, 3, 1, 5, 4}));
}

TEST(RankedList, LazySortReadsTheSameHeadAsTheFullSortAndShuffle) {
    Random gen(11);
    for (int c = 0; c < 500; ++c) {
        const int n = gen.below(60), spread = 1 + gen.below(12); // few distinct keys: long tied runs
        RankedList full(n), lazy(n);
        for (int i = 0; i < n; ++i) {
            const int key = gen.below(spread);
            full.add(i, key);
            lazy.add(i, key);
        }
        Random a(static_cast<uint32_t>(c)), b = a;
        full.sortDescending();
        full.shuffleTies(a);
        lazy.sortDescendingLazily(b);
        EXPECT_EQ(a.state(), b.state()) << c;
        // Read in rising order up to a random depth, as the planner does, then one far back.
        const int depth = n == 0 ? 0 : gen.below(n + 1);
        for (int p = 0; p < depth; ++p)
            ASSERT_EQ(lazy.lazyItem(p), full.item(p)) << c << " at " << p;
        if (depth > 0) {
            EXPECT_EQ(lazy.lazyItem(depth / 2), full.item(depth / 2)) << c;
        }
    }
}

// The exchange sort as plainly written: every later entry that beats position i's swaps with it.
std::vector<std::pair<int, int>> plainExchangeSort(std::vector<std::pair<int, int>> v, bool descending) {
    for (size_t i = 0; i < v.size(); ++i)
        for (size_t j = i + 1; j < v.size(); ++j)
            if (descending ? v[j].second > v[i].second : v[j].second < v[i].second) std::swap(v[i], v[j]);
    return v;
}

TEST(RankedList, SortsAsThePlainExchangeSortAndSettlesAsFarAsRead) {
    Random gen(5);
    for (int c = 0; c < 400; ++c) {
        const int n = gen.below(70), spread = 1 + gen.below(c % 2 ? 8 : 1000);
        RankedList down(n), up(n), settled(n);
        std::vector<std::pair<int, int>> v;
        for (int i = 0; i < n; ++i) {
            const int key = gen.below(spread) - spread / 2;
            v.push_back({i, key});
            down.add(i, key);
            up.add(i, key);
            settled.add(i, key);
        }
        down.sortDescending();
        up.sortAscending();
        const auto wantDown = plainExchangeSort(v, true), wantUp = plainExchangeSort(v, false);
        const int depth = n == 0 ? 0 : gen.below(n + 1);
        for (int p = 0; p < n; ++p) {
            ASSERT_EQ(std::make_pair(down.item(p), down.key(p)), wantDown[p]) << c << " at " << p;
            ASSERT_EQ(std::make_pair(up.item(p), up.key(p)), wantUp[p]) << c << " at " << p;
            if (p < depth) {
                ASSERT_EQ(std::make_pair(settled.settledItem(p), settled.settledKey(p)), wantDown[p]) << c;
            }
        }
    }
}

TEST(RankedList, FindSmallestAndRemove) {
    RankedList l(5);
    EXPECT_EQ(l.findSmallest(), -1);
    l.add(10, 3);
    l.add(11, 1);
    l.add(12, 1);
    EXPECT_EQ(l.findSmallest(), 1);
    l.removeAt(1);
    EXPECT_EQ(l.item(1), 12);
    EXPECT_EQ(l.size(), 2);
    EXPECT_EQ(RankedList::capacityWarning(50000), "Debug Message : ソート数が50000以上です");
    EXPECT_EQ(RankedList::capacityWarning(0), "Debug Message : ソート数が0以下です");
    EXPECT_EQ(RankedList::capacityWarning(49999), "");
}

TEST(Numeric, RoundingAndFormats) {
    EXPECT_EQ(roundHalfAway(2.5), 3);
    EXPECT_EQ(roundHalfAway(-2.5), -3);
    EXPECT_EQ(roundHalfAway(2.49), 2);
    EXPECT_EQ(ceilAway(1.01), 2);
    EXPECT_EQ(ceilAway(-1.01), -2);
    EXPECT_EQ(ceilAway(3.0), 3);
    EXPECT_EQ(formatKoku(1234567), "123万4567石");
    EXPECT_EQ(formatKoku(50), "0万0050石");
    EXPECT_EQ(formatYear(-660), "B.C.660");
    EXPECT_EQ(formatYear(1560), "1560");
    EXPECT_EQ(formatYear(0), "0");
}

TEST(TextCodec, RoundTripsAndSurvivesBadBytes) {
    EXPECT_EQ(utf8ToCp932("織田"), "\x90\x44\x93\x63");
    EXPECT_EQ(cp932ToUtf8("\x90\x44\x93\x63"), "織田");
    EXPECT_EQ(cp932ToUtf8(utf8ToCp932("①ﾊﾞｰｼﾞｮﾝ")), "①ﾊﾞｰｼﾞｮﾝ"); // NEC row and half-width kana
    EXPECT_EQ(toUtf8(fromUtf8("统一", TextEncoding::Gb2312), TextEncoding::Gb2312), "统一");
    EXPECT_EQ(cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");    // truncated lead byte
    EXPECT_EQ(cp932ToUtf8("\xA0z"), "\xEF\xBF\xBDz");   // undefined single byte
    EXPECT_EQ(utf8ToCp932("a\xFF" "b"), "a?b");          // invalid UTF-8
    EXPECT_EQ(utf8ToCp932("😀"), "?");                   // no mapping
    EXPECT_TRUE(isLeadByte(0x81));
    EXPECT_FALSE(isLeadByte(0xA0));

    // Converted names are remembered: more names than the memory holds, read twice over, must
    // each come back as themselves however they share its places.
    const char* kanji[] = {"織", "田", "武", "上", "杉", "毛", "利", "島", "津", "北"};
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 10000; ++i) {
            std::string name;
            for (int n = i; n > 0 || name.empty(); n /= 10)
                name += kanji[n % 10];
            ASSERT_EQ(cp932ToUtf8(utf8ToCp932(name)), name) << "pass " << pass << ", name " << i;
        }
}

} // namespace
} // namespace vh
