#pragma once
// The system sounds of the menus (1 confirm, 2 cancel, 3 refusal, 4 the
// world-map menu, 5 saved, 6 ranking panel, 16 ranking registered), asked of
// the window thread. A test installs a sink in its place and hears them
// without a window thread.
#include <functional>

void MenuSound(int n);
using MenuSoundSink = std::function<void(int)>;
// An empty sink gives the window thread back.
void SetMenuSoundSink(MenuSoundSink sink);
