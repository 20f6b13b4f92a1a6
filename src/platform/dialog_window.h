#pragma once
// Dialog windows. There is one host window; a dialog is a window of its own
// only for the game code: it lives inside the main window's client area, its
// messages go through the window thread's queue, and it runs in a modal loop
// on that thread. Its items are ids with a text, taken from the dialog's
// template.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialog_items.h"
#include "platform/present.h"
#include "platform/threads.h"
#include "platform/win_types.h"

using DLGPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using HOOKPROC = LRESULT (*)(int code, WPARAM key, LPARAM keyData);
struct HHOOK__;
using HHOOK = HHOOK__*;
using HINSTANCE = void*;

constexpr int WH_KEYBOARD = 2;
constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;
constexpr int GWL_STYLE = -16;

// Messages of the dialog items (SendMessageA to an item's window).
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr int BST_UNCHECKED = 0;

// Scroll bar items: which parts of SCROLLINFO a call reads or writes.
constexpr int SB_CTL = 2;
constexpr UINT SIF_RANGE = 0x1;
constexpr UINT SIF_PAGE = 0x2;
constexpr UINT SIF_POS = 0x4;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS;
struct SCROLLINFO {
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
};
constexpr int BST_CHECKED = 1;

namespace platform {

struct DialogItemTemplate {
    int id = 0;
    std::string text;  // Shift-JIS
    DialogItemKind kind = DialogItemKind::Static;
    RECT rect;  // in the dialog's client area, pixels of the game's frame
    bool tabStop = false;
};

// What a dialog resource gives the dialog: its client size, title and items.
struct DialogTemplate {
    int width = 0;
    int height = 0;
    std::string title;
    DWORD style = 0;
    std::vector<DialogItemTemplate> items;
};

// Contract: makes the template the one DialogBoxParamA builds resource id
// from (a later call replaces it).
void RegisterDialogTemplate(int resourceId, const DialogTemplate& dialog);

// Contract: forgets every registered template (tests).
void ClearDialogTemplates();

// Contract: offers a key message (WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN,
// WM_SYSKEYUP) to the calling thread's keyboard hooks as HC_ACTION with the
// virtual key and the key data (for a release bits 30 and 31 are set, as
// the host reports a key going up). True when a hook swallowed it (returned
// non-zero). Every modal loop of the window thread calls it for the key
// messages it takes; false for other messages or without hooks.
bool FilterKeyMessage(const MSG& msg);

// Contract: sets the cursor's desktop position in the mouse snapshot
// (backends, tests). Buttons are keys VK_LBUTTON / VK_RBUTTON of the
// keyboard snapshot.
void SetCursorPosition(int x, int y);

// Contract: replaces one system metric until ResetSystemMetrics (tests, a
// backend whose frames differ).
void OverrideSystemMetric(int index, int value);
void ResetSystemMetrics();

// Contract: number of dialog windows that exist (tests).
int DialogWindowCount();

// What a painter sees of one open dialog and its items.
struct DialogItemView {
    int id = 0;
    RECT rect;
    bool focused = false;
    DialogItemState state;
};
struct DialogView {
    POINT origin;  // the client area's corner in the game's 640 x 480 frame
    int width = 0;
    int height = 0;
    std::string title;
    DWORD style = 0;
    bool visible = true;
    std::vector<DialogItemView> items;
};

// Contract: the open dialogs, the outermost first.
std::vector<DialogView> OpenDialogViews();

// Contract: the frame that was on the screen when the outermost open dialog
// opened (empty when none had been presented).
Frame DialogBackdrop();

// Contract: installs the function that draws and presents the open dialogs
// (none: dialogs are not drawn). The modal loop of the window thread calls
// it after a change and at least every 16 ms, so time also passes in
// presented frames while a dialog is open.
void SetDialogPainter(std::function<void()> painter);

// Contract: with unattended on (a run nobody watches), a modal dialog that
// waits for input while no scripted input is left (headless_input.h) takes
// its default button (the default push button, or IDOK without one) as if
// Return had pressed it, and says so in the host log and on stderr; it never
// waits for ever. Off (the default): dialogs wait for their answer.
void SetUnattendedDialogs(bool on);

}  // namespace platform

// Contract: builds a dialog from the template of resourceId, owned by owner,
// centred on the owner's client area (on the desktop work area without an
// owner), on the calling thread. The procedure gets WM_INITDIALOG (wParam 0,
// lParam param) and then every message of the dialog. The owner is disabled
// while the dialog runs. A modal loop pumps the thread's queue: key messages
// pass the keyboard hooks; input for other windows is not delivered (an
// unswallowed Escape key becomes WM_COMMAND IDCANCEL for the dialog, as the
// host's dialog manager does); everything else is
// dispatched. Keys that reach the dialog manager and typed characters
// (WM_CHAR: one byte or a Shift-JIS lead << 8 | trail) work the focused
// item: Tab and Shift+Tab move the focus between items with a tab stop,
// Space or Return presses a focused button (Return otherwise the default
// button, or IDOK without one), a letter presses the button whose text
// holds it in parentheses ("(Y)", its access key) unless an edit or list box
// has the focus, Space toggles a check box and checks a radio
// button (its neighbours in the run of radio buttons are unchecked), arrows
// move between radio buttons of a run, and edit and list boxes take the keys
// of dialog_items.h. A left click (WM_LBUTTONDOWN, client point of the main
// window) focuses and presses the item under it; a double click on a list
// row also notifies LBN_DBLCLK. The dialog learns of each through
// WM_COMMAND (notification << 16 | id, the item's window), sent at once. The
// first item with a tab stop has the focus when the dialog opens unless
// WM_INITDIALOG set one. The loop ends at EndDialog, when the owner is destroyed (result
// 0), or at WM_QUIT (posted again for the outer loop, result 0). The dialog
// then gets WM_DESTROY and is gone. Returns the value given to EndDialog; -1
// when no template is registered for resourceId.
LRESULT DialogBoxParamA(HINSTANCE instance, int resourceId, HWND owner, DLGPROC proc, LPARAM param);

