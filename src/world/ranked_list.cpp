// Exchange sort and tie shuffle of RankedList.
#include "world/ranked_list.h"

#include "world/random.h"

#include <utility>

namespace vh {

RankedList::RankedList(int capacity) : capacity_(capacity > 0 ? capacity : 0) {
    items_.reserve(capacity_ < 50000 ? capacity_ : 50000);
    keys_.reserve(items_.capacity());
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

template <class Before> void RankedList::exchangeSort(Before before) {
    const int n = size();
    int* keys = keys_.data();
    int* items = items_.data();
    for (int i = 0; i < n; ++i) {
        // Position i's entry is held aside while the pass runs: each exchange puts it at j and
        // takes up the entry found there, as swapping the two in place would. An exchange
        // happens only where an entry beats every one before it in the pass, which is rare, so
        // the pass is mostly a plain search for the next such entry.
        int key = keys[i], item = items[i];
        for (int j = i + 1; j < n; ++j) {
            if (!before(keys[j], key)) continue;
            std::swap(keys[j], key);
            std::swap(items[j], item);
        }
        keys[i] = key;
        items[i] = item;
    }
}

void RankedList::sortAscending() { exchangeSort([](int a, int b) { return a < b; }); }
void RankedList::sortDescending() { exchangeSort([](int a, int b) { return a > b; }); }

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
