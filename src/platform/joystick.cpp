#include "platform/joystick.h"

#include <array>
#include <mutex>

namespace {

struct Slot {
    bool present = false;
    platform::JoystickReading reading;
};

// Small and read once a frame: a lock is cheaper to reason about than three
// atomics that must agree.
std::mutex g_mutex;
std::array<Slot, platform::kJoystickCount> g_slots;

bool InRange(int id) { return id >= 0 && id < platform::kJoystickCount; }

}  // namespace

namespace platform {

bool ReadJoystick(int id, JoystickReading& out) {
    if (!InRange(id)) return false;
    std::lock_guard<std::mutex> lock(g_mutex);
    const Slot& s = g_slots[static_cast<std::size_t>(id)];
    if (!s.present) return false;
    out = s.reading;
    return true;
}

void SetJoystickState(int id, const JoystickReading& reading) {
    if (!InRange(id)) return;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_slots[static_cast<std::size_t>(id)] = Slot{true, reading};
}

void RemoveJoystick(int id) {
    if (!InRange(id)) return;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_slots[static_cast<std::size_t>(id)] = Slot{};
}

void RemoveAllJoysticks() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_slots.fill(Slot{});
}

}  // namespace platform
