// The cipher's key table and its byte transforms.
#include "scenario/scenario_cipher.h"

namespace vh {

// Our own fixed key. Files made with another table decipher to garbage and fail their checksum.
const uint8_t kCipherKey[kCipherKeySize] = {
    23, 71, 5,  62, 38, 14, 80, 47, 9,  66, 31, 84, 18, 55, 2,  73, 40, 27, 61, 12, 86, 35, 49, 7,  58,
    20, 77, 43, 3,  69, 29, 52, 16, 82, 37, 64, 10, 45, 25, 79, 54, 1,  68, 33, 87, 19, 60, 41, 6,  75,
    28, 50, 13, 83, 39, 67, 22, 57, 4,  72, 30, 48, 85, 11, 63, 36, 21, 78, 44, 8,  56, 26, 81, 42, 15,
    70, 34, 59, 0,  76, 24, 51, 17, 65, 46, 32, 74, 53, 12, 87, 39, 5,  61, 28, 70, 19, 43, 84, 10, 57,
};

namespace {

// Non-negative remainder modulo 88, the width of the cipher alphabet.
int mod88(int v) {
    int r = v % 88;
    return r < 0 ? r + 88 : r;
}

} // namespace

void encipherByte(CipherState& state, uint8_t plain, std::string& out) {
    const int k = state.key();
    if (plain >= 32 && plain < 120) {
        out.push_back(static_cast<char>(mod88(plain - 32 + k) + 32));
    } else {
        out.push_back(static_cast<char>(120 + plain / 64));
        out.push_back(static_cast<char>(mod88(plain % 64 + k) + 32));
    }
    state.advance(plain);
}

int DecipherStream::nextCipherChar() {
    while (pos_ < size_) {
        const uint8_t c = data_[pos_++];
        if (c >= 32 && c <= 123) return c;
    }
    return -1;
}

int DecipherStream::next() {
    const int c = nextCipherChar();
    if (c < 0) return -1;
    const int k = state_.key();
    int plain;
    if (c < 120) {
        plain = mod88(c - 32 - k) + 32;
    } else {
        const int c2 = nextCipherChar();
        if (c2 < 0) return -1;
        // A damaged pair can name a value above 255; it is cut to a byte and fails the checksum.
        plain = ((c - 120) * 64 + mod88(c2 - 32 - k)) & 0xFF;
    }
    state_.advance(static_cast<uint8_t>(plain));
    return plain;
}

} // namespace vh
