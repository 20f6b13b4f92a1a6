#pragma once
// The finished frame. The drawing core renders in software; the window
// backend only shows the 640 x 480 result (scaled in a window, letterboxed
// full screen) and the headless backend keeps it for screenshots.
#include <cstdint>
#include <functional>
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

// Contract: hands over a finished frame without copying it: frame becomes
// the last presented frame (its pixels already 0x00RRGGBB, width x height,
// no padding) and receives in exchange the buffer of the frame before, whose
// contents are stale, for the caller to refill. Ignored when the sizes do not
// match. Callable from the frame-loop thread.
void PresentFrameBuffer(Frame& frame);

// Contract: calls show with the last presented frame, under the lock that
// keeps a present from replacing it meanwhile; show must not present.
void ShowLastPresentedFrame(const std::function<void(const Frame&)>& show);

// Contract: the last presented frame (empty before the first present).
Frame LastPresentedFrame();

// Contract: how many frames have been presented since the process started
// (the headless input script counts time in these).
long long PresentedFrameSerial();

// Contract: writes a frame as a PNG file at a host path; false on failure.
bool WritePng(const std::string& hostPath, const Frame& frame);

}  // namespace platform
