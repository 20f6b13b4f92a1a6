#pragma once
// The player's own file dialog: it lists a folder's subfolders and the
// files its filter lets through, moves between folders, takes a typed name
// and hands back the chosen file as an internal path. The save kind takes a
// new name and asks before overwriting a file that exists.
#include <deque>
#include <string>
#include <vector>

#include "shell/dialogs/controls.h"
#include "shell/dialogs/dialog.h"
#include "shell/dialogs/file_list.h"

constexpr int kFileOpenStage = 0;
constexpr int kFileOpenReplay = 1;
constexpr int kFileSaveReplay = 2;

// What each kind of the dialog offers.
struct cFileDialogKind {
    const char* title;
    const char* englishTitle;
    const char* folder;
    std::string description;
    std::string patterns;
    // Added to a typed name without an extension; empty: nothing added.
    std::string extension;
    bool save;
};

// The kind's settings; null for a kind the dialog does not know.
const cFileDialogKind* FileDialogKind(int kind);

class cFileDialog : public cDialog {
public:
    // result: the proposed name on entry (save kind), the chosen path after.
    cFileDialog(std::string& result, int kind);
    ~cFileDialog() override;
    void OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;

    const std::string& Folder() const { return m_strFolder; }

private:
    void ShowFolder(const std::string& folder);
    void Choose();
    // An entry of the list or a typed name: a folder opens, a file ends the
    // dialog (after the questions of its kind).
    void Take(const std::string& name);
    void Cancel();

    std::string& m_strResult;
    const cFileDialogKind* m_pKind;
    std::string m_strFolder;
    std::string m_strName;
    std::vector<cFolderEntry> m_Entries;
    std::deque<cEditControl> m_Edits;
};

// Runs the dialog of kind over the main window: 1 with the chosen path in
// path, 0 when cancelled (path then empty for the open kinds, the proposed
// name kept for the save kind).
int RunFileDialog(int kind, std::string& path);
