#include "support/png_reader.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

bool DecodePng(const std::vector<std::uint8_t>& bytes, PngPicture& out, std::string& reason) {
    out = PngPicture();
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        reason = image.message[0] ? image.message : "no PNG header";
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), static_cast<png_int_32>(image.width * 4), nullptr)) {
        reason = image.message;
        png_image_free(&image);
        return false;
    }
    out.nWidth = static_cast<int>(image.width);
    out.nHeight = static_cast<int>(image.height);
    out.argb = std::move(pixels);
    return true;
}

bool ReadPngFile(const std::string& hostPath, PngPicture& out, std::string& reason) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        reason = "cannot open " + hostPath;
        return false;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodePng(bytes, out, reason);
}
