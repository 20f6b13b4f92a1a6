// Feeds arbitrary bytes to the WAV reader of the sound effects: any input
// must be read or refused cleanly, and what is read converts to samples of
// the mixer whose length follows from the data.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio/pcm.h"
#include "sound/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WAVEFILE wave;
    if (!ParseWaveFile("fuzz.wav", std::vector<std::uint8_t>(data, data + size), wave)) return 0;
    if (wave.data.empty() || wave.data.size() > size) __builtin_trap();
    auto samples = platform::ConvertPcm(wave.format, wave.data.data(), wave.data.size());
    if (!samples) __builtin_trap();
    const std::size_t frames = wave.data.size() / (wave.format.nChannels * wave.format.wBitsPerSample / 8);
    if (wave.format.nSamplesPerSec == static_cast<DWORD>(platform::kMixRate) && samples->Frames() != frames) {
        __builtin_trap();
    }
    return 0;
}
