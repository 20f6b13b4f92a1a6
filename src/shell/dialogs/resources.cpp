#include "shell/dialogs/resources.h"

namespace {

using K = platform::DialogItemKind;

const cDialogResource kStartup{
    kResourceStartup,
    222,
    171,
    "",
    kDialogCaption,
    {
        {1075, K::Picture, "", 7, 7, 20, 21, false},
        {1000, K::DefaultButton, "ゲーム開始", 80, 105, 50, 25, true},
        {1001, K::Button, "ゲーム中止", 80, 140, 50, 18, true},
        {1006, K::GroupBox, "描画モード", 15, 15, 190, 55, false},
        {1002, K::Radio, "Direct3D", 20, 30, 42, 10, true},
        {1003, K::Radio, "DirectDraw", 80, 30, 45, 10, true},
        {1005, K::Static, "詳細な設定は環境設定ファイル「System.ini」で行って下さい。", 20, 50, 177, 12, false},
        {1004, K::Check, "次回からこのダイアログを表示しない", 50, 85, 120, 10, true},
    }};

const cDialogResource kNameEntry{kResourceNameEntry,
                                 110,
                                 65,
                                 "",
                                 0,
                                 {
                                     {1075, K::Picture, "", 7, 7, 20, 21, false},
                                     {1003, K::Edit, "", 75, 12, 24, 14, true},
                                     {1000, K::DefaultButton, "OK", 30, 35, 50, 18, true},
                                     {1007, K::Static, "登録名(3文字まで)", 15, 15, 56, 16, false},
                                 }};

// The file dialog is the player's own: the folder, its entries, the name
// and the filter, with the two buttons.
const cDialogResource kFile{kResourceFileDialog,
                            260,
                            196,
                            "ファイルの選択",
                            kDialogCaption,
                            {
                                {kFileFolderItem, K::Static, "", 7, 6, 246, 10, false},
                                {kFileListItem, K::List, "", 7, 18, 246, 120, true},
                                {kFileNameLabel, K::Static, "ファイル名", 7, 145, 40, 10, false},
                                {kFileNameItem, K::Edit, "", 50, 143, 203, 13, true},
                                {kFileFilterItem, K::Static, "", 7, 161, 246, 10, false},
                                {IDOK, K::DefaultButton, "OK", 140, 174, 55, 16, true},
                                {IDCANCEL, K::Button, "キャンセル", 200, 174, 53, 16, true},
                            }};

}  // namespace

int DialogUnitsToPixels(int units) { return units * 3 / 2; }

void RegisterDialogResource(const cDialogResource& resource) {
    platform::DialogTemplate t;
    t.width = DialogUnitsToPixels(resource.width);
    t.height = DialogUnitsToPixels(resource.height);
    t.title = resource.title;
    t.style = resource.style;
    for (const auto& item : resource.items) {
        int x = DialogUnitsToPixels(item.x);
        int y = DialogUnitsToPixels(item.y);
        RECT r{x, y, x + DialogUnitsToPixels(item.w), y + DialogUnitsToPixels(item.h)};
        t.items.push_back({item.id, item.text, item.kind, r, item.tabStop});
    }
    platform::RegisterDialogTemplate(resource.id, t);
}

void RegisterPlayerDialogs() {
    for (const cDialogResource* r : {&kStartup, &kNameEntry, &kFile}) RegisterDialogResource(*r);
}
