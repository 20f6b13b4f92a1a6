#pragma once
// The heap that operator new hands out in this test program, counted, so a
// test can tell how much memory a load took at its highest without timing
// or sampling the process.
#include <cstddef>

// Starts a new measurement at the heap taken now.
void ResetHeapPeak();
// The most the heap held since the last reset, above what it held then.
std::size_t HeapPeakSinceReset();
