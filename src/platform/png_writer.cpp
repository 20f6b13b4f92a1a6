#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/present.h"

namespace platform {

bool WritePng(const std::string& hostPath, const Frame& frame) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.pixels.size() < static_cast<std::size_t>(frame.width) * frame.height) {
        return false;
    }
    FILE* fp = std::fopen(hostPath.c_str(), "wb");
    if (!fp) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        std::fclose(fp);
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(frame.width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(fp);
        return false;
    }
    png_init_io(png, fp);
    png_set_IHDR(png, info, frame.width, frame.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            std::uint32_t p = frame.pixels[static_cast<std::size_t>(y) * frame.width + x];
            row[x * 3 + 0] = static_cast<png_byte>(p >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(p);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(fp) == 0;
}

}  // namespace platform
