#pragma once
// The project folder "data\" is made on first start by copying "default\"
// after asking the player.
#include "platform/win_types.h"

// 1 when "data\" exists or was created from "default\", 0 when it cannot be
// had (no "default\", the player declined, or the copy failed; a failed copy
// leaves no "data\" behind as far as it can be removed).
int CreateDefaultData(HWND owner);
