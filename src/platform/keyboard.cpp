#include "platform/keyboard.h"

#include <array>
#include <atomic>

namespace {
std::array<std::atomic<bool>, 256> g_down{};
}

std::int16_t GetAsyncKeyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    return g_down[static_cast<std::size_t>(vk)].load() ? static_cast<std::int16_t>(0x8000) : 0;
}

namespace platform {

void SetKeyDown(int vk, bool down) {
    if (vk < 0 || vk > 255) return;
    g_down[static_cast<std::size_t>(vk)].store(down);
}

void ReleaseAllKeys() {
    for (auto& k : g_down) k.store(false);
}

}  // namespace platform
