// The mixer under load: 16 effect voices over one shared sample buffer, one
// Ogg stream and the MIDI synthesizer playing a dense song, mixed for 10
// seconds of audio in the device's blocks of 1024 frames. Reported as the
// share of real time the mixing takes (1.0 would use a whole core).
#include <benchmark/benchmark.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "platform/audio/device.h"
#include "platform/audio/music_libraries.h"
#include "platform/audio/synth.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "sound/midi_file_player.h"
#include "sound/sound_effects.h"
#include "support/ogg_fixture.h"
#include "support/smf_bytes.h"
#include "support/sound_fixtures.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Four bars a second of eight-note chords on eight channels, for 12 s.
std::string DenseSong() {
    SmfTrack t;
    for (int ch = 0; ch < 8; ++ch) t.Delta(0).Raw({static_cast<char>(0xC0 | ch), static_cast<char>(ch * 8)});
    for (int beat = 0; beat < 48; ++beat) {
        for (int ch = 0; ch < 8; ++ch) t.NoteOn(0, ch, 48 + ch * 3 + beat % 12);
        for (int ch = 0; ch < 8; ++ch) t.NoteOff(ch == 0 ? 120 : 0, ch, 48 + ch * 3 + beat % 12);
    }
    t.End();
    return SmfBytes(0, 480, {t});
}

}  // namespace

static void BM_MixEffectsOggAndMidi(benchmark::State& state) {
    if (platform::SoundFontPath().empty()) {
        state.SkipWithError("no General MIDI SoundFont installed");
        return;
    }
    const fs::path dir = fs::temp_directory_path() / ("bench_sound_mix_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    WriteFile(dir / "effect.wav", WavBytes({.channels = 2, .rate = 22050, .bits = 16}, std::string(88200, '\x10')));
    WriteFile(dir / "music.ogg", EncodeOggTone(3.0, 330));
    WriteFile(dir / "song.mid", DenseSong());
    const std::string folder = platform::InternalPath(dir.string()) + "\\";

    platform::InstallAudioDeviceBackend(platform::MakeHeadlessAudioBackend(true));
    InitDirectSound(nullptr, 22050, 8, 1);
    cSoundEffect effect;
    effect.Load(folder + "effect.wav", 16, -600);
    for (int i = 0; i < 16; ++i) effect.Play(DSBPLAY_LOOPING);
    auto ogg = platform::CreateVorbisPlayer();
    ogg->Load(folder + "music.ogg");
    ogg->SetLoopCount(INT_MAX);
    ogg->Play();
    cMidiStream midi(folder + "song.mid");
    midi.Restart(1);

    constexpr std::size_t kBlock = 1024;
    constexpr std::size_t kFrames = 10 * platform::kMixRate;
    std::vector<float> block(kBlock * platform::kMixChannels);
    for (auto _ : state) {
        const DWORD start = timeGetTime();
        for (std::size_t done = 0; done < kFrames; done += kBlock) platform::RenderMix(block.data(), kBlock);
        const double spent = (timeGetTime() - start) / 1000.0;
        state.counters["voices"] = platform::MixerVoiceCount();
        state.counters["share_of_real_time"] = spent / 10.0;
        benchmark::DoNotOptimize(block.data());
    }
    effect.Release();
    ogg.reset();
    ReleaseDirectSound();
    fs::remove_all(dir);
}
BENCHMARK(BM_MixEffectsOggAndMidi)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
