#include "draw/pictures/bmp_decoder.h"

#include <cstring>

#include "foundation/file_reading.h"
#include "foundation/report.h"

namespace {

std::uint32_t U16(const std::uint8_t* p) { return p[0] | p[1] << 8; }
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::int32_t I32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t infoSize = 0;
    std::uint32_t bitsOffset = 0;
};

bool ReadHeader(const std::uint8_t* d, std::size_t size, Header& h, std::string& reason) {
    if (size < kFileHeader + 40 || d[0] != 'B' || d[1] != 'M') {
        reason = "no BMP header";
        return false;
    }
    h.bitsOffset = U32(d + 10);
    h.infoSize = U32(d + 14);
    if (h.infoSize < 40 || h.infoSize > size - kFileHeader) {
        reason = "bad info header size";
        return false;
    }
    const std::int32_t w = I32(d + 18);
    const std::int32_t hh = I32(d + 22);
    h.bitCount = static_cast<int>(U16(d + 28));
    h.compression = U32(d + 30);
    h.colorsUsed = U32(d + 46);
    if (w <= 0 || hh == 0 || hh == INT32_MIN || w > kMaxBmpSide || hh > kMaxBmpSide || -hh > kMaxBmpSide) {
        reason = "bad picture size";
        return false;
    }
    h.width = w;
    h.topDown = hh < 0;
    h.height = h.topDown ? -hh : hh;
    const bool depthOk = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 24 || h.bitCount == 32;
    const bool compressionOk = h.compression == kBiRgb || (h.compression == kBiBitfields && h.bitCount == 32);
    if (!depthOk || !compressionOk) {
        reason = "unsupported depth or compression";
        return false;
    }
    return true;
}

bool ReadColorTable(const std::uint8_t* d, std::size_t size, const Header& h, BMPIMAGE& out, std::string& reason) {
    if (h.bitCount > 8) return true;
    const std::uint32_t full = 1u << h.bitCount;
    const std::uint32_t count = (h.colorsUsed == 0 || h.colorsUsed > full) ? full : h.colorsUsed;
    const std::size_t at = kFileHeader + h.infoSize;
    if (at + std::size_t(count) * 4 > size) {
        reason = "colour table beyond the end";
        return false;
    }
    out.colorTable.assign(full, 0);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* e = d + at + std::size_t(i) * 4;
        out.colorTable[i] = std::uint32_t(e[2]) << 16 | std::uint32_t(e[1]) << 8 | e[0];
    }
    return true;
}

// Channel of a 32-bit bitfield pixel widened to 8 bits.
struct Field {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Field(std::uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        while (bits < 32 - shift && ((m >> (shift + bits)) & 1)) ++bits;
    }
    std::uint32_t Get(std::uint32_t p) const {
        if (!bits) return 0;
        const std::uint32_t v = (p & mask) >> shift;
        return bits >= 8 ? v >> (bits - 8) : v * 255 / ((1u << bits) - 1);
    }
};

void DecodeRows(const std::uint8_t* bits, std::size_t stride, const Header& h, const std::uint8_t* d, BMPIMAGE& out) {
    const int w = h.width;
    const bool indexed = h.bitCount <= 8;
    if (indexed) out.indices.resize(std::size_t(w) * h.height);
    out.rgb.resize(std::size_t(w) * h.height);
    Field fr(0xFF0000), fg(0xFF00), fb(0xFF);
    if (h.compression == kBiBitfields) {
        fr = Field(U32(d + kFileHeader + 40));
        fg = Field(U32(d + kFileHeader + 44));
        fb = Field(U32(d + kFileHeader + 48));
    }
    for (int y = 0; y < h.height; ++y) {
        const int fileRow = h.topDown ? y : h.height - 1 - y;
        const std::uint8_t* row = bits + std::size_t(fileRow) * stride;
        std::uint32_t* rgb = out.rgb.data() + std::size_t(y) * w;
        if (indexed) {
            std::uint8_t* idx = out.indices.data() + std::size_t(y) * w;
            const int perByte = 8 / h.bitCount;
            const int mask = (1 << h.bitCount) - 1;
            for (int x = 0; x < w; ++x) {
                const int shift = (perByte - 1 - x % perByte) * h.bitCount;
                idx[x] = static_cast<std::uint8_t>((row[x / perByte] >> shift) & mask);
                rgb[x] = out.colorTable[idx[x]];
            }
        } else if (h.bitCount == 24) {
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = row + x * 3;
                rgb[x] = std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
            }
        } else {
            for (int x = 0; x < w; ++x) {
                const std::uint32_t p = U32(row + x * 4);
                rgb[x] = fr.Get(p) << 16 | fg.Get(p) << 8 | fb.Get(p);
            }
        }
    }
}

}  // namespace

bool DecodeBmp(const std::uint8_t* data, std::size_t size, BMPIMAGE& out, std::string& reason) {
    out = BMPIMAGE();
    Header h;
    if (!ReadHeader(data, size, h, reason)) return false;
    if (h.compression == kBiBitfields && h.infoSize < 52 && kFileHeader + 40 + 12 > size) {
        reason = "bit fields beyond the end";
        return false;
    }
    if (!ReadColorTable(data, size, h, out, reason)) return false;
    const std::size_t stride = ((std::size_t(h.width) * h.bitCount + 31) / 32) * 4;
    const std::size_t need = stride * std::size_t(h.height);
    if (h.bitsOffset > size || need > size - h.bitsOffset) {
        reason = "pixel data beyond the end";
        return false;
    }
    out.nWidth = h.width;
    out.nHeight = h.height;
    out.nBitCount = h.bitCount;
    DecodeRows(data + h.bitsOffset, stride, h, data, out);
    return true;
}

bool LoadBmpFile(std::string_view path, BMPIMAGE& out) {
    // A legal picture of the largest accepted size stays well below this.
    constexpr std::size_t kMaxFile = std::size_t(kMaxBmpSide) * kMaxBmpSide * 4 + 4096;
    std::vector<std::uint8_t> bytes;
    if (path.empty() || !ReadGameFile(path, bytes, kMaxFile)) {
        WriteLogF("LoadBmp: cannot read %.*s", static_cast<int>(path.size()), path.data());
        return false;
    }
    std::string reason;
    if (!DecodeBmp(bytes.data(), bytes.size(), out, reason)) {
        WriteLogF("LoadBmp: %.*s: %s", static_cast<int>(path.size()), path.data(), reason.c_str());
        return false;
    }
    return true;
}