// Contract: ends the modal loop of dialog with result after the message
// being handled. FALSE for a window that is not a dialog.
BOOL EndDialog(HWND dialog, LRESULT result);

// Contract: the item window of a dialog, 0 when the dialog has no such id.
HWND GetDlgItem(HWND dialog, int id);

// Contract: adds an item of the kind to a live dialog at rect (its client
// area's pixels), without a tab stop and with an empty text. 0 for a window
// that is no dialog or an id the dialog has already.
HWND CreateDialogItem(HWND dialog, int id, platform::DialogItemKind kind, const RECT& rect);

// Contract: sets the parts of info that fMask names on a scroll bar item
// (bar SB_CTL, the item itself). The page is kept within 0 and the range's
// size, the position within nMin and nMax - page + 1 (nMin when the page
// covers the range). Returns the position; 0 for a window that is no scroll
// bar item or another bar. redraw only marks the dialog for painting.
int SetScrollInfo(HWND item, int bar, const SCROLLINFO* info, BOOL redraw);

// Contract: fills the parts of info that fMask names from a scroll bar item
// (bar SB_CTL). FALSE for a window that is no scroll bar item, another bar or
// a null info.
BOOL GetScrollInfo(HWND item, int bar, SCROLLINFO* info);

// Contract: the picture a view item shows from its top-left corner (rows of
// 0x00RRGGBB, pitch pixels apart; a picture larger than the item is cut by
// the painter). A null pixels or a side of 0 or below clears it. FALSE for a
// window that is no view item.
BOOL SetDialogItemPicture(HWND item, const std::uint32_t* pixels, int width, int height, int pitch);

// Contract: the id of an item window, 0 for anything else.
int GetDlgCtrlID(HWND item);

// Contract: gives the keyboard focus to a dialog item; returns the item
// that had it in that dialog (0 for none or for a window that is no item).
HWND SetFocus(HWND item);

// Contract: the focused item of the active dialog, 0 when none.
HWND GetFocus();

// Contract: copies the item's text into buffer, at most maxCount - 1 bytes
// and a terminating zero; returns the bytes copied (0 for a missing item,
// a null buffer or maxCount <= 0).
int GetDlgItemTextA(HWND dialog, int id, char* buffer, int maxCount);

// Contract: replaces the item's text. FALSE for a missing item.
BOOL SetDlgItemTextA(HWND dialog, int id, const std::string& text);

// Contract: window properties of any live window (main window, dialog, item);
// SetPropA FALSE for an unknown window; GetPropA / RemovePropA 0 when unset.
BOOL SetPropA(HWND window, const std::string& name, void* value);
void* GetPropA(HWND window, const std::string& name);
void* RemovePropA(HWND window, const std::string& name);

// Contract: GWL_STYLE of any live window: Set returns the previous style,
// both 0 for an unknown window or another index.
DWORD GetWindowLongA(HWND window, int index);
DWORD SetWindowLongA(HWND window, int index, DWORD value);

// Contract: hides (SW_HIDE) or shows a window; returns whether it was
// visible. Windows start visible. SW_SHOWMAXIMIZED also maximises the main
// window, SW_SHOWMINNOACTIVE minimises it (to the task bar, the focus going
// nowhere new).
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);

// Contract: the window that takes key input on the window thread: the
// innermost running dialog or message box, else the main window.
HWND GetActiveWindow();

// Contract: installs a keyboard hook (WH_KEYBOARD only) for thread threadId;
// the module is not used. 0 for another kind.
HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HINSTANCE module, DWORD threadId);

// Contract: removes the hook; FALSE for an unknown one.
BOOL UnhookWindowsHookEx(HHOOK hook);

// Contract: passes the key on to the next hook of the thread (there is never
// one after the framework's own); returns 0, the key goes on.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM key, LPARAM keyData);

// Contract: the cursor's desktop position from the mouse snapshot ((0, 0)
// until a backend or test sets one). FALSE only for a null point.
BOOL GetCursorPos(POINT* point);

// Contract: turns a desktop point into the window's client coordinates.
// FALSE for an unknown window.
BOOL ScreenToClient(HWND window, POINT* point);

// System metrics of the player's windows. The window manager draws the
// main window's caption and frame outside its rectangle, dialogs are drawn
// without either and there is no menu bar, so those are 0; own scroll bars
// are 16 pixels wide.
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;

// Contract: the metric from the table above (or its override); 0 for an
// index that is not in it.
int GetSystemMetrics(int index);
