#pragma once
// The key configuration "user_data\KeyConfig.dat": which key or joystick
// input stands for each direction and button. The player only reads it; the
// file is the 108-byte little-endian image of the record, without a version.
#include <array>
#include <cstdint>
#include <string>

constexpr int kKeyBindingCount = 12;
constexpr int kKeyboardDevice = 8;
constexpr std::size_t kKeyConfigBytes = 108;

// Joystick codes that stand for a stick direction instead of buttons.
constexpr int kJoyAxisLeft = 0x100;
constexpr int kJoyAxisRight = 0x200;
constexpr int kJoyAxisUp = 0x400;
constexpr int kJoyAxisDown = 0x800;

struct KeyBinding {
    int device = 0;  // 0-7 a joystick id, 8 the keyboard
    std::uint16_t code = 0;
};

// Bindings in order: left, right, up, down, buttons 1 to 8.
struct cKeyConfig {
    std::array<KeyBinding, kKeyBindingCount> bindings{};
    int bindingCount = 0;
    int joystickCount = 0;
    int inUse = 0;  // 0: the fixed layout; else these bindings
};

extern cKeyConfig KeyConfig;

// Arrows, then Z X C V A S D F on the keyboard; fixed layout in use.
void DefaultKeyConfig(cKeyConfig& config);

// Reads the file over the record (a short file changes only what it
// holds); 0 when it cannot be opened or holds counts or devices that no
// configuration has (binding count 4-12, joystick count 0-8, device 0-8),
// the latter with a report line.
int ReadKeyConfig(const std::string& path, cKeyConfig& config);
