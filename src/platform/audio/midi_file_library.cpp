// The MIDI file library over FluidSynth's MIDI file player: lists of files
// read into memory, played one at a time on the library's own synthesizer,
// which renders inside the mixer.
//
// Loading the SoundFont takes longer than a start-up may: the synthesizer is
// made on a thread of its own when the first song is asked for, and the
// song starts once it is there. Until then the library plays silence.
#include <fluidsynth.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
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

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

class SynthPlayback : public AudioStream {
public:
    ~SynthPlayback() override { DropPlayer(); }

    // A closed library's playback takes no more songs.
    void Close() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.reset();
        m_bClosed = true;
    }

    std::size_t Render(float* out, std::size_t frames) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_synth) {
            std::fill(out, out + frames * 2, 0.0f);
            return frames;
        }
        // The file player advances with the synthesizer's rendered samples.
        m_synth->Render(out, frames);
        for (std::size_t i = 0; i < frames * 2; ++i) out[i] *= m_gain;
        return frames;
    }

    // Takes the synthesizer once it is loaded and starts the song asked for
    // meanwhile.
    void Attach(std::unique_ptr<Synth> synth) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_synth = std::move(synth);
        if (m_pending && !StartLocked(m_pending->file, m_pending->loop))
            HostLog("midi library: the song does not play");
        m_pending.reset();
    }

    bool Start(const std::vector<std::uint8_t>& file, bool loop) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_synth) {
            if (!m_bClosed) m_pending = Pending{file, loop};
            return true;
        }
        return StartLocked(file, loop);
    }

    void Halt(bool pause) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.reset();
        if (!m_synth) return;
        if (m_player) fluid_player_stop(m_player);
        if (!pause) DropPlayer();
        fluid_synth_all_notes_off(m_synth->Handle(), -1);
    }

    void SetGain(float gain) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_gain = gain;
    }

private:
    struct Pending {
        std::vector<std::uint8_t> file;
        bool loop = false;
    };

    bool StartLocked(const std::vector<std::uint8_t>& file, bool loop) {
        DropPlayer();
        m_synth->Reset();
        m_player = new_fluid_player(m_synth->Handle());
        if (!m_player) return false;
        if (fluid_player_add_mem(m_player, file.data(), file.size()) != FLUID_OK) return false;
        fluid_player_set_loop(m_player, loop ? -1 : 1);
        return fluid_player_play(m_player) == FLUID_OK;
    }

    void DropPlayer() {
        if (!m_player) return;
        fluid_player_stop(m_player);
        delete_fluid_player(m_player);
        m_player = nullptr;
    }

    std::mutex m_mutex;
    std::unique_ptr<Synth> m_synth;
    std::optional<Pending> m_pending;
    bool m_bClosed = false;
    fluid_player_t* m_player = nullptr;
    float m_gain = 1.0f;
};

class SynthMidiLibrary : public MidiLibrary {
public:
    ~SynthMidiLibrary() override { CloseDevice(); }

    // Opens at once when a SoundFont is there; whether it loads is known
    // only when the first song is asked for.
    int OpenDevice(int) override {
        if (m_playback) return kOk;
        const std::string font = SoundFontPath();
        if (!FileExists(font)) {
            HostLog("midi library: no SoundFont" + (font.empty() ? std::string() : " at " + font));
            return kFailed;
        }
        m_playback = std::make_shared<SynthPlayback>();
        m_voice = SoundVoice::FromStream(m_playback);
        m_voice.Play(false);
        return kOk;
    }

    // A SoundFont still loading does not hold up the close (nor the end of
    // the program): its thread keeps the playback it fills and ends on its
    // own, with the song asked for dropped.
    void CloseDevice() override {
        if (m_playback) m_playback->Close();
        if (m_loader.joinable()) m_loader.detach();
        m_bLoading = false;
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
        StartLoading();
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
    void StartLoading() {
        if (m_bLoading) return;
        m_bLoading = true;
        m_loader = std::thread([playback = m_playback] {
            std::string error;
            if (auto synth = Synth::Create(&error)) {
                playback->Attach(std::move(synth));
            } else {
                HostLog("midi library: " + error);
            }
        });
    }

    std::shared_ptr<SynthPlayback> m_playback;
    SoundVoice m_voice;
    std::map<int, std::vector<std::uint8_t>> m_lists;
    std::thread m_loader;
    bool m_bLoading = false;
};

}  // namespace

std::unique_ptr<MidiLibrary> CreateSynthMidiLibrary() { return std::make_unique<SynthMidiLibrary>(); }

}  // namespace platform
