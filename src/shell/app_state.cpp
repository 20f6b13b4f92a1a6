#include "shell/app_state.h"

int TestPlay = 0;
std::atomic<int> AppActive{0};
std::atomic<int> GameStarted{0};
std::atomic<HWND> MainWindowHandle{nullptr};
int DirectStart = 0;
int ScreenWindowed = 1;
int ScreenDepth = 32;
int UseBlitPresent = 1;
cSystemIni SystemIni;
