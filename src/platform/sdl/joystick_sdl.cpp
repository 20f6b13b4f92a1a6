#include <array>

#include "platform/joystick.h"
#include "platform/sdl/sdl_joysticks.h"

namespace {

struct Device {
    SDL_Joystick* handle = nullptr;
    SDL_JoystickID instance = -1;
    platform::JoystickReading reading;
};

// Touched only by the window thread's pump.
std::array<Device, platform::kJoystickCount> g_devices;

Device* ByInstance(SDL_JoystickID instance) {
    for (auto& d : g_devices) {
        if (d.handle && d.instance == instance) return &d;
    }
    return nullptr;
}

int IdOf(const Device& d) { return static_cast<int>(&d - g_devices.data()); }

void Open(int deviceIndex) {
    for (auto& d : g_devices) {
        if (d.handle) continue;
        d.handle = SDL_JoystickOpen(deviceIndex);
        if (!d.handle) return;
        d.instance = SDL_JoystickInstanceID(d.handle);
        if (ByInstance(d.instance) != &d) {
            // Already open under another id (SDL reports devices present at
            // start once more).
            SDL_JoystickClose(d.handle);
            d = Device{};
            return;
        }
        d.reading = platform::JoystickReading{};
        d.reading.x = platform::JoystickAxisFromSigned(SDL_JoystickGetAxis(d.handle, 0));
        d.reading.y = platform::JoystickAxisFromSigned(SDL_JoystickGetAxis(d.handle, 1));
        platform::SetJoystickState(IdOf(d), d.reading);
        return;
    }
}

void Close(Device& d) {
    platform::RemoveJoystick(IdOf(d));
    SDL_JoystickClose(d.handle);
    d = Device{};
}

}  // namespace

namespace platform::sdl {

bool HandleJoystickEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_JOYDEVICEADDED: Open(e.jdevice.which); return true;
        case SDL_JOYDEVICEREMOVED:
            if (Device* d = ByInstance(e.jdevice.which)) Close(*d);
            return true;
        case SDL_JOYAXISMOTION: {
            Device* d = ByInstance(e.jaxis.which);
            if (!d || e.jaxis.axis > 1) return true;
            (e.jaxis.axis == 0 ? d->reading.x : d->reading.y) = JoystickAxisFromSigned(e.jaxis.value);
            SetJoystickState(IdOf(*d), d->reading);
            return true;
        }
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP: {
            Device* d = ByInstance(e.jbutton.which);
            if (!d || e.jbutton.button >= 32) return true;
            DWORD bit = DWORD(1) << e.jbutton.button;
            d->reading.buttons =
                e.jbutton.state == SDL_PRESSED ? (d->reading.buttons | bit) : (d->reading.buttons & ~bit);
            SetJoystickState(IdOf(*d), d->reading);
            return true;
        }
        default: return false;
    }
}

void CloseJoysticks() {
    for (auto& d : g_devices) {
        if (d.handle) Close(d);
    }
    RemoveAllJoysticks();
}

}  // namespace platform::sdl
