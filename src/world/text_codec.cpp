// iconv-based text codec. "CP932" rather than "SHIFT_JIS": the latter rejects NEC and IBM
// extensions such as circled digits that scenario authors use.
#include "world/text_codec.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <string>
#include <vector>

namespace vh {
namespace {

const char* iconvName(TextEncoding e) { return e == TextEncoding::Cp932 ? "CP932" : "GB2312"; }

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Opening a converter costs far more than converting a general's name, and battles name their
// generals by the hundred: each thread keeps the few it has opened.
iconv_t cachedConverter(const char* to, const char* from) {
    struct Entry {
        const char* to;
        const char* from;
        iconv_t cd;
    };
    struct Cache {
        std::vector<Entry> entries;
        ~Cache() {
            for (const Entry& e : entries)
                if (e.cd != kNoConverter) iconv_close(e.cd);
        }
    };
    thread_local Cache cache;
    for (const Entry& e : cache.entries)
        if (std::strcmp(e.to, to) == 0 && std::strcmp(e.from, from) == 0) return e.cd;
    const iconv_t cd = iconv_open(to, from);
    cache.entries.push_back({to, from, cd});
    return cd;
}

// Runs iconv over the input; on an invalid sequence writes `replacement` and skips
// `skipBytes(position)` input bytes, so conversion always finishes.
template <class Skip>
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    Skip skipBytes) {
    std::string out;
    iconv_t cd = cachedConverter(to, from);
    if (cd == kNoConverter) return std::string(in);
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial shift state
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
    return out;
}

size_t utf8SequenceLength(const char* p, size_t left) {
    unsigned char c = static_cast<unsigned char>(*p);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    return n <= left ? n : left;
}

// Both code pages keep ASCII as it is (backslash and tilde included), as does UTF-8.
bool plainAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

} // namespace

bool isLeadByte(unsigned char b, TextEncoding enc) {
    if (enc == TextEncoding::Cp932) return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return b >= 0xA1 && b <= 0xFE;
}

std::string toUtf8(std::string_view bytes, TextEncoding from) {
    if (plainAscii(bytes)) return std::string(bytes);
    const auto decode = [&] {
        return convert("UTF-8", iconvName(from), bytes, "\xEF\xBF\xBD", [](const char*, size_t) { return 1; });
    };
    // Names are converted over and over (every siege and battle names its generals, houses and
    // castles): each thread remembers the short texts it has converted, one per slot of a
    // table indexed by a hash of the bytes, a newer text taking the slot of an older one. So it
    // never holds more than a few thousand names, and a lookup is one hash and one comparison.
    constexpr size_t kShortText = 40, kSlots = 4096;
    if (bytes.size() > kShortText) return decode();
    struct Slot {
        std::string bytes, text; // empty bytes: a free slot (an empty text never gets here)
    };
    thread_local std::vector<Slot> cache[2];
    std::vector<Slot>& known = cache[from == TextEncoding::Cp932 ? 0 : 1];
    if (known.empty()) known.resize(kSlots);
    uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    Slot& slot = known[hash & (kSlots - 1)];
    if (slot.bytes != bytes) {
        slot.text = decode();
        slot.bytes.assign(bytes);
    }
    return slot.text;
}

std::string fromUtf8(std::string_view utf8, TextEncoding to) {
    if (plainAscii(utf8)) return std::string(utf8);
    return convert(iconvName(to), "UTF-8", utf8, "?",
                   [](const char* p, size_t left) { return utf8SequenceLength(p, left); });
}

} // namespace vh
