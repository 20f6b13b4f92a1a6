#include <SDL.h>
#include <alsa/asoundlib.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/audio/device.h"
#include "platform/audio/mixer.h"
#include "platform/host_log.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// The sound library's own complaints (no card, a busy device) go to the run
// report; the player writes its own line about the sound device.
void LogAlsaLine(const char* file, int line, const char* function, int err, const char* format, ...) {
    char text[512] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::string where = std::string(file ? file : "?") + ":" + std::to_string(line) + " " + (function ? function : "");
    platform::HostLog("ALSA: " + where + ": " + text + (err ? std::string(": ") + snd_strerror(err) : std::string()));
}

class SdlAudio : public platform::AudioDeviceBackend {
public:
    ~SdlAudio() override { Close(); }

    bool Open(std::string* error) override {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Fail(error);
        m_initialised = true;
        SDL_AudioSpec want{};
        want.freq = platform::kMixRate;
        want.format = AUDIO_F32SYS;
        want.channels = platform::kMixChannels;
        want.samples = 1024;
        want.callback = [](void*, Uint8* stream, int bytes) {
            platform::RenderMix(reinterpret_cast<float*>(stream),
                                static_cast<std::size_t>(bytes) / (sizeof(float) * platform::kMixChannels));
        };
        // No change allowed: SDL converts to whatever the device takes.
        m_device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (m_device == 0) return Fail(error);
        SDL_PauseAudioDevice(m_device, 0);
        return true;
    }

    void Close() override {
        if (m_device != 0) SDL_CloseAudioDevice(m_device);
        m_device = 0;
        if (m_initialised) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_initialised = false;
    }

private:
    bool Fail(std::string* error) {
        if (error) *error = SDL_GetError();
        Close();
        return false;
    }

    SDL_AudioDeviceID m_device = 0;
    bool m_initialised = false;
};

}  // namespace

namespace platform {

void InstallSdlAudioBackend() {
    snd_lib_error_set_handler(LogAlsaLine);
    InstallAudioDeviceBackend(std::make_unique<SdlAudio>());
}

}  // namespace platform
