#include "platform/headless/music_recorder.h"

#include <cstdio>
#include <mutex>

#include "platform/audio/music_libraries.h"
#include "platform/files.h"

namespace platform::headless {

namespace {

std::mutex g_mutex;
std::vector<std::string> g_record;

void Record(std::string line) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_record.push_back(std::move(line));
}

class RecordingOgg : public OggPlayer {
public:
    RecordingOgg() { Record("ogg create"); }
    ~RecordingOgg() override { Record("ogg destroy"); }
    bool Load(const std::string& path) override {
        Record("ogg load " + path);
        return FileExists(path);
    }
    bool Play() override {
        Record("ogg play");
        return true;
    }
    bool Stop() override {
        Record("ogg stop");
        return true;
    }
    void Reset() override { Record("ogg reset"); }
    void SetLoopCount(int count) override { Record("ogg loop " + std::to_string(count)); }
    void SetVolume(float volume) override {
        char text[32];
        std::snprintf(text, sizeof text, "ogg volume %.2f", static_cast<double>(volume));
        Record(text);
    }
};

class RecordingMidi : public MidiLibrary {
public:
    explicit RecordingMidi(int openResult) : m_openResult(openResult) {}
    int OpenDevice(int port) override {
        Record("midi open " + std::to_string(port));
        return m_openResult;
    }
    void CloseDevice() override { Record("midi close"); }
    int AddListFromFile(const std::string& path, int, int id) override {
        Record("midi add " + path + " " + std::to_string(id));
        return FileExists(path) ? 0 : 15;
    }
    int Play(int option, int id, int, int, int) override {
        Record("midi play " + std::to_string(option) + " " + std::to_string(id));
        return 0;
    }
    void Stop(int) override { Record("midi stop"); }
    void Pause() override { Record("midi pause"); }
    void SetMasterVolume(int volume) override { Record("midi volume " + std::to_string(volume)); }

private:
    int m_openResult;
};

}  // namespace

void InstallMusicRecorder(const MusicRecorderSetup& setup) {
    ClearMusicRecord();
    MusicLibraries libraries;
    libraries.loadOgg = [ok = setup.oggLibrary] { return ok; };
    libraries.createOggPlayer = [] { return std::make_unique<RecordingOgg>(); };
    libraries.loadMidi = [setup]() -> std::unique_ptr<MidiLibrary> {
        if (!setup.midiLibrary) return nullptr;
        return std::make_unique<RecordingMidi>(setup.midiOpenResult);
    };
    InstallMusicLibraries(std::move(libraries));
}

std::vector<std::string> MusicRecord() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_record;
}

void ClearMusicRecord() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_record.clear();
}

}  // namespace platform::headless
