#include "shell/startup/editor_notice.h"

#include <cstdint>

#include "platform/editor_link.h"
#include "shell/main_window.h"

std::string EditorClassName = "Tovrasen_Editor";
std::string EditorTitle = "Tovrasen";

namespace {
void Send(DWORD dwData, int value) {
    auto id = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(MainWindow.m_hWnd));
    platform::SendEditorNotice(EditorClassName, EditorTitle, dwData, value, id);
}
}  // namespace

void NotifyEditorStarted() { Send(1, 1); }

void NotifyEditor(int value) { Send(0, value); }
