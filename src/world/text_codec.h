// Conversion between the files' code pages (CP932, GB2312) and UTF-8 for display and messages.
#pragma once

#include <string>
#include <string_view>

namespace vh {

enum class TextEncoding { Cp932, Gb2312 };

// Invalid or truncated input never fails: each undecodable byte becomes U+FFFD.
std::string toUtf8(std::string_view bytes, TextEncoding from = TextEncoding::Cp932);
// Characters with no mapping become '?'.
std::string fromUtf8(std::string_view utf8, TextEncoding to = TextEncoding::Cp932);

inline std::string cp932ToUtf8(std::string_view s) { return toUtf8(s, TextEncoding::Cp932); }
inline std::string utf8ToCp932(std::string_view s) { return fromUtf8(s, TextEncoding::Cp932); }

// True when byte b starts a two-byte character in the given encoding.
bool isLeadByte(unsigned char b, TextEncoding enc = TextEncoding::Cp932);

} // namespace vh
