#pragma once
// Decoders of picture content other than BMP: PNG through libpng and JPEG
// through libjpeg. Input is untrusted: sizes are checked before anything is
// allocated, and a broken stream refuses with a reason.
#include <cstdint>
#include <string>
#include <vector>

struct DECODEDPICTURE {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint32_t> argb;  // top row first, 0xAARRGGBB
};

bool IsPngContent(const std::uint8_t* data, std::size_t size);
bool IsJpegContent(const std::uint8_t* data, std::size_t size);
bool DecodePng(const std::uint8_t* data, std::size_t size, DECODEDPICTURE& out, std::string& reason);
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DECODEDPICTURE& out, std::string& reason);
// BMP, PNG or JPEG by content; the BMP reader gives opaque pixels.
bool DecodePicture(const std::uint8_t* data, std::size_t size, DECODEDPICTURE& out, std::string& reason);
