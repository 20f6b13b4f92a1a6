#pragma once
// Sample data of the files (PCM of WAV files, decoded Ogg) turned into the
// mixer's format.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/win_types.h"

struct WAVEFORMATEX {
    WORD wFormatTag = 0;
    WORD nChannels = 0;
    DWORD nSamplesPerSec = 0;
    DWORD nAvgBytesPerSec = 0;
    WORD nBlockAlign = 0;
    WORD wBitsPerSample = 0;
    WORD cbSize = 0;
};

constexpr WORD WAVE_FORMAT_PCM = 1;

namespace platform {

// Contract: true for the formats a sound buffer takes: PCM, 8 or 16 bits,
// one or two channels, 1000 to 192000 samples per second.
bool PcmFormatPlayable(const WAVEFORMATEX& format);

// Contract: the samples of `bytes` bytes of PCM data in that format, in the
// mixer's format (a partial last frame is dropped); nullptr when the format
// is not playable.
std::shared_ptr<const PcmBuffer> ConvertPcm(const WAVEFORMATEX& format, const std::uint8_t* data, std::size_t bytes);

// Linear resampling of interleaved stereo from one rate to kMixRate, fed in
// pieces (a stream) or all at once (a buffer).
class StereoResampler {
public:
    explicit StereoResampler(int inputRate);
    // Contract: appends to out the output frames that the input up to and
    // including these frames determines.
    void Feed(const float* in, std::size_t frames, std::vector<float>& out);
    // Contract: forgets the input so far (a seek).
    void Reset();

private:
    double m_step;
    double m_next = 0;         // input position of the next output frame
    long long m_consumed = 0;  // input frames fed so far
    float m_last[2] = {0, 0};  // the last input frame fed
};

}  // namespace platform
