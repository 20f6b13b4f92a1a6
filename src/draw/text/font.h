#pragma once
// Fonts: Shift-JIS text drawn on surfaces in either path, laid out with a
// fixed pitch per character (or proportionally when the pitch is 0). A
// fixed-pitch font may keep two glyph atlases, one for single-byte codes
// and one for two-byte characters, so that a cached character is one blit.
// The letters a to z of a font with a symbol picture stand for its cells.
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "draw/device/surface.h"
#include "draw/device/surface_table.h"
#include "draw/text/glyph_set.h"
#include "foundation/report.h"
#include "platform/win_types.h"

// The description a font is made from.
struct FONTTABLEENTRY {
    char face[256];
    int nWidth;
    int nHeight;
    int nPitch;
    int nLinePitch;
    int nColor;
    int nWindow;  // indices into SurfaceArray
    int nFrame;
    int nFrameColor;
    int nSymbol;
    // 0 no atlases; 2 takes the font-cache setting of the running path
    // (start-up replaces it before the fonts are made).
    int nCacheMode;
};

constexpr int kDefaultFontCount = 3;
extern FONTTABLEENTRY FontTable[kDefaultFontCount];

// One glyph of an atlas: its bytes, its index and its cell.
struct FASTFONTGLYPH {
    char code[3];
    int nIndex;
    int x;
    int y;
};

// A glyph atlas: a keyed surface of columns x rows cells of one pitch by
// one line pitch.
class cFastFont {
public:
    static constexpr int kHalfWidth = 0;
    static constexpr int kFullWidth = 1;

    cFastFont(int kind, int cellWidth, int cellHeight, int columns, int rows);
    ~cFastFont();
    cFastFont(const cFastFont&) = delete;
    cFastFont& operator=(const cFastFont&) = delete;

    bool Created() const { return created_; }
    // The glyph of a character, or null when the atlas does not hold it.
    const FASTFONTGLYPH* Find(SJISCODE code) const;
    // Appends a character while there is room; null when the atlas is full.
    const FASTFONTGLYPH* Add(SJISCODE code);

    int m_nKind;
    int m_nCellWidth;
    int m_nCellHeight;
    int m_nColumns;
    int m_nRows;
    int m_nCapacity;
    DDSURFACEDATA m_Surface;
    std::vector<FASTFONTGLYPH> m_vGlyphs;
    int m_nCount = 0;

private:
    bool created_ = false;
    std::unordered_map<SJISCODE, int> index_;
};

class Font {
public:
    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    int Create(const char* face, int width, int height, int pitch, int linePitch, int color, DDSURFACEDATA* window,
               int frame, int frameColor, DDSURFACEDATA* symbol, int cacheMode);
    void Release();

    // Draws the text with its top-left at (x, y); a non-zero noSymbols
    // draws the letters a to z as letters for this call.
    int DrawText(DDSURFACEDATA* dst, int x, int y, const char* text, int noSymbols = 0);
    int DrawTextF(DDSURFACEDATA* dst, int x, int y, const char* format, ...) PLAYER_PRINTF(5, 6);
    // The font's window picture with its frame; x or y 10000 centres the box
    // on the picture.
    int DrawWindow(DDSURFACEDATA* dst, int x, int y, int width, int height);
    // A framed text window; a zero width or height is measured.
    int DrawTextFrame(DDSURFACEDATA* dst, int x, int y, int width, int height, const char* text, int margin);
    int DrawTextBoxF(DDSURFACEDATA* dst, int x, int y, int width, int height, const char* format, ...)
        PLAYER_PRINTF(7, 8);
    // Rebuilds atlases whose surfaces were lost.
    void Restore();

    // Width of the widest line and the height of a text as this font lays
    // it out.
    std::pair<int, int> Measure(const char* text);
    bool IsFixedPitch() const { return m_nPitch != 0; }
    // Changes the colour number the text is drawn in.
    void SetColor(int color);

    // Where a character drawn directly in the cell (left, top) puts its
    // pen: the layout of single-byte, two-byte, centred and shifted
    // glyphs.
    std::pair<int, int> GlyphPen(SJISCODE code, int left, int top);

    int m_nFontId = 0;
    std::string m_strFace;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nPitch = 0;
    int m_nLinePitch = 0;
    int m_nColor = 0;
    DWORD m_dwTextColor = 0;  // device path: ARGB; DirectDraw: the display pixel
    int m_bCenter = 0;
    DDSURFACEDATA Work;
    DDSURFACEDATA* m_lpWindow = nullptr;
    int m_nFrame = 0;
    int m_nFrameColor = 0;
    DDSURFACEDATA* m_lpSymbol = nullptr;
    int m_bSymbol = 0;
    int m_nCacheMode = 0;
    std::unique_ptr<cFastFont> m_lpFastFont_Half;
    std::unique_ptr<cFastFont> m_lpFastFont;

private:
    struct Target;
    void DrawTextWith(DDSURFACEDATA* dst, int x, int y, const char* text, bool symbols, bool atlases);
    void RenderText(const Target& t, const char* text, bool symbols, bool atlases);
    void DrawGlyph(DDSURFACEDATA* sd, int left, int top, SJISCODE code);
    void PutGlyph(DDSURFACEDATA* sd, int x, int y, const platform::Glyph& g);
    void DrawFullWidth(const Target& t, int col, int line, SJISCODE code);
    void RenderProportional(const Target& t, const char* text);
    void DrawSymbols(DDSURFACEDATA* sd, int x, int y, const char* text);
    bool CreateAtlases();
    void BuildHalfAtlas();
    void BuildFullAtlas(bool rebuild);
    void ComputeTextColor();
    bool MonochromeGlyphs() const;

    cGlyphSet glyphs_;
};

// The three default fonts; every font made, in creation order.
extern Font Fonts[kDefaultFontCount];
extern std::list<Font*>& FontList;

// Digit strips of the default fonts: "0123456789", one pitch per digit.
extern DDSURFACEDATA DigitSurfaces[kDefaultFontCount];
extern SURFACETABLEENTRY DigitSurfaceTable[kDefaultFontCount];

int CreateFonts(Font* fonts, FONTTABLEENTRY* entries, int count);
int CreateDigitFonts(DDSURFACEDATA* digits, SURFACETABLEENTRY* entries, int count, Font* fonts,
                     FONTTABLEENTRY* fontEntries);
void DrawDigitStrip(DDSURFACEDATA* digits, Font* font);
// Font::Restore on every font, then the digit strips whose content the
// device lost are drawn again.
void RestoreFonts();
// Makes every font surface of video memory lost (the "lose device" hook of
// the DirectDraw path).
void LoseFontSurfaces();

// The widest line (characters x pitch) and lines x line pitch of a text.
void MeasureTextLines(const Font& font, std::pair<int, int>& size, const char* text);
