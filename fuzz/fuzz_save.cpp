// Fuzzes the saved-game loader: any byte string is refused or loaded; a loaded world saves to an
// image that loads again and saves back to the very same bytes.
#include "game/save_game.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto world = std::make_unique<vh::WorldState>();
    if (vh::parseSaveImage(data, size, *world) != vh::kSaveOk) return 0;
    const std::vector<uint8_t> image = vh::saveImage(*world);
    static auto again = std::make_unique<vh::WorldState>();
    if (vh::parseSaveImage(image.data(), image.size(), *again) != vh::kSaveOk) std::abort();
    if (vh::saveImage(*again) != image) std::abort();
    return 0;
}
