#include "shell/window/window_data.h"

#include <algorithm>
#include <atomic>

#include "foundation/abort.h"
#include "foundation/strings.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/main_window.h"

cWindowData WindowData;

namespace {
constexpr int kMinClientSize = 100;
std::atomic<bool> g_keepPlacement{true};
}  // namespace
const char* const kWindowDataPath = "user_data\\Window.dat";

cWindowData::cWindowData() {
    UseFields(kDataVersion);
    Reset();
}

void cWindowData::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nX);
    AddField(&m_nY);
    AddField(&m_nWidth);
    AddField(&m_nHeight);
    AddField(&m_nMaximized);
}

bool cWindowData::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    RECT desk = GetWorkArea();
    Clamp(m_nX, 0, desk.right);
    Clamp(m_nY, 0, desk.bottom);
    // A damaged or foreign file must not make a window of no size or one
    // larger than the desktop.
    Clamp(m_nWidth, kMinClientSize, std::max<int>(kMinClientSize, desk.right - desk.left));
    Clamp(m_nHeight, kMinClientSize, std::max<int>(kMinClientSize, desk.bottom - desk.top));
    return true;
}

void KeepWindowPlacement(bool keep) { g_keepPlacement.store(keep); }

void SaveWindowPlacement(HWND window) {
    if (!g_keepPlacement.load()) return;
    if (SystemIni.WindowMode == 0 || GameStarted.load() == 0 || AbortFlag.load() != 0) return;
    int x = 0;
    int y = 0;
    MainWindow.GetWindowPos(x, y);
    if (IsIconic(window)) return;
    RECT client{};
    MainWindow.GetClientRect(client);
    WindowData.m_nX = x;
    WindowData.m_nY = y;
    WindowData.m_nWidth = client.right - client.left;
    WindowData.m_nHeight = client.bottom - client.top;
    WindowData.m_nMaximized = IsZoomed(window) ? 1 : 0;
    WindowData.SaveFile(kWindowDataPath);
}
