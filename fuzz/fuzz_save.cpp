// Fuzzes the saved-game loader: any byte string is refused or loaded; a loaded world saves to an
// image that loads again and saves back to the very same bytes.
#include "game/save_game.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Two loaders kept for the whole run: building a full-capacity world costs far more than
    // reading a small save.
    static vh::SaveLoader& loader = *new vh::SaveLoader;
    static vh::SaveLoader& again = *new vh::SaveLoader;
    if (loader.load(data, size) != vh::kSaveOk) return 0;
    const std::vector<uint8_t> image = vh::saveImage(loader.world());
    if (again.load(image.data(), image.size()) != vh::kSaveOk) std::abort();
    if (vh::saveImage(again.world()) != image) std::abort();
    return 0;
}
