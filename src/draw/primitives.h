#pragma once
// Small drawing helpers on top of the blits and fills.
#include <string>

#include "draw/surface.h"
#include "foundation/report.h"
#include "platform/win_types.h"

// Single-byte text from a 16-column character picture; a line feed starts
// the next line at x.
int DDDrawDebugText(DDSURFACEDATA* dst, int x, int y, int cellWidth, int cellHeight, DDSURFACEDATA* font,
                    const char* text);
// The same with the text formatted first (at most 255 bytes of it).
int DDDrawDebugTextF(DDSURFACEDATA* dst, int x, int y, int cellWidth, int cellHeight, DDSURFACEDATA* font,
                     const char* format, ...) PLAYER_PRINTF(7, 8);
// A one-pixel circle outline in a palette colour.
void DDCircle(DDSURFACEDATA* sd, int cx, int cy, int r, DWORD n);
// A message box that can be seen in full screen; 1 when shown.
int DDMesBox(const std::string& text, const std::string& caption, UINT type);
// Prepares (1) or ends (0) the display of boxes over a full-screen frame:
// the pointer shows while a box is open and hides again after it. 1 when
// done or when nothing is needed (a window).
int DDDialogBoxMode(int on);
