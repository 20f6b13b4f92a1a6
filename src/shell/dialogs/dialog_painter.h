#pragma once
// Draws the open dialogs inside the game window: the frame that was shown
// when the first of them opened, dimmed, and over it each dialog with its
// frame, caption and items, presented as the window's frame.
#include "draw/device/surface.h"
#include "platform/dialog_window.h"

// Installs the painter into the dialog windows.
void InstallDialogPainter();

// Composes the screen of the open dialogs into a 640 x 480 X8R8G8B8 buffer.
void ComposeDialogScreen(DDPIXELS& px, const platform::Frame& backdrop,
                         const std::vector<platform::DialogView>& dialogs);
