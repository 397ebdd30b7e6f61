// iconv-based text codec. "CP932" rather than "SHIFT_JIS": the latter rejects NEC and IBM
// extensions such as circled digits that scenario authors use.
#include "world/text_codec.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace vh {
namespace {

const char* iconvName(TextEncoding e) { return e == TextEncoding::Cp932 ? "CP932" : "GB2312"; }

// Runs iconv over the input; on an invalid sequence writes `replacement` and skips
// `skipBytes(position)` input bytes, so conversion always finishes.
template <class Skip>
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    Skip skipBytes) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::vector<char> buf(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), buf.size() - dstLeft);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated sequence at the end): replace and move on.
            size_t skip = skipBytes(src, srcLeft);
            out.append(replacement);
            src += skip;
            srcLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

size_t utf8SequenceLength(const char* p, size_t left) {
    unsigned char c = static_cast<unsigned char>(*p);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    return n <= left ? n : left;
}

} // namespace

bool isLeadByte(unsigned char b, TextEncoding enc) {
    if (enc == TextEncoding::Cp932) return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return b >= 0xA1 && b <= 0xFE;
}

std::string toUtf8(std::string_view bytes, TextEncoding from) {
    return convert("UTF-8", iconvName(from), bytes, "\xEF\xBF\xBD", [](const char*, size_t) { return 1; });
}

std::string fromUtf8(std::string_view utf8, TextEncoding to) {
    return convert(iconvName(to), "UTF-8", utf8, "?",
                   [](const char* p, size_t left) { return utf8SequenceLength(p, left); });
}

} // namespace vh
