#pragma once
// The working values that the jump command keeps in its command instance,
// shared by the hero's and the stage characters' jumps.
#include <cstddef>

namespace JumpWork {
enum : std::size_t {
    Calls = 0,  // sub-steps the command has run
    Jumped = 1  // the jump has started
};
}
