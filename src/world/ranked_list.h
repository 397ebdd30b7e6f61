// RankedList: item indices with integer keys, sorted by exchange with ties shuffled by the game's
// generator. Every ranking of houses, castles or generals with random tie order goes through it,
// because the exact exchange order decides which random draw lands on which item.
#pragma once

#include "world/random.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vh {

class RankedList {
public:
    explicit RankedList(int capacity);
    // The entries' storage goes back to the thread's spares for the next list: rankings are made
    // and dropped tens of thousands of times a month. (So no list may outlive its thread.)
    ~RankedList();
    RankedList(const RankedList&) = default;
    RankedList(RankedList&&) = default;
    RankedList& operator=(const RankedList&) = default;
    RankedList& operator=(RankedList&&) = default;

    // The warning the list gives when created for an unusual capacity (empty when none).
    static std::string capacityWarning(int capacity);

    // Appends an entry; entries past the capacity are ignored and false is returned.
    bool add(int item, int key);
    void clear() { items_.clear(); keys_.clear(); }
    int size() const { return static_cast<int>(items_.size()); }
    int capacity() const { return capacity_; }
    int item(int pos) const { return items_[pos]; }
    int key(int pos) const { return keys_[pos]; }

    void sortAscending();
    void sortDescending();
    // After a sort: for every run of L >= 2 equal keys starting at s, for k = 0..L-1 swap the
    // item at s+k with the item at s+k+floor(r/32768*(L-k)), one draw per k.
    void shuffleTies(Random& rng);
    // sortDescending() then shuffleTies(rng), done only as far as lazyItem reads: every position
    // read holds the item the two would put there, and the generator is left where the shuffle
    // leaves it. Reading a position sorts up to the end of its run of equal keys, so a long list
    // of which only the head is read costs a fraction of the whole sort. Called after the last
    // add; lazyItem takes 0 <= pos < size(). Keys and unread positions are left in no particular
    // order.
    void sortDescendingLazily(Random& rng);
    int lazyItem(int pos);
    // sortDescending() run only as far as read, for lists often left before their end: pass p of
    // the exchange sort settles position p for good, so reading pos runs the passes up to it.
    // Read after the last add, with no other sort mixed in.
    int settledItem(int pos) {
        settleTo(pos);
        return items_[pos];
    }
    int settledKey(int pos) {
        settleTo(pos);
        return keys_[pos];
    }
    // First position holding the smallest key, or -1 when empty.
    int findSmallest() const;
    void removeAt(int pos);

private:
    template <bool Descending> void exchangePass(int i);
    void settleTo(int pos);
    template <bool Descending> void exchangeSort();
    int capacity_;
    std::vector<int> items_;
    std::vector<int> keys_;
    // The lazy sort: runs of equal keys in sorted order with the first of their draws, the
    // generator where the shuffle's draws begin, and how far sorting and shuffling have gone.
    struct Run {
        int start, length;
        uint64_t firstDraw;
    };
    std::vector<Run> runs_;
    Random shuffleFrom_;
    int passesDone_ = 0, runsShuffled_ = 0;
};

} // namespace vh
