#include "platform/audio/synth.h"

#include <fluidsynth.h>

#include <mutex>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/host_log.h"

namespace platform {

namespace {

// Where the GM SoundFont of the dependencies lands on Debian.
const char* const kSoundFonts[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2"};

std::mutex g_mutex;
bool g_pathSet = false;
std::string g_path;
std::function<std::shared_ptr<MidiOut>()> g_maker;
// Kept for the whole run: loading the SoundFont takes a while.
std::shared_ptr<MidiOut> g_shared;
bool g_reportedMissing = false;

bool Exists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

void QuietFluidLog(int, const char*, void*) {}

// The synthesizer's failures belong in the run report, never on the
// terminal; its chatter goes nowhere.
void ReportFluidLog(int, const char* message, void*) {
    platform::HostLog(std::string("fluidsynth: ") + (message ? message : ""));
}

void SilenceFluid() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR}) fluid_set_log_function(level, ReportFluidLog, nullptr);
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, QuietFluidLog, nullptr);
    });
}

}  // namespace

std::string SoundFontPath() {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (g_pathSet) return g_path;
    }
    for (const char* p : kSoundFonts) {
        if (Exists(p)) return p;
    }
    return "";
}

void SetSoundFontPath(std::string hostPath) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_pathSet = true;
    g_path = std::move(hostPath);
    // The next stream loads the SoundFont that is now set.
    g_shared.reset();
    g_reportedMissing = false;
}

void ResetSoundFontPath() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_pathSet = false;
    g_path.clear();
    g_shared.reset();
    g_reportedMissing = false;
}

std::unique_ptr<Synth> Synth::Create(std::string* error) {
    SilenceFluid();
    const std::string font = SoundFontPath();
    if (font.empty() || !Exists(font)) {
        if (error) *error = "no SoundFont" + (font.empty() ? std::string() : " at " + font);
        return nullptr;
    }
    std::unique_ptr<Synth> s(new Synth());
    s->m_settings = new_fluid_settings();
    if (!s->m_settings) {
        if (error) *error = "FluidSynth settings";
        return nullptr;
    }
    fluid_settings_setnum(s->m_settings, "synth.sample-rate", kMixRate);
    fluid_settings_setnum(s->m_settings, "synth.gain", 0.5);
    // Samples load as programs ask for them, on the calling thread, instead
    // of all at once on a pool of worker threads.
    fluid_settings_setint(s->m_settings, "synth.dynamic-sample-loading", 1);
    s->m_synth = new_fluid_synth(s->m_settings);
    if (!s->m_synth) {
        if (error) *error = "FluidSynth synthesizer";
        return nullptr;
    }
    if (fluid_synth_sfload(s->m_synth, font.c_str(), 1) == FLUID_FAILED) {
        if (error) *error = "SoundFont " + font + " does not load";
        return nullptr;
    }
    return s;
}

Synth::~Synth() {
    if (m_synth) delete_fluid_synth(m_synth);
    if (m_settings) delete_fluid_settings(m_settings);
}

void Synth::ShortMessage(DWORD message) {
    const int status = static_cast<int>(message & 0xFF);
    const int channel = status & 0x0F;
    const int d1 = static_cast<int>((message >> 8) & 0x7F);
    const int d2 = static_cast<int>((message >> 16) & 0x7F);
    switch (status & 0xF0) {
        case 0x80: fluid_synth_noteoff(m_synth, channel, d1); break;
        case 0x90: fluid_synth_noteon(m_synth, channel, d1, d2); break;
        case 0xA0: fluid_synth_key_pressure(m_synth, channel, d1, d2); break;
        case 0xB0: fluid_synth_cc(m_synth, channel, d1, d2); break;
        case 0xC0: fluid_synth_program_change(m_synth, channel, d1); break;
        case 0xD0: fluid_synth_channel_pressure(m_synth, channel, d1); break;
        case 0xE0: fluid_synth_pitch_bend(m_synth, channel, d1 | (d2 << 7)); break;
        default: break;  // system messages are not sent as short messages
    }
}

void Synth::LongMessage(const std::uint8_t* bytes, std::size_t size) {
    // FluidSynth takes the message without its framing F0 ... F7.
    if (size < 2 || bytes[0] != 0xF0) return;
    std::size_t n = size - 1;
    if (bytes[size - 1] == 0xF7) --n;
    fluid_synth_sysex(m_synth, reinterpret_cast<const char*>(bytes + 1), static_cast<int>(n), nullptr, nullptr, nullptr,
                      0);
}

void Synth::Reset() { fluid_synth_system_reset(m_synth); }

void Synth::Render(float* out, std::size_t frames) {
    fluid_synth_write_float(m_synth, static_cast<int>(frames), out, 0, 2, out, 1, 2);
}

std::shared_ptr<MidiOut> OpenMidiOut() {
    std::function<std::shared_ptr<MidiOut>()> maker;
    std::shared_ptr<MidiOut> shared;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        maker = g_maker;
        shared = g_shared;
    }
    if (maker) return maker();
    if (shared) {
        shared->Reset();
        return shared;
    }
    std::string error;
    std::shared_ptr<MidiOut> synth = Synth::Create(&error);
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!synth) {
        if (!g_reportedMissing) HostLog("midi: " + error + "; MIDI music plays silently");
        g_reportedMissing = true;
        return nullptr;
    }
    g_shared = synth;
    return synth;
}

void InstallMidiOutMaker(std::function<std::shared_ptr<MidiOut>()> maker) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_maker = std::move(maker);
}

}  // namespace platform
