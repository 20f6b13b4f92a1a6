#include "platform/audio/device.h"

#include <mutex>

#include "platform/host_log.h"

namespace platform {

namespace {

class HeadlessAudio : public AudioDeviceBackend {
public:
    explicit HeadlessAudio(bool present) : m_present(present) {}
    bool Open(std::string* error) override {
        if (!m_present && error) *error = "no sound device";
        return m_present;
    }
    void Close() override {}

private:
    bool m_present;
};

struct DeviceState {
    std::mutex mutex;
    std::unique_ptr<AudioDeviceBackend> backend = MakeHeadlessAudioBackend(true);
    bool open = false;
};

DeviceState& Device() {
    static DeviceState state;
    return state;
}

}  // namespace

std::unique_ptr<AudioDeviceBackend> MakeHeadlessAudioBackend(bool present) {
    return std::make_unique<HeadlessAudio>(present);
}

void InstallAudioDeviceBackend(std::unique_ptr<AudioDeviceBackend> backend) {
    DeviceState& d = Device();
    std::lock_guard<std::mutex> lock(d.mutex);
    if (d.open && d.backend) d.backend->Close();
    d.open = false;
    d.backend = std::move(backend);
}

bool OpenAudioDevice() {
    DeviceState& d = Device();
    std::lock_guard<std::mutex> lock(d.mutex);
    if (d.open) return true;
    std::string error = "sound switched off";
    if (d.backend && d.backend->Open(&error)) {
        d.open = true;
        return true;
    }
    // A device that was there to open and failed is news for the player;
    // sound switched off is not.
    const std::string line = "audio: no sound device (" + error + "); playing silently";
    if (d.backend) {
        HostWarn(line);
    } else {
        HostLog(line);
    }
    return false;
}

void CloseAudioDevice() {
    DeviceState& d = Device();
    std::lock_guard<std::mutex> lock(d.mutex);
    if (d.open && d.backend) d.backend->Close();
    d.open = false;
}

bool AudioDeviceOpen() {
    DeviceState& d = Device();
    std::lock_guard<std::mutex> lock(d.mutex);
    return d.open;
}

}  // namespace platform
