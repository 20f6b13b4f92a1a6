// The sound effects: the seventeen system sounds and the sound database's
// effects, synthesised as 22050 Hz mono PCM of 8 or 16 bits.
#include <initializer_list>
#include <vector>

#include "file_formats.h"
#include "game_folder.h"
#include "sample_game.h"
#include "sound_files.h"
#include "synth.h"

namespace {

constexpr int kRate = 22050;

struct Effect {
    const char* path;
    int bits;
    std::initializer_list<Tone> tones;  // played one after another
};

// clang-format off
const Effect kEffects[] = {
    {"wave\\Cursor.wav",   8, {{Wave::Square, 880, 880, 0.04, 0.3}}},
    {"wave\\Decide.wav",   8, {{Wave::Square, 660, 660, 0.05, 0.35}, {Wave::Square, 990, 990, 0.08, 0.35}}},
    {"wave\\Cancel.wav",   8, {{Wave::Square, 660, 330, 0.12, 0.35}}},
    {"wave\\Buzzer.wav",   8, {{Wave::Saw, 110, 110, 0.25, 0.4}}},
    {"wave\\Pause.wav",    8, {{Wave::Triangle, 523, 523, 0.06, 0.5}, {Wave::Triangle, 784, 784, 0.1, 0.5}}},
    {"wave\\Save.wav",     16, {{Wave::Sine, 523, 523, 0.08, 0.5}, {Wave::Sine, 659, 659, 0.08, 0.5}, {Wave::Sine, 1047, 1047, 0.2, 0.5}}},
    {"wave\\Panel.wav",    8, {{Wave::Square, 1200, 1500, 0.05, 0.25}}},
    {"wave\\Hit.wav",      16, {{Wave::Noise, 0, 0, 0.12, 0.6}}},
    {"wave\\Miss.wav",     16, {{Wave::Square, 880, 110, 0.6, 0.4}}},
    {"wave\\Defeat.wav",   16, {{Wave::Noise, 0, 0, 0.08, 0.5}, {Wave::Square, 440, 110, 0.2, 0.4}}},
    {"wave\\JumpPad.wav",  8, {{Wave::Triangle, 200, 1200, 0.2, 0.6}}},
    {"wave\\Message.wav",  8, {{Wave::Square, 1320, 1320, 0.03, 0.25}}},
    {"wave\\Next.wav",     8, {{Wave::Square, 990, 1320, 0.06, 0.3}}},
    {"wave\\Warning.wav",  8, {{Wave::Square, 1760, 1760, 0.08, 0.35}, {Wave::Square, 0, 0, 0.04, 0.0}, {Wave::Square, 1760, 1760, 0.08, 0.35}}},
    {"wave\\StageEnd.wav", 16, {{Wave::Triangle, 523, 523, 0.12, 0.5}, {Wave::Triangle, 659, 659, 0.12, 0.5}, {Wave::Triangle, 784, 784, 0.12, 0.5}, {Wave::Triangle, 1047, 1047, 0.35, 0.5}}},
    {"wave\\OneUp.wav",    16, {{Wave::Square, 784, 784, 0.07, 0.3}, {Wave::Square, 988, 988, 0.07, 0.3}, {Wave::Square, 1319, 1319, 0.07, 0.3}, {Wave::Square, 1568, 1568, 0.15, 0.3}}},
    {"wave\\Ranked.wav",   16, {{Wave::Sine, 880, 880, 0.1, 0.5}, {Wave::Sine, 1175, 1175, 0.25, 0.5}}},
    // The sound database.
    {"wave\\Shoot.wav",    8, {{Wave::Square, 1400, 400, 0.1, 0.35}}},
    {"wave\\Slash.wav",    16, {{Wave::Noise, 0, 0, 0.15, 0.45}}},
    {"wave\\Coin.wav",     8, {{Wave::Square, 988, 988, 0.05, 0.3}, {Wave::Square, 1319, 1319, 0.2, 0.3}}},
    {"wave\\Jump.wav",     8, {{Wave::Square, 300, 700, 0.15, 0.3}}},
    {"wave\\Break.wav",    16, {{Wave::Noise, 0, 0, 0.25, 0.6}}},
    {"wave\\Roar.wav",     16, {{Wave::Saw, 90, 60, 0.8, 0.6}}},
};
// clang-format on

}  // namespace

const std::vector<std::string>& SystemSoundPaths() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> p;
        for (int i = 0; i < kSystemSoundFileCount; ++i) p.emplace_back(kEffects[i].path);
        return p;
    }();
    return paths;
}

const std::vector<std::string>& DatabaseSoundPaths() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> p;
        for (std::size_t i = kSystemSoundFileCount; i < std::size(kEffects); ++i) p.emplace_back(kEffects[i].path);
        return p;
    }();
    return paths;
}

void WriteSounds(GameFolder& folder) {
    for (const Effect& e : kEffects) {
        std::vector<float> samples;
        for (const Tone& t : e.tones) AppendTone(samples, kRate, t);
        folder.WriteBytes(e.path, EncodeWav(kRate, e.bits, samples));
    }
}
