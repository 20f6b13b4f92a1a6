#pragma once
// The project folder "data\" is made on first start by copying "default\"
// after asking the player.
#include "platform/win_types.h"

// What became of "data\": there or copied from "default\"; declined by the
// player; or not to be had (no "default\", or the copy failed, leaving no
// "data\" behind as far as it can be removed).
enum class DefaultDataResult { kReady, kDeclined, kFailed };

DefaultDataResult CreateDefaultData(HWND owner);
