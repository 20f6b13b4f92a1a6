#include "platform/audio/pcm.h"

namespace platform {

bool PcmFormatPlayable(const WAVEFORMATEX& f) {
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 1000 && f.nSamplesPerSec <= 192000;
}

namespace {

float SampleAt(const std::uint8_t* p, int bits) {
    if (bits == 8) return (static_cast<float>(p[0]) - 128.0f) / 128.0f;
    auto v = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
    return static_cast<float>(v) / 32768.0f;
}

}  // namespace

std::shared_ptr<const PcmBuffer> ConvertPcm(const WAVEFORMATEX& f, const std::uint8_t* data, std::size_t bytes) {
    if (!PcmFormatPlayable(f)) return nullptr;
    const std::size_t sampleBytes = f.wBitsPerSample / 8;
    const std::size_t frameBytes = sampleBytes * f.nChannels;
    const std::size_t frames = bytes / frameBytes;
    std::vector<float> stereo(frames * kMixChannels);
    for (std::size_t i = 0; i < frames; ++i) {
        const std::uint8_t* p = data + i * frameBytes;
        float left = SampleAt(p, f.wBitsPerSample);
        float right = f.nChannels == 2 ? SampleAt(p + sampleBytes, f.wBitsPerSample) : left;
        stereo[i * 2] = left;
        stereo[i * 2 + 1] = right;
    }
    auto buffer = std::make_shared<PcmBuffer>();
    if (f.nSamplesPerSec == static_cast<DWORD>(kMixRate)) {
        buffer->samples = std::move(stereo);
    } else {
        StereoResampler resampler(static_cast<int>(f.nSamplesPerSec));
        // Room for every frame at once: the buffer grows once, not a page
        // at a time with a copy on each doubling.
        buffer->samples.reserve((frames * static_cast<std::size_t>(kMixRate) / f.nSamplesPerSec + 2) * kMixChannels);
        resampler.Feed(stereo.data(), frames, buffer->samples);
    }
    return buffer;
}

StereoResampler::StereoResampler(int inputRate) : m_step(static_cast<double>(inputRate) / kMixRate) {}

void StereoResampler::Reset() {
    m_next = 0;
    m_consumed = 0;
    m_last[0] = m_last[1] = 0;
}

void StereoResampler::Feed(const float* in, std::size_t frames, std::vector<float>& out) {
    if (frames == 0) return;
    const long long first = m_consumed;  // index of in[0]
    const long long last = first + static_cast<long long>(frames) - 1;
    auto frame = [&](long long i, int c) {
        return i < first ? m_last[c] : in[static_cast<std::size_t>(i - first) * 2 + static_cast<std::size_t>(c)];
    };
    while (true) {
        auto i = static_cast<long long>(m_next);
        if (i + 1 > last && !(i == last && m_next == static_cast<double>(i))) break;
        const float t = static_cast<float>(m_next - static_cast<double>(i));
        for (int c = 0; c < 2; ++c) {
            float a = frame(i, c);
            float b = t == 0.0f ? a : frame(i + 1, c);
            out.push_back(a + (b - a) * t);
        }
        m_next += m_step;
    }
    m_last[0] = in[(frames - 1) * 2];
    m_last[1] = in[(frames - 1) * 2 + 1];
    m_consumed = last + 1;
}

}  // namespace platform
