// Splits scenario text into tokens and lines, plainly or through the cipher, and parses numbers.
// Line counting, quoting, comments and the byte cut of long tokens all live here.
#pragma once

#include "scenario/scenario_cipher.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vh {

// How a token ended.
enum TokenEnd : int {
    kTokenMore = 0,    // a separator (",", ":" or blanks) follows on the same line
    kTokenLineEnd = 1, // the token ended its line
    kTokenFileEnd = 2, // the text ended
};

inline constexpr size_t kTokenCapacity = 100;        // 99 bytes of token text
inline constexpr size_t kOpeningTokenCapacity = 200; // lines of the opening text

class ScenarioTokenizer {
  public:
    // `text` must outlive the tokenizer.
    explicit ScenarioTokenizer(std::string_view text);

    // Reads the next token into `out`, keeping at most capacity - 1 bytes of it.
    int nextToken(std::string& out, size_t capacity = kTokenCapacity);

    // Current line (1-based) and the line on which the latest token began.
    int line() const { return line_; }
    int tokenLine() const { return tokenLine_; }
    // Byte offset of the latest token's first character (plain text only).
    size_t tokenStart() const { return tokenStart_; }
    // Byte offset of the next character not yet handed out (plain text only).
    size_t rawPosition() const;

    // From here on every character is taken through the decipher. The caller reads the cipher
    // header with cipher() and restarts its state before reading tokens again.
    void startCipher();
    bool cipherMode() const { return cipherMode_; }
    DecipherStream& cipher() { return cipher_; }

  private:
    int rawGet();
    int foldedGet();
    int get();
    void unget(int c) { pushback_ = c; }
    // Skips a comment through its newline; true when a newline ended it.
    bool skipComment();

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool cipherMode_ = false;
    DecipherStream cipher_;
    int pending_ = -2;  // a character read ahead after CR, or -2 for none
    int pushback_ = -2; // the character that begins the next token, or -2 for none
    int line_ = 1;
    int tokenLine_ = 1;
    size_t tokenStart_ = 0;
};

// A token is an integer when it is a sign or digit followed by digits only ("+" alone is 0).
// Values beyond 32 bits saturate.
std::optional<int32_t> parseInteger(std::string_view token);
// A token is a real when it is a sign, digit or "." followed by digits and at most one "." in all.
std::optional<double> parseReal(std::string_view token);

} // namespace vh
