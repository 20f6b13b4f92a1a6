// The MIDI file library over FluidSynth's MIDI file player: lists of files
// read into memory, played one at a time on the library's own synthesizer,
// which renders inside the mixer.
#include <fluidsynth.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/music_libraries.h"
#include "platform/audio/synth.h"
#include "platform/files.h"
#include "platform/host_log.h"

namespace platform {

namespace {

// Result codes of the library: 0 success, 15 "not possible".
constexpr int kOk = 0;
constexpr int kFailed = 15;
// A standard MIDI file of music is far below this.
constexpr std::size_t kMaxMidiFile = 16u << 20;

class SynthPlayback : public AudioStream {
public:
    explicit SynthPlayback(std::unique_ptr<Synth> synth) : m_synth(std::move(synth)) {}
    ~SynthPlayback() override { DropPlayer(); }

    std::size_t Render(float* out, std::size_t frames) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        // The file player advances with the synthesizer's rendered samples.
        m_synth->Render(out, frames);
        for (std::size_t i = 0; i < frames * 2; ++i) out[i] *= m_gain;
        return frames;
    }

    bool Start(const std::vector<std::uint8_t>& file, bool loop) {
        std::lock_guard<std::mutex> lock(m_mutex);
        DropPlayer();
        m_synth->Reset();
        m_player = new_fluid_player(m_synth->Handle());
        if (!m_player) return false;
        if (fluid_player_add_mem(m_player, file.data(), file.size()) != FLUID_OK) return false;
        fluid_player_set_loop(m_player, loop ? -1 : 1);
        return fluid_player_play(m_player) == FLUID_OK;
    }

    void Halt(bool pause) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_player) fluid_player_stop(m_player);
        if (!pause) DropPlayer();
        fluid_synth_all_notes_off(m_synth->Handle(), -1);
    }

    void SetGain(float gain) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_gain = gain;
    }

private:
    void DropPlayer() {
        if (!m_player) return;
        fluid_player_stop(m_player);
        delete_fluid_player(m_player);
        m_player = nullptr;
    }

    std::mutex m_mutex;
    std::unique_ptr<Synth> m_synth;
    fluid_player_t* m_player = nullptr;
    float m_gain = 1.0f;
};

class SynthMidiLibrary : public MidiLibrary {
public:
    int OpenDevice(int) override {
        if (m_playback) return kOk;
        std::string error;
        auto synth = Synth::Create(&error);
        if (!synth) {
            HostLog("midi library: " + error);
            return kFailed;
        }
        m_playback = std::make_shared<SynthPlayback>(std::move(synth));
        m_voice = SoundVoice::FromStream(m_playback);
        m_voice.Play(false);
        return kOk;
    }

    void CloseDevice() override {
        m_voice = SoundVoice();
        m_playback.reset();
        m_lists.clear();
    }

    int AddListFromFile(const std::string& internalPath, int, int id) override {
        std::vector<std::uint8_t> bytes;
        if (!m_playback || !ReadWholeFile(internalPath, bytes, kMaxMidiFile)) return kFailed;
        if (bytes.size() < 14 || !std::equal(bytes.begin(), bytes.begin() + 4, "MThd")) return kFailed;
        m_lists[id] = std::move(bytes);
        return kOk;
    }

    int Play(int option, int id, int, int, int) override {
        auto it = m_lists.find(id);
        if (!m_playback || it == m_lists.end()) return kFailed;
        return m_playback->Start(it->second, (option & 1) != 0) ? kOk : kFailed;
    }

    void Stop(int) override {
        if (m_playback) m_playback->Halt(false);
    }
    void Pause() override {
        if (m_playback) m_playback->Halt(true);
    }
    void SetMasterVolume(int volume) override {
        if (m_playback) m_playback->SetGain(static_cast<float>(std::clamp(volume, -127, 0) + 127) / 127.0f);
    }

private:
    std::shared_ptr<SynthPlayback> m_playback;
    SoundVoice m_voice;
    std::map<int, std::vector<std::uint8_t>> m_lists;
};

}  // namespace

std::unique_ptr<MidiLibrary> CreateSynthMidiLibrary() { return std::make_unique<SynthMidiLibrary>(); }

}  // namespace platform
