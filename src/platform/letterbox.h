#pragma once
// Where the 640 x 480 frame stands in an output area of another size.
#include "platform/win_types.h"

namespace platform {

// Contract: the largest rectangle of the frame's 4:3 shape that fits in an
// output area of width x height, centred (the rest stays black); empty for
// an empty area. Never stretched one way more than the other.
RECT LetterboxRect(int width, int height);

}  // namespace platform
