#include "shell/dialogs/file_dialog.h"

#include "foundation/strings.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "shell/app_state.h"
#include "shell/dialogs/dialog_painter.h"
#include "shell/dialogs/resources.h"
#include "shell/main_window.h"
#include "shell/window_registry.h"

namespace {

// The stage dialog lists replays beside the stages; the stage loader refuses
// a replay picked there. The open kinds add no extension to a typed name:
// their patterns are wildcards, which no file name ends in.
const cFileDialogKind kKinds[] = {
    {"ステージファイルの読み込み", "load stage file", "data\\stg4", "StageFile ( *.stg4_*;*.rpl4_* )",
     "*.stg4_*;*.rpl4_*", "", false},
    {"リプレイファイルの読み込み", "load replay file", "user_data\\rpl4", "ReplayFile ( *.rpl4_* )", "*.rpl4_*", "",
     false},
    {"リプレイファイルの保存", "save replay file", "user_data\\rpl4", "ReplayFile ( *.rpl4_920 )", "*.rpl4_920",
     "rpl4_920", true},
};

// The longest path the game's buffers take, the terminating zero included.
constexpr int kPathBuffer = 260;

}  // namespace

const cFileDialogKind* FileDialogKind(int kind) {
    if (kind < 0 || kind >= static_cast<int>(std::size(kKinds))) return nullptr;
    return &kKinds[kind];
}

cFileDialog::cFileDialog(std::string& result, int kind) : m_strResult(result), m_pKind(FileDialogKind(kind)) {
    cDialogClass<cFileDialog>::Bind(this);
    Init(kResourceFileDialog, &MainWindow, &WindowRegistry);
    SetLayout(0, 0, 100, 100, 640, 480, 0);
    m_Edits.emplace_back();
}

cFileDialog::~cFileDialog() { cDialogClass<cFileDialog>::Unbind(this); }

void cFileDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    cDialog::OnInitDialog(wParam, lParam);
    PushAll();
    if (!m_pKind) {
        End(0);
        return;
    }
    int english = SystemIni.English;
    SetText(english ? m_pKind->englishTitle : m_pKind->title);
    SetDlgItemTextA(m_hWnd, kFileNameLabel, english ? "File name" : "ファイル名");
    SetDlgItemTextA(m_hWnd, IDOK, m_pKind->save ? (english ? "Save" : "保存") : (english ? "Open" : "開く"));
    SetDlgItemTextA(m_hWnd, IDCANCEL, english ? "Cancel" : "キャンセル");
    SetDlgItemTextA(m_hWnd, kFileFilterItem, m_pKind->description);
    m_strName = m_pKind->save ? m_strResult : std::string();
    cEditControl& name = m_Edits.front();
    name.Init(this, cControlDesc(kFileNameItem, &m_strName, kPathBuffer, 0, 1, 0));
    AddControl(&name);
    std::string start = JoinInternalPath(platform::GetCurrentDirectoryInternal(), m_pKind->folder);
    ShowFolder(platform::IsDirectory(start) ? start : platform::GetCurrentDirectoryInternal());
    SetFocus(GetDlgItem(m_hWnd, m_pKind->save ? kFileNameItem : kFileListItem));
    m_bInitialised = 1;
}

void cFileDialog::ShowFolder(const std::string& folder) {
    m_strFolder = folder;
    m_Entries = ListFolder(folder, m_pKind->patterns);
    SetDlgItemTextA(m_hWnd, kFileFolderItem, folder);
    HWND list = GetDlgItem(m_hWnd, kFileListItem);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const auto& e : m_Entries) {
        std::string row = e.folder ? "[" + e.name + "]" : e.name;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    }
    if (!m_Entries.empty()) SendMessageA(list, LB_SETCURSEL, 0, 0);
}

void cFileDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    RouteCommand(wParam, lParam);
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (id == kFileListItem) {
        auto row = static_cast<std::size_t>(SendMessageA(GetDlgItem(m_hWnd, kFileListItem), LB_GETCURSEL, 0, 0));
        if (row >= m_Entries.size()) return;
        if (code == LBN_SELCHANGE && !m_Entries[row].folder)
            SetDlgItemTextA(m_hWnd, kFileNameItem, m_Entries[row].name);
        if (code == LBN_DBLCLK) Take(m_Entries[row].name);
        return;
    }
    if (id == IDOK) Choose();
    if (id == IDCANCEL) Cancel();
}

void cFileDialog::Choose() {
    HWND list = GetDlgItem(m_hWnd, kFileListItem);
    auto row = static_cast<std::size_t>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (GetFocus() == list && row < m_Entries.size() && m_Entries[row].folder) {
        Take(m_Entries[row].name);
        return;
    }
    PullAll();
    if (!m_strName.empty()) Take(m_strName);
}

void cFileDialog::Take(const std::string& name) {
    std::string path = JoinInternalPath(m_strFolder, name);
    if (platform::IsDirectory(path)) {
        ShowFolder(path);
        m_Edits.front().SetText("");
        return;
    }
    if (!m_pKind->extension.empty() && LeafName(path).find('.') == std::string::npos) path += "." + m_pKind->extension;
    if (static_cast<int>(path.size()) >= kPathBuffer) return;
    int english = SystemIni.English;
    const char* caption = english ? m_pKind->englishTitle : m_pKind->title;
    // A name in a folder that is not there could never be saved.
    if (!platform::IsDirectory(JoinInternalPath(path, ".."))) {
        MessageBoxA(m_hWnd,
                    StrPrintf(english ? "%s\nFolder not found." : "%s\nフォルダが見つかりません。", path.c_str()),
                    caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    bool exists = platform::FileExists(path);
    if (!m_pKind->save && !exists) {
        MessageBoxA(m_hWnd, StrPrintf(english ? "%s\nFile not found." : "%s\nファイルが見つかりません。", path.c_str()),
                    caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_pKind->save && exists) {
        std::string question = StrPrintf(
            english ? "%s already exists.\nDo you want to replace it?" : "%s は既に存在します。\n上書きしますか？",
            path.c_str());
        if (MessageBoxA(m_hWnd, question, caption, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    }
    m_strResult = path;
    End(1);
}

void cFileDialog::Cancel() {
    if (!m_pKind->save) m_strResult.clear();
    End(0);
}

int RunFileDialog(int kind, std::string& path) {
    RegisterPlayerDialogs();
    InstallDialogPainter();
    cFileDialog dialog(path, kind);
    int chosen = static_cast<int>(dialog.DoModal(0));
    if (chosen != 1 && kind != kFileSaveReplay) path.clear();
    return chosen == 1 ? 1 : 0;
}
