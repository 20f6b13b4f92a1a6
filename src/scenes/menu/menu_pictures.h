#pragma once
// The entries of the built-in surface table that the menu scenes draw from.
enum MenuPicture : int {
    kPicWindow = 46,
    kPicTitle = 48,
    kPicGameMode = 49,
    kPicAccessory = 50,
    kPicWorldMapChip = 53,
    kPicWorldEvent = 54,
    kPicWorldBack = 55,
    kPicScreenWork = 68,
};

// Cursor pictures of Accessory.bmp: the 32-pixel hand, and the 16-pixel
// arrow and its dimmed copy.
constexpr int kBigCursorX = 0, kBigCursorY = 0, kBigCursorSize = 32;
constexpr int kSmallCursorX = 64, kSmallCursorY = 0, kSmallCursorSize = 16;
constexpr int kDimCursorX = 80;
