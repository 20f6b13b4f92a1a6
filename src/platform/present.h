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

// How a frame reached the display, in the order the presents asked for it.
enum class PresentStep {
    WaitForBlank,  // waited for the display's next vertical blank
    Flip,          // shown by a page flip, which itself waits for the blank
    Blit,          // copied onto the display at once
};

// Contract: waits for the start of the display's next refresh, counted at
// 60 Hz from the process clock (the host's own refresh is not observable);
// returns at once while the virtual clock runs, whose frames are paced by the
// game alone. Records PresentStep::WaitForBlank. Frame-loop thread.
void WaitForVerticalBlank();

// Contract: as PresentFrameBuffer, shown by a page flip: waits for the next
// refresh as WaitForVerticalBlank does, then hands the frame over. Records
// PresentStep::Flip (a frame whose sizes disagree records nothing).
void FlipFrameBuffer(Frame& frame);

// Contract: the steps recorded since the last call (at most the newest 64;
// PresentFrame and PresentFrameBuffer record PresentStep::Blit), and forgets
// them. Tests read how each frame was shown through it.
std::vector<PresentStep> TakePresentSteps();

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
