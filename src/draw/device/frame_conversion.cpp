#include "draw/device/frame_conversion.h"

#include <array>
#include <iterator>

#include "draw/row_clones.h"

namespace {

using Colours = std::array<std::uint32_t, 256>;

// Each row converter sees one whole row; the colour table is filled only for
// the 8-bit format. The loops stay free of calls, and the rows never overlap
// the frame (restrict), so they vectorise.
using RowConverter = void (*)(const std::uint8_t* row, int width, const Colours& colours,
                              std::uint32_t* __restrict out);

template <class Pixel, std::uint32_t (*Convert)(std::uint32_t)>
void ConvertRow(const std::uint8_t* row, int width, const Colours& /*colours*/, std::uint32_t* __restrict out) {
    const Pixel* __restrict in = reinterpret_cast<const Pixel*>(row);
    for (int x = 0; x < width; ++x) out[x] = Convert(in[x]) & 0xFFFFFFu;
}

std::uint32_t Same(std::uint32_t p) { return p; }

// A 16-bit pixel widens to 8 bits a channel with the top bits repeated below
// (as Argb565 and Argb1555 do); alpha is dropped. Red makes the frame's high
// half and green with blue its low half, each computed in 16-bit lanes, so a
// vector holds twice the pixels of the 32-bit form.
template <unsigned kRedShift, unsigned kGreenBits>
DRAW_ROW_CLONES void Convert16Row(const std::uint8_t* row, int width, const Colours& /*colours*/,
                                  std::uint32_t* __restrict out) {
    const std::uint16_t* __restrict in = reinterpret_cast<const std::uint16_t*>(row);
    constexpr unsigned kGreenMask = (1u << kGreenBits) - 1;
    for (int x = 0; x < width; ++x) {
        const std::uint16_t p = in[x];
        const std::uint16_t r = (p >> kRedShift) & 31;
        const std::uint16_t g = (p >> 5) & kGreenMask;
        const std::uint16_t b = p & 31;
        const std::uint16_t high = static_cast<std::uint16_t>(r << 3 | r >> 2);
        const std::uint16_t green = static_cast<std::uint16_t>(g << (8 - kGreenBits) | g >> (2 * kGreenBits - 8));
        const std::uint16_t low = static_cast<std::uint16_t>(green << 8 | b << 3 | b >> 2);
        out[x] = std::uint32_t{high} << 16 | low;
    }
}

void ConvertIndexedRow(const std::uint8_t* row, int width, const Colours& colours, std::uint32_t* __restrict out) {
    for (int x = 0; x < width; ++x) out[x] = colours[row[x]];
}

struct FormatConverter {
    DWORD fmt;
    RowConverter convert;
};

constexpr FormatConverter kConverters[] = {
    {D3DFMT_X8R8G8B8, ConvertRow<std::uint32_t, Same>},
    {D3DFMT_A8R8G8B8, ConvertRow<std::uint32_t, Same>},
    {D3DFMT_R5G6B5, Convert16Row<11, 6>},
    {D3DFMT_A1R5G5B5, Convert16Row<10, 5>},
    {D3DFMT_P8, ConvertIndexedRow},
};

RowConverter ConverterFor(DWORD fmt) {
    for (const FormatConverter& c : kConverters) {
        if (c.fmt == fmt) return c.convert;
    }
    return nullptr;
}

Colours ColoursOf(const PALETTEENTRY* palette) {
    Colours colours{};
    auto out = colours.begin();
    for (const PALETTEENTRY* e = palette; e != palette + std::size(colours); ++e, ++out) {
        *out = std::uint32_t(e->peRed) << 16 | std::uint32_t(e->peGreen) << 8 | e->peBlue;
    }
    return colours;
}

}  // namespace

bool ConvertToFrame(const DDPIXELS& px, const PALETTEENTRY* palette, std::uint32_t* out) {
    const RowConverter convert = ConverterFor(px.fmt);
    if (!convert || (px.fmt == D3DFMT_P8 && !palette)) return false;
    const Colours colours = px.fmt == D3DFMT_P8 ? ColoursOf(palette) : Colours{};
    for (int y = 0; y < px.nHeight; ++y, out += px.nWidth) convert(px.Row<std::uint8_t>(y), px.nWidth, colours, out);
    return true;
}
