#pragma once
// Sound files made by code, and the mix rendered offline.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/mixer.h"
#include "support/byte_builder.h"

struct WavSpec {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 48000;
    std::uint16_t bits = 8;
    int fmtSize = 16;  // 14, 16 or 18 and more
    std::uint16_t extraSize = 0;
};

// A RIFF WAVE file with a fmt chunk as described and the given samples.
inline std::string WavBytes(const WavSpec& s, const std::string& samples) {
    ByteBuilder fmt;
    fmt.U8(s.formatTag & 0xFF).U8(s.formatTag >> 8).U8(s.channels & 0xFF).U8(s.channels >> 8).U32(s.rate);
    const std::uint16_t align = static_cast<std::uint16_t>(s.channels * s.bits / 8);
    fmt.U32(s.rate * align).U8(align & 0xFF).U8(align >> 8);
    if (s.fmtSize >= 16) fmt.U8(s.bits & 0xFF).U8(s.bits >> 8);
    if (s.fmtSize >= 18) fmt.U8(s.extraSize & 0xFF).U8(s.extraSize >> 8);
    while (static_cast<int>(fmt.Size()) < s.fmtSize) fmt.U8(0);
    ByteBuilder body;
    body.Bytes("WAVE").Bytes("fmt ").U32(static_cast<std::uint32_t>(fmt.Size())).Append(fmt);
    body.Bytes("data").U32(static_cast<std::uint32_t>(samples.size())).Bytes(samples);
    if (samples.size() & 1) body.U8(0);
    ByteBuilder file;
    file.Bytes("RIFF").U32(static_cast<std::uint32_t>(body.Size())).Append(body);
    return file.Str();
}

// n frames of the mix (interleaved stereo).
inline std::vector<float> RenderFrames(std::size_t frames) {
    std::vector<float> out(frames * platform::kMixChannels);
    platform::RenderMix(out.data(), frames);
    return out;
}

inline float PeakOf(const std::vector<float>& samples) {
    float peak = 0;
    for (float v : samples) peak = std::max(peak, v < 0 ? -v : v);
    return peak;
}
