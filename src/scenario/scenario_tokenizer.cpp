// Tokenizer and number parsing for scenario text.
#include "scenario/scenario_tokenizer.h"

#include <charconv>
#include <limits>

namespace vh {
namespace {

constexpr int kEof = -1;
constexpr int kNone = -2;

bool isBlank(int c) {
    return c == '\t' || c == '\r' || c == ' ';
}
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

} // namespace

ScenarioTokenizer::ScenarioTokenizer(std::string_view text)
    : data_(reinterpret_cast<const uint8_t*>(text.data())), size_(text.size()) {}

int ScenarioTokenizer::rawGet() {
    if (cipherMode_) return cipher_.next();
    return pos_ < size_ ? data_[pos_++] : kEof;
}

// Files are read as text: a CR LF pair is one newline. A lone CR stays a CR.
int ScenarioTokenizer::foldedGet() {
    if (pending_ != kNone) {
        const int c = pending_;
        pending_ = kNone;
        return c;
    }
    const int c = rawGet();
    if (c != '\r') return c;
    const int d = rawGet();
    if (d == '\n') return '\n';
    pending_ = d;
    return c;
}

int ScenarioTokenizer::get() {
    if (pushback_ != kNone) {
        const int c = pushback_;
        pushback_ = kNone;
        return c;
    }
    return foldedGet();
}

size_t ScenarioTokenizer::rawPosition() const {
    size_t p = pos_;
    if (pending_ >= 0) --p;
    if (pushback_ >= 0) --p;
    return p;
}

void ScenarioTokenizer::startCipher() {
    // A byte read ahead after a lone CR belongs to the cipher text.
    if (pending_ >= 0) --pos_;
    pending_ = kNone;
    cipher_ = DecipherStream(data_, size_, pos_);
    cipherMode_ = true;
}

bool ScenarioTokenizer::skipComment() {
    for (;;) {
        const int c = get();
        if (c == kEof) return false;
        if (c == '\n') {
            ++line_;
            return true;
        }
    }
}

int ScenarioTokenizer::nextToken(std::string& out, size_t capacity) {
    out.clear();
    tokenLine_ = line_;
    int c;
    // Blanks, empty lines and comments before the token.
    for (;;) {
        const size_t at = rawPosition();
        c = get();
        if (c == kEof) {
            tokenLine_ = line_;
            return kTokenFileEnd;
        }
        if (isBlank(c)) continue;
        if (c == '\n') {
            ++line_;
            continue;
        }
        if (c == '/') {
            if (!skipComment()) {
                tokenLine_ = line_;
                return kTokenFileEnd;
            }
            continue;
        }
        tokenLine_ = line_;
        tokenStart_ = at;
        break;
    }

    bool quoted = false;
    for (;; c = get()) {
        if (c == kEof) return kTokenFileEnd;
        if (c == '\n') {
            ++line_;
            return kTokenLineEnd;
        }
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == ',' || c == ':')) return kTokenMore;
        if (!quoted && isBlank(c)) {
            for (;;) {
                c = get();
                if (isBlank(c)) continue;
                if (c == '\n') {
                    ++line_;
                    return kTokenLineEnd;
                }
                if (c == ',' || c == ':') return kTokenMore;
                if (c == '/') return skipComment() ? kTokenLineEnd : kTokenFileEnd;
                if (c == kEof) return kTokenFileEnd;
                unget(c);
                return kTokenMore;
            }
        }
        if (out.size() + 1 < capacity) out.push_back(static_cast<char>(c));
    }
}

std::optional<int32_t> parseInteger(std::string_view t) {
    if (t.empty()) return std::nullopt;
    const char first = t[0];
    if (first != '+' && first != '-' && !isDigit(first)) return std::nullopt;
    constexpr int64_t kCap = int64_t{1} << 40; // far beyond 32 bits, so saturation is exact
    int64_t value = 0;
    for (size_t i = (isDigit(first) ? 0 : 1); i < t.size(); ++i) {
        if (!isDigit(t[i])) return std::nullopt;
        value = value * 10 + (t[i] - '0');
        if (value > kCap) value = kCap;
    }
    if (first == '-') value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

std::optional<double> parseReal(std::string_view t) {
    if (t.empty()) return std::nullopt;
    const char first = t[0];
    if (first != '+' && first != '-' && first != '.' && !isDigit(first)) return std::nullopt;
    int dots = first == '.' ? 1 : 0;
    for (size_t i = 1; i < t.size(); ++i) {
        if (t[i] == '.')
            ++dots;
        else if (!isDigit(t[i]))
            return std::nullopt;
    }
    if (dots > 1) return std::nullopt;
    const bool negative = first == '-';
    std::string_view digits = (first == '+' || first == '-') ? t.substr(1) : t;
    double value = 0;
    // "+", "-" and "." alone convert to zero, as the usual conversion does.
    if (!digits.empty() && digits != ".") {
        std::string text(digits);
        if (text.front() == '.') text.insert(text.begin(), '0');
        std::from_chars(text.data(), text.data() + text.size(), value);
    }
    return negative ? -value : value;
}

} // namespace vh
