#pragma once
// The tests' own reader of PNG pictures: golden frames are kept as PNG files
// beside the tests. The player itself reads BMP pictures only.
#include <cstdint>
#include <string>
#include <vector>

struct PngPicture {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint32_t> argb;  // top row first, 0xAARRGGBB
};

// false, with the reason, for anything that is no whole PNG picture.
bool DecodePng(const std::vector<std::uint8_t>& bytes, PngPicture& out, std::string& reason);
bool ReadPngFile(const std::string& hostPath, PngPicture& out, std::string& reason);
