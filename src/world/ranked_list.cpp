// Exchange sort and tie shuffle of RankedList.
#include "world/ranked_list.h"

#include "world/random.h"

#include <algorithm>
#include <functional>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vh {

namespace {

// Emptied vectors of lists gone, kept for the lists to come; a few dozen cover the deepest
// nesting of rankings, and the largest the ctor reserves is 50000 entries.
std::vector<std::vector<int>>& spareStorage() {
    thread_local std::vector<std::vector<int>> spare;
    return spare;
}

std::vector<int> takeSpare() {
    std::vector<std::vector<int>>& spare = spareStorage();
    if (spare.empty()) return {};
    std::vector<int> v = std::move(spare.back());
    spare.pop_back();
    v.clear();
    return v;
}

void giveBack(std::vector<int>& v) {
    constexpr size_t kKept = 32;
    std::vector<std::vector<int>>& spare = spareStorage();
    if (v.capacity() > 0 && spare.size() < kKept) spare.push_back(std::move(v));
}

} // namespace

RankedList::RankedList(int capacity)
    : capacity_(capacity > 0 ? capacity : 0), items_(takeSpare()), keys_(takeSpare()) {
    items_.reserve(capacity_ < 50000 ? capacity_ : 50000);
    keys_.reserve(capacity_ < 50000 ? capacity_ : 50000);
}

RankedList::~RankedList() {
    giveBack(items_);
    giveBack(keys_);
}

std::string RankedList::capacityWarning(int capacity) {
    if (capacity >= 50000) return "Debug Message : ソート数が50000以上です";
    if (capacity <= 0) return "Debug Message : ソート数が0以下です";
    return {};
}

bool RankedList::add(int item, int key) {
    if (size() >= capacity_) return false;
    items_.push_back(item);
    keys_.push_back(key);
    return true;
}

namespace {

// The first position from j on whose key beats `key` (strictly greater when descending, strictly
// smaller when ascending), or n. The passes spend their time here, since an exchange is rare
// once the head of the list is sorted: four keys are compared at once.
template <bool Descending> int nextBeating(const int* keys, int j, int n, int key) {
#if defined(__SSE2__)
    const __m128i held = _mm_set1_epi32(key);
    for (; j + 4 <= n; j += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys + j));
        const __m128i beats = Descending ? _mm_cmpgt_epi32(four, held) : _mm_cmplt_epi32(four, held);
        if (const int mask = _mm_movemask_ps(_mm_castsi128_ps(beats))) return j + __builtin_ctz(mask);
    }
#endif
    for (; j < n; ++j)
        if (Descending ? keys[j] > key : keys[j] < key) return j;
    return n;
}

} // namespace

template <bool Descending> void RankedList::exchangePass(int i) {
    const int n = size();
    int* keys = keys_.data();
    int* items = items_.data();
    // Position i's entry is held aside while the pass runs: each exchange puts it at j and takes
    // up the entry found there, as swapping the two in place would. An exchange happens only where
    // an entry beats every one before it in the pass.
    int key = keys[i], item = items[i];
    for (int j = nextBeating<Descending>(keys, i + 1, n, key); j < n; j = nextBeating<Descending>(keys, j + 1, n, key)) {
        std::swap(keys[j], key);
        std::swap(items[j], item);
    }
    keys[i] = key;
    items[i] = item;
}

template <bool Descending> void RankedList::exchangeSort() {
    for (int i = 0; i < size(); ++i)
        exchangePass<Descending>(i);
}

void RankedList::sortAscending() { exchangeSort<false>(); }
void RankedList::sortDescending() { exchangeSort<true>(); }

void RankedList::shuffleTies(Random& rng) {
    const int n = size();
    int s = 0;
    while (s < n) {
        int len = 1;
        while (s + len < n && keys_[s + len] == keys_[s]) ++len;
        if (len >= 2)
            for (int k = 0; k < len; ++k) {
                int other = s + k + Random::scaleBelow(rng.next(), len - k);
                std::swap(items_[s + k], items_[other]);
            }
        s += len;
    }
}

void RankedList::sortDescendingLazily(Random& rng) {
    thread_local std::vector<int> sorted; // only the run lengths are kept from it
    sorted.assign(keys_.begin(), keys_.end());
    std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    runs_.clear();
    uint64_t draws = 0;
    for (int s = 0; s < size();) {
        int len = 1;
        while (s + len < size() && sorted[s + len] == sorted[s]) ++len;
        runs_.push_back({s, len, draws});
        if (len >= 2) draws += len;
        s += len;
    }
    shuffleFrom_ = rng;
    rng.discard(draws);
    passesDone_ = 0;
    runsShuffled_ = 0;
}

int RankedList::lazyItem(int pos) {
    // The run holding pos: the last one starting at or before it.
    const auto run = std::upper_bound(runs_.begin(), runs_.end(), pos,
                                      [](int p, const Run& r) { return p < r.start; }) - 1;
    settleTo(run->start + run->length - 1);
    // Positions before passesDone_ are final: the runs ending there are shuffled as the whole
    // list's shuffle would, each from its own place in the sequence of draws.
    for (; runsShuffled_ < static_cast<int>(runs_.size()) &&
           runs_[runsShuffled_].start + runs_[runsShuffled_].length <= passesDone_;
         ++runsShuffled_) {
        const Run& r = runs_[runsShuffled_];
        if (r.length < 2) continue;
        Random draw = shuffleFrom_;
        draw.discard(r.firstDraw);
        for (int k = 0; k < r.length; ++k) {
            const int other = r.start + k + Random::scaleBelow(draw.next(), r.length - k);
            std::swap(items_[r.start + k], items_[other]);
        }
    }
    return items_[pos];
}

void RankedList::settleTo(int pos) {
    for (; passesDone_ <= pos; ++passesDone_)
        exchangePass<true>(passesDone_);
}

int RankedList::findSmallest() const {
    int best = -1;
    for (int i = 0; i < size(); ++i)
        if (best < 0 || keys_[i] < keys_[best]) best = i;
    return best;
}

void RankedList::removeAt(int pos) {
    if (pos < 0 || pos >= size()) return;
    items_.erase(items_.begin() + pos);
    keys_.erase(keys_.begin() + pos);
}

} // namespace vh
