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

    // The next n draws into out, exactly as n calls of next() would give them, with the state left
    // where they would leave it. Four lanes each step four draws at once, so a draw does not wait
    // on the one before: the siege estimate makes thousands of draws a call.
    void fill(int* out, int n) {
        if (n <= 0) return;
        constexpr uint32_t m1 = 214013u, a1 = 2531011u;
        constexpr uint32_t m2 = m1 * m1, a2 = a1 * m1 + a1;
        constexpr uint32_t m4 = m2 * m2, a4 = a2 * m2 + a2;
        uint32_t x0 = state_ * m1 + a1, x1 = x0 * m1 + a1, x2 = x1 * m1 + a1, x3 = x2 * m1 + a1;
        const auto draw = [](uint32_t x) { return static_cast<int>((x >> 16) & 0x7FFF); };
        int i = 0;
        for (; i + 4 <= n; i += 4) {
            out[i] = draw(x0);
            out[i + 1] = draw(x1);
            out[i + 2] = draw(x2);
            out[i + 3] = draw(x3);
            state_ = x3;
            x0 = x0 * m4 + a4;
            x1 = x1 * m4 + a4;
            x2 = x2 * m4 + a4;
            x3 = x3 * m4 + a4;
        }
        const uint32_t rest[3] = {x0, x1, x2};
        for (int j = 0; i < n; ++i, ++j) {
            out[i] = draw(rest[j]);
            state_ = rest[j];
        }
    }

    static int scaleBelow(int r, int n) { return static_cast<int>(r / 32768.0 * n); }
    static int scaleUpTo(int r, int n) { return static_cast<int>(r / 32767.0 * n); }

private:
    uint32_t state_;
};

} // namespace vh
