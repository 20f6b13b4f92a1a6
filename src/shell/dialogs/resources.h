#pragma once
// The dialog resources of the player, laid out in dialog units of the
// dialogs' font ("ＭＳ Ｐゴシック" 9 point: 6 x 12 pixels a base unit, so a
// unit is 1.5 pixels either way), and their registration as templates.
#include <vector>

#include "platform/dialog_window.h"

constexpr int kResourceNameEntry = 102;
constexpr int kResourceStartup = 103;
constexpr int kResourceFileDialog = 104;

// Items of the player's own file dialog.
constexpr int kFileFolderItem = 1100;
constexpr int kFileListItem = 1101;
constexpr int kFileNameLabel = 1102;
constexpr int kFileNameItem = 1103;
constexpr int kFileFilterItem = 1104;

struct cDialogResourceItem {
    int id;
    platform::DialogItemKind kind;
    const char* text;
    int x, y, w, h;  // dialog units
    bool tabStop;
};

struct cDialogResource {
    int id;
    int width, height;  // dialog units
    const char* title;
    DWORD style;
    std::vector<cDialogResourceItem> items;
};

constexpr DWORD kDialogCaption = 0x00C00000u;

int DialogUnitsToPixels(int units);

// Registers the template every dialog of the player is built from.
void RegisterDialogResource(const cDialogResource& resource);
void RegisterPlayerDialogs();
