#pragma once
// The audio output that pulls the mix. "A sound device is present" means
// that it opened. The sdl backend plays the mix through SDL's callback; the
// headless backend (the default) opens without a host device, so effects
// load and tests render the mix offline; with no backend (--no-sound) no
// device ever opens.
#include <memory>
#include <string>

namespace platform {

class AudioDeviceBackend {
public:
    virtual ~AudioDeviceBackend() = default;
    // Opens the output and starts pulling RenderMix; false (the reason in
    // *error) when no device can be opened.
    virtual bool Open(std::string* error) = 0;
    virtual void Close() = 0;
};

// Contract: installs the backend the next OpenAudioDevice uses; nullptr
// means no sound at all. Closes a device that is open.
void InstallAudioDeviceBackend(std::unique_ptr<AudioDeviceBackend> backend);

// Contract: opens the device once (true at once when it is open). A failure
// is written to the host log with its reason, and also to stderr when a
// backend was installed (a device was expected); play then goes on silent.
bool OpenAudioDevice();

// Contract: closes the device (nothing when it is not open).
void CloseAudioDevice();

// Contract: true while the device is open.
bool AudioDeviceOpen();

// Contract: the headless backend; it opens when `present` is set (tests
// set it false to stand for a machine without a sound device).
std::unique_ptr<AudioDeviceBackend> MakeHeadlessAudioBackend(bool present);

}  // namespace platform
