// The game's one random generator: a 32-bit linear congruential state, 15-bit draws.
// Every rule draws from the Game's instance in the order the rules state, so a seed replays a game.
#pragma once

#include <cstdint>

namespace vh {

class Random {
public:
    explicit Random(uint32_t seed = 0) : state_(seed) {}
    void seed(uint32_t s) { state_ = s; }
    uint32_t state() const { return state_; }

    // 0..32767: bits 16..30 of the advanced state.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }
    // floor(r / 32768 * n): 0..n-1.
    int below(int n) { return scaleBelow(next(), n); }
    // floor(r / 32767 * n): 0..n, n only for r = 32767.
    int upTo(int n) { return scaleUpTo(next(), n); }
    // r / 32767: a real in [0, 1] that can reach 1.
    double unit() { return next() / 32767.0; }

    // Steps the generator n draws on at once (the same state as n calls of next()), by composing
    // the step with itself: used where a rule's draws are known to make no difference.
    void discard(uint64_t n) {
        uint32_t mul = 214013u, add = 2531011u; // one step: x -> mul * x + add
        uint32_t accMul = 1u, accAdd = 0u;
        for (; n != 0; n >>= 1) {
            if (n & 1u) {
                accMul *= mul;
                accAdd = accAdd * mul + add;
            }
            add = add * (mul + 1u);
            mul *= mul;
        }
        state_ = state_ * accMul + accAdd;
    }

    static int scaleBelow(int r, int n) { return static_cast<int>(r / 32768.0 * n); }
    static int scaleUpTo(int r, int n) { return static_cast<int>(r / 32767.0 * n); }

private:
    uint32_t state_;
};

} // namespace vh
