#include <algorithm>

#include "byte_writer.h"
#include "file_formats.h"

namespace {

// File header and BITMAPINFOHEADER of a bottom-up picture.
Bytes Headers(int width, int height, int bits, std::uint32_t paletteBytes, std::uint32_t imageBytes) {
    Bytes b;
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + imageBytes);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, 0);  // uncompressed
    Put32(b, imageBytes);
    Put32(b, 2835);  // 72 dpi
    Put32(b, 2835);
    Put32(b, bits == 8 ? 256 : 0);
    Put32(b, 0);
    return b;
}

std::uint32_t RowBytes(int width, int bits) { return ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4; }

}  // namespace

Bytes EncodeBmp8(int width, int height, const ColourTable& colours, const std::vector<std::uint8_t>& indices) {
    const std::uint32_t row = RowBytes(width, 8);
    Bytes b = Headers(width, height, 8, 256 * 4, row * static_cast<std::uint32_t>(height));
    for (Rgb c : colours) Put32(b, c & 0xFFFFFF);
    for (int y = height - 1; y >= 0; --y) {
        auto first = indices.begin() + static_cast<std::ptrdiff_t>(y) * width;
        b.insert(b.end(), first, first + width);
        b.resize(b.size() + (row - static_cast<std::uint32_t>(width)), 0);
    }
    return b;
}

Bytes EncodeBmp24(int width, int height, const std::vector<Rgb>& pixels) {
    const std::uint32_t row = RowBytes(width, 24);
    Bytes b = Headers(width, height, 24, 0, row * static_cast<std::uint32_t>(height));
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t start = b.size();
        for (int x = 0; x < width; ++x) {
            const Rgb p = pixels[static_cast<std::size_t>(y) * width + x];
            b.push_back(static_cast<std::uint8_t>(p));
            b.push_back(static_cast<std::uint8_t>(p >> 8));
            b.push_back(static_cast<std::uint8_t>(p >> 16));
        }
        b.resize(start + row, 0);
    }
    return b;
}
