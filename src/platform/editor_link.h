#pragma once
// Notices to the kit's editor during a test play: a datagram on an abstract
// Unix socket named after the editor's window class and title.
#include <cstdint>
#include <string>

#include "platform/win_types.h"

namespace platform {

// Contract: the socket name for an editor class and title (Shift-JIS):
// "\0" + class + "/" + title in UTF-8.
std::string EditorSocketName(const std::string& editorClass, const std::string& editorTitle);

// Contract: sends one 16-byte datagram {dwData (u32), value (i32), window id
// (u64)}, little-endian, to the editor's socket. Nobody listening: nothing
// happens. true when it was delivered.
bool SendEditorNotice(const std::string& editorClass, const std::string& editorTitle, DWORD dwData, int value,
                      std::uint64_t windowId);

}  // namespace platform
