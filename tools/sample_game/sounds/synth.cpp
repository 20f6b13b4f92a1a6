#include "synth.h"

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

constexpr double kTau = 6.283185307179586;

// The same noise on every run.
struct NoiseSource {
    std::uint32_t state = 0x1234567u;
    float Next() {
        state = state * 1103515245u + 12345u;
        return static_cast<float>((state >> 16) & 0x7FFF) / 16383.5f - 1.0f;
    }
};

float Sample(Wave wave, double phase, NoiseSource& noise) {
    const double p = phase - std::floor(phase);
    switch (wave) {
        case Wave::Square: return p < 0.5 ? 1.0f : -1.0f;
        case Wave::Triangle: return static_cast<float>(p < 0.5 ? 4 * p - 1 : 3 - 4 * p);
        case Wave::Saw: return static_cast<float>(2 * p - 1);
        case Wave::Noise: return noise.Next();
        case Wave::Sine: return static_cast<float>(std::sin(kTau * p));
    }
    return 0.0f;
}

std::vector<float> Render(int rate, const Tone& tone) {
    const std::size_t n = static_cast<std::size_t>(tone.seconds * rate);
    std::vector<float> out(n);
    NoiseSource noise;
    double phase = 0;
    const std::size_t attack = static_cast<std::size_t>(rate / 200);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = n > 1 ? double(i) / double(n - 1) : 0.0;
        const double hz = tone.startHz + (tone.endHz - tone.startHz) * t;
        const double envelope = (i < attack ? double(i) / attack : 1.0) * (1.0 - t);
        out[i] = static_cast<float>(Sample(tone.wave, phase, noise) * tone.volume * envelope);
        phase += hz / rate;
    }
    return out;
}

int NoteKey(const std::string& token) {
    static const char* const names = "C D EF G A B";
    const auto at = std::string(names).find(token[0]);
    if (at == std::string::npos) return -1;
    std::size_t pos = 1;
    int key = static_cast<int>(at);
    if (pos < token.size() && token[pos] == '#') {
        ++key;
        ++pos;
    }
    const int octave = pos < token.size() ? token[pos] - '0' : 4;
    return 12 * (octave + 1) + key;
}

}  // namespace

void AppendTone(std::vector<float>& out, int rate, const Tone& tone) {
    const std::vector<float> s = Render(rate, tone);
    out.insert(out.end(), s.begin(), s.end());
}

void MixTone(std::vector<float>& out, int rate, std::size_t start, const Tone& tone) {
    const std::vector<float> s = Render(rate, tone);
    if (out.size() < start + s.size()) out.resize(start + s.size(), 0.0f);
    for (std::size_t i = 0; i < s.size(); ++i) out[start + i] += s[i];
}

std::vector<NoteEvent> ParseNotes(std::string_view line) {
    std::vector<NoteEvent> notes;
    std::istringstream in{std::string(line)};
    std::string token;
    int at = 0;
    while (in >> token) {
        if (token == "-") {
            if (!notes.empty()) ++notes.back().length;
        } else if (token != ".") {
            const int key = NoteKey(token);
            if (key >= 0) notes.push_back({key, at, 1});
        }
        ++at;
    }
    return notes;
}

double KeyToHz(int key) { return 440.0 * std::pow(2.0, (key - 69) / 12.0); }
