#pragma once
// The finished frame. The drawing core renders in software; the window
// backend only shows the 640 x 480 result (scaled in a window, letterboxed
// full screen) and the headless backend keeps it for screenshots.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row-major, no padding
};

// Contract: hands a finished frame to the backend. pixels holds height rows
// of pitchPixels 0x00RRGGBB values, of which width are shown. Callable from
// the frame-loop thread; the backend copies what it needs before returning.
void PresentFrame(const std::uint32_t* pixels, int width, int height, int pitchPixels);

// Contract: the last presented frame (empty before the first present).
Frame LastPresentedFrame();

// Contract: how many frames have been presented since the process started
// (the headless input script counts time in these).
long long PresentedFrameSerial();

// Contract: writes a frame as a PNG file at a host path; false on failure.
bool WritePng(const std::string& hostPath, const Frame& frame);

}  // namespace platform
