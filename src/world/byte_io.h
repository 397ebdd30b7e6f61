// Little-endian field access for the fixed record layouts of map, save and settings files.
// One description per record drives both directions, so reader and writer cannot drift apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vh {

template <class T> inline T loadLE(const uint8_t* p) {
    static_assert(std::is_integral_v<T>);
    std::make_unsigned_t<T> v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i);
    return static_cast<T>(v);
}

template <class T> inline void storeLE(uint8_t* p, T value) {
    static_assert(std::is_integral_v<T>);
    auto v = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline double loadDouble(const uint8_t* p) {
    uint64_t bits = loadLE<uint64_t>(p);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

inline void storeDouble(uint8_t* p, double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    storeLE(p, bits);
}

// Reads fields out of a record image.
struct FieldReader {
    const uint8_t* base;
    template <class T> void num(size_t off, T& v) {
        if constexpr (std::is_same_v<T, double>) v = loadDouble(base + off);
        else v = loadLE<T>(base + off);
    }
    template <class T, size_t N> void nums(size_t off, T (&a)[N]) {
        for (size_t i = 0; i < N; ++i) num(off + i * sizeof(T), a[i]);
    }
    template <size_t N> void bytes(size_t off, char (&a)[N]) { std::memcpy(a, base + off, N); }
    template <size_t N> void bytes(size_t off, uint8_t (&a)[N]) { std::memcpy(a, base + off, N); }
};

// Writes fields into a record image.
struct FieldWriter {
    uint8_t* base;
    template <class T> void num(size_t off, const T& v) {
        if constexpr (std::is_same_v<T, double>) storeDouble(base + off, v);
        else storeLE<T>(base + off, v);
    }
    template <class T, size_t N> void nums(size_t off, const T (&a)[N]) {
        for (size_t i = 0; i < N; ++i) num(off + i * sizeof(T), a[i]);
    }
    template <size_t N> void bytes(size_t off, const char (&a)[N]) { std::memcpy(base + off, a, N); }
    template <size_t N> void bytes(size_t off, const uint8_t (&a)[N]) { std::memcpy(base + off, a, N); }
};

// Sequential reader over a whole file image; reading past the end sets `failed`
// and yields zeros, so a loader checks once at the end of a block.
class ByteCursor {
public:
    ByteCursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit ByteCursor(const std::vector<uint8_t>& v) : ByteCursor(v.data(), v.size()) {}

    bool take(void* out, size_t n) {
        if (failed_ || n > size_ - pos_) {
            failed_ = true;
            std::memset(out, 0, n);
            return false;
        }
        std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    // Returns a pointer to the next n bytes, or nullptr when the file is too short.
    const uint8_t* span(size_t n) {
        if (failed_ || n > size_ - pos_) {
            failed_ = true;
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    template <class T> T get() {
        uint8_t buf[sizeof(T)];
        take(buf, sizeof buf);
        if constexpr (std::is_same_v<T, double>) return loadDouble(buf);
        else return loadLE<T>(buf);
    }
    size_t remaining() const { return failed_ ? 0 : size_ - pos_; }
    size_t position() const { return pos_; }
    bool failed() const { return failed_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool failed_ = false;
};

// Appends little-endian values to a growing file image.
class ByteSink {
public:
    template <class T> void put(T v) {
        uint8_t buf[sizeof(T)];
        if constexpr (std::is_same_v<T, double>) storeDouble(buf, v);
        else storeLE<T>(buf, v);
        out.insert(out.end(), buf, buf + sizeof buf);
    }
    void append(const void* p, size_t n) {
        auto* b = static_cast<const uint8_t*>(p);
        out.insert(out.end(), b, b + n);
    }
    std::vector<uint8_t> out;
};

// Fixed-width zero-terminated name fields.
template <size_t N> std::string_view fieldText(const char (&a)[N]) {
    size_t n = 0;
    while (n < N && a[n] != 0) ++n;
    return std::string_view(a, n);
}

// Copies at most N-1 bytes and zero-fills the rest of the field.
template <size_t N> void setFieldText(char (&a)[N], std::string_view s) {
    size_t n = s.size() < N - 1 ? s.size() : N - 1;
    std::memset(a, 0, N);
    std::memcpy(a, s.data(), n);
}

} // namespace vh
