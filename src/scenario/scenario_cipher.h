// The scenario cipher: a keyed byte substitution with a running checksum, in both directions.
// Cipher text uses only characters 32..123, so line breaks can be put anywhere in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vh {

inline constexpr int kCipherKeySize = 100;
extern const uint8_t kCipherKey[kCipherKeySize];

// `count` plain bytes seen and their running checksum; both wrap at 32 bits.
struct CipherState {
    uint32_t count = 0;
    uint32_t sum = 0;

    int key() const { return kCipherKey[(count + sum) % kCipherKeySize]; }
    void advance(uint8_t plain) {
        ++count;
        sum += static_cast<uint32_t>(plain) << (count % 8);
    }
};

// Appends the one or two cipher characters of `plain` and advances the state.
void encipherByte(CipherState& state, uint8_t plain, std::string& out);

// Deciphers cipher text from a byte buffer, skipping every character outside 32..123.
class DecipherStream {
  public:
    DecipherStream() = default;
    DecipherStream(const uint8_t* data, size_t size, size_t pos) : data_(data), size_(size), pos_(pos) {}

    // The next plain byte, or -1 at the end of the buffer.
    int next();
    // Starts a fresh cipher state (each part of a cipher file has its own).
    void restart() { state_ = {}; }
    const CipherState& state() const { return state_; }
    size_t position() const { return pos_; }

  private:
    int nextCipherChar();

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    CipherState state_;
};

} // namespace vh
