// Byte codecs for every record type: decode from and encode into a record image of R::kBytes.
#pragma once

#include "world/byte_io.h"
#include "world/records.h"

#include <array>

namespace vh {

template <class R> void decodeRecord(R& r, const uint8_t* image) {
    FieldReader io{image};
    R::describeFields(io, r);
}

template <class R> void encodeRecord(const R& r, uint8_t* image) {
    std::memset(image, 0, R::kBytes);
    FieldWriter io{image};
    R::describeFields(io, r);
}

template <class R> std::array<uint8_t, R::kBytes> recordImage(const R& r) {
    std::array<uint8_t, R::kBytes> image{};
    encodeRecord(r, image.data());
    return image;
}

} // namespace vh
