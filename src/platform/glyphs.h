#pragma once
// The glyph rasteriser: host font files (found through fontconfig, drawn
// with FreeType) in place of the fonts the games name. Game code speaks
// Shift-JIS and face names as the games store them; the conversion to
// Unicode happens here, at the glyph lookup.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One rendered character, placed relative to the pen: the pen stands at the
// left edge of the character cell, at its top.
struct Glyph {
    int left = 0;   // column of the first bitmap column, from the pen
    int top = 0;    // row of the first bitmap row, from the top of the cell
    int width = 0;  // bitmap size in pixels
    int height = 0;
    int advance = 0;  // pixels the pen moves to the next character
    // width x height coverage values, row by row: 0 (empty) to 255 (full).
    // Monochrome glyphs hold only 0 and 255.
    std::vector<std::uint8_t> coverage;
};

enum class GlyphMode {
    kMonochrome,  // every pixel fully in or out: drawn in one exact colour
    kCoverage,    // anti-aliased coverage, for drawing as alpha
};

// Contract: the host family that stands for a face name given in Shift-JIS:
// "ＭＳ ゴシック" (and "ＭＳ 明朝"-style Mincho names) to the IPA monospaced
// faces, "ＭＳ Ｐゴシック" and "MS UI Gothic" (and P-Mincho names) to the
// proportional ones; an empty result for every other name, which takes the
// fontconfig match for Japanese text.
std::string HostFontFamily(std::string_view faceSjis);

class GlyphFace {
public:
    // Contract: opens the host face standing for faceSjis (HostFontFamily)
    // sized so that its ascent plus descent is cellHeight pixels; width 0
    // keeps the face's proportions, another width makes half-width
    // characters about width pixels wide. Null when no font file is found
    // or FreeType refuses it, or the sizes are out of 1..1000.
    static std::unique_ptr<GlyphFace> Open(std::string_view faceSjis, int width, int cellHeight);
    ~GlyphFace();
    GlyphFace(const GlyphFace&) = delete;
    GlyphFace& operator=(const GlyphFace&) = delete;

    // Contract: renders one Shift-JIS character (one byte, or a lead and a
    // trail byte), decoded as code page 932. Control codes, bytes that do
    // not decode and characters the face lacks give an empty glyph that
    // still advances. Safe from any thread (one face renders at a time).
    Glyph Render(std::string_view sjisChar, GlyphMode mode);

    int CellHeight() const;
    // Pixels from the top of the cell to the baseline.
    int Ascent() const;
    // The font file the face was opened from.
    const std::string& File() const;

    struct Impl;

private:
    explicit GlyphFace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
