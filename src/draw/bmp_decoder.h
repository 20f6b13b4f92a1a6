#pragma once
// The reader of BMP pictures (1, 4, 8, 24 and 32 bits, uncompressed) that
// every picture load goes through. Input is untrusted: every size
// and offset is checked against the bytes present before it is used.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct BMPIMAGE {
    int nWidth = 0;
    int nHeight = 0;
    int nBitCount = 0;
    // The colour table as 0x00RRGGBB (pictures of 8 bits or fewer).
    std::vector<std::uint32_t> colorTable;
    // Top row first. For pictures of 8 bits or fewer: the palette indices.
    std::vector<std::uint8_t> indices;
    // Top row first: every pixel as 0x00RRGGBB.
    std::vector<std::uint32_t> rgb;
};

// Largest side we accept; anything larger is a broken or hostile header.
constexpr int kMaxBmpSide = 16384;

// Decodes a whole file image. false with a reason when it is no BMP we read.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, BMPIMAGE& out, std::string& reason);

// Loads a BMP by internal path. false (reason written to the debug log) when
// the file is missing or is not a readable BMP.
bool LoadBmpFile(std::string_view path, BMPIMAGE& out);
