#include "shell/input/key_config.h"

#include <cstring>
#include <vector>

#include "foundation/file_reading.h"
#include "foundation/report.h"

cKeyConfig KeyConfig;

namespace {

std::int32_t ReadInt32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                                     std::uint32_t(p[3]) << 24);
}

// The record's memory image, so that a short file overwrites exactly the
// bytes it holds.
std::array<std::uint8_t, kKeyConfigBytes> Image(const cKeyConfig& c) {
    std::array<std::uint8_t, kKeyConfigBytes> image{};
    auto put32 = [&](std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>(std::uint32_t(v) >> (8 * i));
    };
    std::size_t at = 0;
    for (const KeyBinding& b : c.bindings) {
        put32(at, b.device);
        image[at + 4] = static_cast<std::uint8_t>(b.code);
        image[at + 5] = static_cast<std::uint8_t>(b.code >> 8);
        at += 8;
    }
    put32(96, c.bindingCount);
    put32(100, c.joystickCount);
    put32(104, c.inUse);
    return image;
}

cKeyConfig FromImage(const std::array<std::uint8_t, kKeyConfigBytes>& image) {
    cKeyConfig c;
    std::size_t at = 0;
    for (KeyBinding& b : c.bindings) {
        b.device = ReadInt32(&image[at]);
        b.code = static_cast<std::uint16_t>(image[at + 4] | image[at + 5] << 8);
        at += 8;
    }
    c.bindingCount = ReadInt32(&image[96]);
    c.joystickCount = ReadInt32(&image[100]);
    c.inUse = ReadInt32(&image[104]);
    return c;
}

bool Valid(const cKeyConfig& c) {
    if (c.bindingCount < 4 || c.bindingCount > kKeyBindingCount) return false;
    if (c.joystickCount < 0 || c.joystickCount > 8) return false;
    for (const KeyBinding& b : c.bindings) {
        if (b.device < 0 || b.device > kKeyboardDevice) return false;
    }
    return true;
}

}  // namespace

void DefaultKeyConfig(cKeyConfig& config) {
    static constexpr std::uint16_t kCodes[kKeyBindingCount] = {37, 39, 38, 40, 'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};
    int i = 0;
    for (KeyBinding& b : config.bindings) b = KeyBinding{kKeyboardDevice, kCodes[i++]};
    config.bindingCount = kKeyBindingCount;
    config.joystickCount = 1;
    config.inUse = 0;
}

int ReadKeyConfig(const std::string& path, cKeyConfig& config) {
    auto file = OpenGameFile(path);
    if (!file) return 0;
    auto image = Image(config);
    file->Read(image.data(), image.size());
    file->Close();
    cKeyConfig read = FromImage(image);
    if (!Valid(read)) {
        LogPrintf("%s が壊れています：標準のキー設定を使います", path.c_str());
        return 0;
    }
    config = read;
    return 1;
}
