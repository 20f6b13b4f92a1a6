#include "platform/random.h"

#include <cstdint>

namespace {
thread_local std::uint32_t t_state = 1;
}

namespace platform {

void srand(unsigned int seed) { t_state = seed; }

int rand() {
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int>((t_state >> 16) & 0x7FFFu);
}

unsigned int RandState() { return t_state; }

}  // namespace platform
