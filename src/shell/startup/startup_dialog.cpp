#include "shell/startup/startup_dialog.h"

#include <cmath>

#include "gamedata/project/player_files.h"
#include "gamedata/project/system_data.h"
#include "shell/app_state.h"
#include "shell/dialogs/dialog_painter.h"
#include "shell/dialogs/resources.h"
#include "shell/main_window.h"
#include "shell/window_registry.h"

namespace {

constexpr int kStart = 1000;
constexpr int kCancel = 1001;
constexpr int kDirect3D = 1002;
constexpr int kDirectDraw = 1003;
constexpr int kNoAsk = 1004;
constexpr int kDetails = 1005;
constexpr int kDrawModeGroup = 1006;

}  // namespace

cStartupDialog::cStartupDialog(cBootData& boot) : m_Boot(boot) {
    cDialogClass<cStartupDialog>::Bind(this);
    Init(kResourceStartup, &MainWindow, &WindowRegistry);
    SetLayout(0, 0, 100, 100, 640, 480, 0);
    m_Radios.emplace_back(kDirect3D, &m_Boot.m_nDrawMode, 1);
    m_Radios.emplace_back(kDirectDraw, &m_Boot.m_nDrawMode, 0);
    m_Checks.emplace_back(kNoAsk, &m_Boot.m_nNoAsk);
    m_Statics.emplace_back(kDetails);
    int x = 0;
    int y = 0;
    MainWindow.GetWindowPos(x, y);
    m_nPosX = x + 320 - 187;
    m_nPosY = y + 240 - 136;
    // Over the Start button.
    platform::SetCursorPosition(static_cast<int>(std::trunc(m_nPosX + 181.9)),
                                static_cast<int>(std::trunc(m_nPosY + 198.9)));
}

cStartupDialog::~cStartupDialog() { cDialogClass<cStartupDialog>::Unbind(this); }

void cStartupDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    cDialog::OnInitDialog(wParam, lParam);
    SetText(SystemData.m_strTitle);
    for (auto& c : m_Radios) {
        c.Attach(this, c.m_nId);
        AddControl(&c);
    }
    for (auto& c : m_Checks) {
        c.Attach(this, c.m_nId);
        AddControl(&c);
    }
    for (auto& c : m_Statics) {
        c.Attach(this, c.m_nId);
        AddControl(&c);
    }
    PushAll();
    if (SystemIni.English) {
        SetDlgItemTextA(m_hWnd, kDrawModeGroup, "Drawing mode");
        SetDlgItemTextA(m_hWnd, kStart, "Start");
        SetDlgItemTextA(m_hWnd, kCancel, "Cancel");
        if (auto* c = FindControl(m_Statics, kDetails))
            SetDlgItemTextA(m_hWnd, c->m_nId, "Configure the detail settings at \"System.ini\".");
        if (auto* c = FindCheckControl(m_Checks, kNoAsk))
            SetDlgItemTextA(m_hWnd, c->m_nId, "Do not ask this dialog again");
    }
    m_bInitialised = 1;
}

void cStartupDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    RouteCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
        case kStart:
            PullAll();
            m_Boot.SaveFile(PathTable[kPathBoot]);
            End(1);
            break;
        case kCancel: End(0); break;
        default: break;
    }
}

int RunStartupDialog() {
    RegisterPlayerDialogs();
    InstallDialogPainter();
    cStartupDialog dialog(BootData);
    return static_cast<int>(dialog.DoModal(0));
}

bool ChooseDrawingMode() {
    if (SystemIni.Direct3D < 2) return true;
    BootData.LoadFile(PathTable[kPathBoot]);
    if (BootData.m_nNoAsk == 0 && RunStartupDialog() == 0) return false;
    SystemIni.Direct3D = BootData.m_nDrawMode == 1 ? 1 : 0;
    return true;
}
