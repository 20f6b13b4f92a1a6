#include "scenes/menu/menu_sounds.h"

#include "shell/requests/sound_requests.h"

namespace {
MenuSoundSink g_sink;
}

void MenuSound(int n) {
    if (g_sink) g_sink(n);
    else PlaySystemSound(n);
}

void SetMenuSoundSink(MenuSoundSink sink) { g_sink = std::move(sink); }
