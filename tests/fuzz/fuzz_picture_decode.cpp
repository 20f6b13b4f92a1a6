// Feeds arbitrary bytes to the picture readers (our BMP reader, libpng and
// libjpeg behind it): any input must decode or refuse cleanly, and a decoded
// picture holds exactly width x height pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "draw/pictures/bmp_decoder.h"
#include "draw/pictures/picture_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DECODEDPICTURE pic;
    std::string why;
    if (DecodePicture(data, size, pic, why) &&
        pic.argb.size() != static_cast<std::size_t>(pic.nWidth) * static_cast<std::size_t>(pic.nHeight)) {
        std::abort();
    }
    BMPIMAGE bmp;
    if (DecodeBmp(data, size, bmp, why) && bmp.nBitCount <= 8 && bmp.indices.size() != bmp.rgb.size()) std::abort();
    return 0;
}
