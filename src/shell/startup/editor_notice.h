#pragma once
// The two notices that tell the kit's editor that a test play has started
// and ended.
#include <string>

// dwData 1, the int 1, the main window's handle.
void NotifyEditorStarted();
// dwData 0, the int value (0 start-up failed, 1 window destroyed), the main
// window's handle (0 once it is destroyed).
void NotifyEditor(int value);

// The editor's window class and title that the notices are addressed to
// ("Tovrasen_Editor", "Tovrasen"); tests that run side by side give each
// process an editor of its own.
extern std::string EditorClassName;
extern std::string EditorTitle;
