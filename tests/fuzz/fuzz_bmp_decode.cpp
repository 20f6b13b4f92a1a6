// Feeds arbitrary bytes to the BMP reader, the one picture reader the player
// has: any input must decode or refuse cleanly, and a decoded picture holds
// exactly width x height pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "draw/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BMPIMAGE bmp;
    std::string why;
    if (!DecodeBmp(data, size, bmp, why)) return 0;
    if (bmp.rgb.size() != static_cast<std::size_t>(bmp.nWidth) * static_cast<std::size_t>(bmp.nHeight)) std::abort();
    if (bmp.nBitCount <= 8 && bmp.indices.size() != bmp.rgb.size()) std::abort();
    return 0;
}
