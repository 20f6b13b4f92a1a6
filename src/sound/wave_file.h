#pragma once
// The WAV reader of the sound effects: a RIFF file of form "WAVE" with an
// uncompressed PCM "fmt " chunk (no extended format) and a "data" chunk.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/pcm.h"

struct WAVEFILE {
    WAVEFORMATEX format;
    std::vector<std::uint8_t> data;  // the sample data
};

// Reads a WAV file (internal path). false when it cannot be read or played;
// a bad file writes its line to the run report.
bool ReadWaveFile(const std::string& name, WAVEFILE& wave);

// The same checks on bytes already read; name only names the file in the
// report lines.
bool ParseWaveFile(const std::string& name, const std::vector<std::uint8_t>& bytes, WAVEFILE& wave);
