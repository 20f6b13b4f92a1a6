#pragma once
// The classic C-runtime generator that stored replays depend on. Never the
// host C library's rand(): its sequence differs.
namespace platform {

// Contract: x := seed for the calling thread's generator.
void srand(unsigned int seed);

// Contract: x := x * 214013 + 2531011 (mod 2^32) for the calling thread;
// returns (x >> 16) & 0x7FFF. A thread that never called srand starts at 1.
int rand();

// Contract: the calling thread's x, unchanged; lets a test compare two runs
// without drawing a number.
unsigned int RandState();

}  // namespace platform
