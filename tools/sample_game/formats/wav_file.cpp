#include <algorithm>
#include <cmath>
#include <cstring>

#include "byte_writer.h"
#include "file_formats.h"

Bytes EncodeWav(int sampleRate, int bits, const std::vector<float>& samples) {
    const std::uint32_t bytesPerSample = bits == 16 ? 2 : 1;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size()) * bytesPerSample;
    const std::uint32_t padded = dataBytes + (dataBytes & 1);
    Bytes b;
    PutTag(b, "RIFF");
    Put32(b, 4 + 8 + 16 + 8 + padded);
    PutTag(b, "WAVE");
    // The plain 16-byte PCM format chunk: the player refuses an extended
    // one.
    PutTag(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);
    Put16(b, 1);
    Put32(b, static_cast<std::uint32_t>(sampleRate));
    Put32(b, static_cast<std::uint32_t>(sampleRate) * bytesPerSample);
    Put16(b, bytesPerSample);
    Put16(b, static_cast<std::uint32_t>(bits));
    PutTag(b, "data");
    Put32(b, dataBytes);
    for (float s : samples) {
        const float c = std::clamp(s, -1.0f, 1.0f);
        if (bits == 16) {
            Put16(b, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(c * 32767.0f))));
        } else {
            b.push_back(static_cast<std::uint8_t>(std::lround(128.0f + c * 127.0f)));
        }
    }
    if (dataBytes & 1) b.push_back(0);
    return b;
}
