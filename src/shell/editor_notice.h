#pragma once
// The two notices that tell the kit's editor that a test play has started
// and ended.

// dwData 1, the int 1, the main window's handle.
void NotifyEditorStarted();
// dwData 0, the int value (0 start-up failed, 1 window destroyed), the main
// window's handle (0 once it is destroyed).
void NotifyEditor(int value);
