#pragma once
// What the host's controls do on their own with a key, a typed character or
// a click: an edit box edits its text and moves its caret, a list box moves
// its selection, a check box toggles. The dialog windows keep one of these
// per item and tell the dialog what happened through the returned
// notification.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

// Notification codes a dialog gets in the high word of WM_COMMAND.
constexpr int BN_CLICKED = 0;
constexpr int LBN_SELCHANGE = 1;
constexpr int LBN_DBLCLK = 2;
constexpr int EN_UPDATE = 0x400;

namespace platform {

enum class DialogItemKind { Static, Picture, Button, DefaultButton, GroupBox, Radio, Check, Edit, List, Scroll, View };

struct DialogItemState {
    DialogItemKind kind = DialogItemKind::Static;
    std::string text;  // Shift-JIS
    int check = 0;
    // Edit: the selection in bytes, start <= end; the caret is at the end.
    int selStart = 0;
    int selEnd = 0;
    // List: the rows, the selected row (-1 none) and the first row shown.
    std::vector<std::string> rows;
    int current = -1;
    int top = 0;
    // Scroll bar: the range, the page and the thumb's position.
    int scrollMin = 0;
    int scrollMax = 0;
    int scrollPage = 0;
    int scrollPos = 0;
    // View: the picture it shows (0x00RRGGBB rows), none while empty.
    std::vector<std::uint32_t> picture;
    int pictureWidth = 0;
    int pictureHeight = 0;
};

// Height of a list box row and the inner margin of an edit or list box, in
// frame pixels; the painter draws rows at these places.
constexpr int kListRowHeight = 14;
constexpr int kBoxMargin = 2;

// What an item's own handling asks the dialog to be told (a WM_COMMAND
// notification code), or nothing.
constexpr int kNoNotification = -1;

// Contract: a key press on a focused edit box (arrows, Home, End, Backspace,
// Delete) or list box (arrows, page keys, Home, End; pageRows rows a page).
// Never splits a Shift-JIS character. Returns EN_UPDATE after a text change,
// LBN_SELCHANGE after a selection change, else kNoNotification.
int ItemKey(DialogItemState& item, int vk, int pageRows);

// Contract: a typed character on a focused edit box: ch is one byte, or a
// Shift-JIS lead byte << 8 | trail byte; control characters are ignored. It
// replaces the selection. Returns EN_UPDATE or kNoNotification.
int ItemChar(DialogItemState& item, WPARAM ch);

// Contract: the byte length of the character at pos (2 for a Shift-JIS
// lead/trail pair, 1 otherwise, 0 at the end).
int CharLengthAt(const std::string& text, int pos);

}  // namespace platform
