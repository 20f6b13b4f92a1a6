#pragma once
// What the main window's calls need to reach dialog windows too.
#include <string>

#include "platform/win_types.h"

namespace platform::detail {

bool IsDialogWindow(HWND window);
// Queues the message on the dialog's thread; false for no dialog.
bool PostToDialog(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Runs the dialog's procedure when the caller is the dialog's thread; false
// (result untouched) for no dialog. Another thread gets true and result 0.
bool CallDialog(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
// An item's own messages (check state, selection, list rows); false for a
// window that is no item.
bool CallItem(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
bool DestroyDialog(HWND window);
bool DialogRect(HWND window, RECT& desktop);
bool MoveDialog(HWND window, int x, int y, int width, int height);
bool SetDialogText(HWND window, const std::string& text);
// Drops the style, visibility and properties kept for a destroyed window.
void ForgetWindow(HWND window);
// Marks a message box as the active window while it is shown.
HWND BeginMessageBoxWindow();
void EndMessageBoxWindow(HWND box);
// The main window while it exists, else 0.
HWND LiveMainWindow();
// True on the thread that owns the live main window.
bool OnMainWindowThread();
// Asks the main window's backend to maximise it; nothing for another window.
void MaximiseMainWindow(HWND window);
// Asks the main window's backend to minimise it; nothing for another window.
void MinimiseMainWindow(HWND window);

}  // namespace platform::detail
