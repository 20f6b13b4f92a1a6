#include "shell/dialogs/name_entry_dialog.h"

#include "gamedata/global_data.h"
#include "shell/app_state.h"
#include "shell/dialogs/dialog_painter.h"
#include "shell/dialogs/resources.h"
#include "shell/loop/game.h"
#include "shell/main_window.h"
#include "shell/window_registry.h"

namespace {

constexpr int kNameField = 1003;
constexpr int kOk = 1000;
constexpr int kClose = 1001;
constexpr int kLabel = 1007;
constexpr int kPlayTypeOptions = 5;
constexpr int kNameLength = 3;

}  // namespace

cNameEntryDialog::cNameEntryDialog(std::string* name) {
    cDialogClass<cNameEntryDialog>::Bind(this);
    Init(kResourceNameEntry, &MainWindow, &WindowRegistry);
    SetLayout(0, 0, 100, 100, 640, 480, 0);
    int x = 0;
    int y = 0;
    if (ScreenWindowed == 1) MainWindow.GetWindowPos(x, y);
    m_nPosX = x + 240;
    m_nPosY = y + 220;
    platform::SetCursorPosition(m_nPosX + 80, m_nPosY + 65);
    if (name) {
        m_Descs.push_back(OneLineDesc(kNameField, name, kNameLength, 1));
        m_Fields.emplace_back();
    }
}

cNameEntryDialog::~cNameEntryDialog() { cDialogClass<cNameEntryDialog>::Unbind(this); }

void cNameEntryDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    cDialog::OnInitDialog(wParam, lParam);
    auto desc = m_Descs.begin();
    for (auto& field : m_Fields) {
        field.Init(this, *desc++);
        AddControl(&field);
    }
    PushAll();
    if (!m_Fields.empty()) {
        SetFocus(m_Fields.front().m_hWnd);
        SendMessageA(m_Fields.front().m_hWnd, EM_SETSEL, 0, 0x7FFFFFFF);
    }
    if (SystemIni.English) SetDlgItemTextA(m_hWnd, kLabel, "     Name");
    m_bInitialised = 1;
}

void cNameEntryDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    RouteCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
        case kOk:
            PullAll();
            End(1);
            break;
        case kClose: End(0); break;
        default: break;
    }
}

std::string* NameEntryTarget() {
    if (Game.PlayType == kPlayTypeOptions) return &OptionData.m_strRankingName;
    return CurStageScene ? CurStageScene->RegistrationName() : nullptr;
}

int RunNameEntryDialog() {
    RegisterPlayerDialogs();
    InstallDialogPainter();
    cNameEntryDialog dialog(NameEntryTarget());
    return static_cast<int>(dialog.DoModal(0));
}
