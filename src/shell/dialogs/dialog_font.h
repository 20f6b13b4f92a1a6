#pragma once
// The text of the dialogs: the dialogs' face at 12 pixels, drawn with the
// game fonts' glyph sets onto a true-colour frame.
#include <cstdint>
#include <string>

#include "draw/text/glyph_set.h"

class cDialogFont {
public:
    // False when the host has no font for the face; texts are then left out.
    bool Open();
    int Height() const { return kHeight; }
    // Width in pixels of a one-line text.
    int Width(const std::string& sjis);
    // Draws a one-line text with the top of its cells at y, no further right
    // than right; returns the pen's x after the last character drawn.
    int Draw(DDPIXELS& px, int x, int y, int right, const std::string& sjis, std::uint32_t rgb);

    static constexpr int kHeight = 12;

private:
    cGlyphSet m_Glyphs;
};

// The byte length of the character at at (a Shift-JIS pair is 2).
int SjisCharLength(const std::string& text, std::size_t at);
