// Laying out and drawing text: fixed-pitch cells (from the atlases or glyph
// by glyph), proportional lines, the symbol pass, and measuring.
#include <algorithm>
#include <cstring>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/palette.h"
#include "draw/sprite_batch.h"
#include "draw/text/font.h"
#include "foundation/strings.h"

namespace {

bool PairAt(const unsigned char* p) { return p[0] && IsDbcsPair(p); }

// The brackets that the proportional gothic face draws too far left.
bool ShiftedBracket(SJISCODE code) {
    static const SJISCODE kBrackets[] = {
        SjisCode(reinterpret_cast<const unsigned char*>("（"), 2),
        SjisCode(reinterpret_cast<const unsigned char*>("）"), 2),
        SjisCode(reinterpret_cast<const unsigned char*>("｛"), 2),
        SjisCode(reinterpret_cast<const unsigned char*>("｝"), 2),
        '(',
        ')',
        '{',
        '}',
    };
    return std::find(std::begin(kBrackets), std::end(kBrackets), code) != std::end(kBrackets);
}

constexpr char kProportionalGothic[] = "ＭＳ Ｐゴシック";

// Walks a fixed-pitch text cell by cell: visit (character, column offset,
// line offset) for every character but the line feed, which starts the
// next line.
template <class Visit>
void WalkCells(const char* text, int pitch, int linePitch, Visit visit) {
    int col = 0, line = 0;
    for (auto p = reinterpret_cast<const unsigned char*>(text); *p;) {
        const int bytes = PairAt(p) ? 2 : 1;
        if (bytes == 1 && *p == '\n') {
            col = 0;
            line += linePitch;
        } else {
            visit(SjisCode(p, bytes), col, line);
            col += pitch;
        }
        p += bytes;
    }
}
constexpr unsigned char kWideSpace[2] = {0x81, 0x40};

}  // namespace

// The surface glyphs are drawn on and its origin, and the destination that
// atlas cells go to with its origin.
struct Font::Target {
    DDSURFACEDATA* surface;
    int ox, oy;
    DDSURFACEDATA* final;
    int fx, fy;
};

void MeasureTextLines(const Font& font, std::pair<int, int>& size, const char* text) {
    int widest = 0, lines = 0;
    const char* p = text ? text : "";
    while (*p) {
        const char* end = std::strchr(p, '\n');
        const std::size_t len = end ? static_cast<std::size_t>(end - p) : std::strlen(p);
        widest = std::max(widest, CountChars(std::string(p, len)) * font.m_nPitch);
        ++lines;
        p += len;
        if (*p == '\n') ++p;
    }
    size = {widest, lines * font.m_nLinePitch};
}

std::pair<int, int> Font::Measure(const char* text) {
    std::pair<int, int> size;
    if (m_nPitch) {
        MeasureTextLines(*this, size, text);
        return size;
    }
    int widest = 0, lines = 0;
    for (auto p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p;) {
        int width = 0;
        for (; *p && *p != '\n';) {
            const int bytes = PairAt(p) ? 2 : 1;
            width += glyphs_.Get(SjisCode(p, bytes)).advance;
            p += bytes;
        }
        widest = std::max(widest, width);
        ++lines;
        if (*p == '\n') ++p;
    }
    return {widest, lines * m_nLinePitch};
}

std::pair<int, int> Font::GlyphPen(SJISCODE code, int left, int top) {
    if (m_bCenter) {
        const int advance = glyphs_.Get(code).advance;
        return {left + (m_nPitch - advance) / 2, top + (m_nLinePitch - m_nHeight) / 2};
    }
    int x = left, y = top;
    if (code < 256) {
        x += m_nPitch / 8;
        y += m_nLinePitch / 16 - 1;
    }
    if (m_strFace == kProportionalGothic && ShiftedBracket(code)) x += m_nPitch / 4;
    return {x, y};
}

void Font::DrawGlyph(DDSURFACEDATA* sd, int left, int top, SJISCODE code) {
    const auto [x, y] = GlyphPen(code, left, top);
    PutGlyph(sd, x, y, glyphs_.Get(code));
}

void Font::PutGlyph(DDSURFACEDATA* sd, int x, int y, const platform::Glyph& g) {
    DDPIXELS* px = sd ? sd->Pixels() : nullptr;
    if (!px || (lpDTCon && lpDTCon->bDeviceLost)) return;
    if (lpDTCon) PutGlyphBlended(*px, sd->nWidth, sd->nHeight, x, y, g, m_dwTextColor);
    else PutGlyphSolid(*px, sd->nWidth, sd->nHeight, x, y, g, m_dwTextColor);
}

void Font::DrawFullWidth(const Target& t, int col, int line, SJISCODE code) {
    cFastFont& atlas = *m_lpFastFont;
    const FASTFONTGLYPH* g = atlas.Find(code);
    if (!g) {
        g = atlas.Add(code);
        if (!g) {
            DrawGlyph(t.surface, t.ox + col, t.oy + line, code);
            return;
        }
        DrawGlyph(&atlas.m_Surface, g->x, g->y, code);
    }
    DDBlt(t.final, t.fx + col, t.fy + line, m_nPitch, m_nLinePitch, &atlas.m_Surface, g->x, g->y, 1);
}

void Font::RenderProportional(const Target& t, const char* text) {
    int line = 0;
    for (auto p = reinterpret_cast<const unsigned char*>(text); *p; line += m_nLinePitch) {
        int pen = 0;
        for (; *p && *p != '\n';) {
            const int bytes = PairAt(p) ? 2 : 1;
            const SJISCODE code = SjisCode(p, bytes);
            const platform::Glyph& g = glyphs_.Get(code);
            PutGlyph(t.surface, t.ox + pen, t.oy + line, g);
            pen += g.advance;
            p += bytes;
        }
        if (*p == '\n') ++p;
    }
}

void Font::RenderText(const Target& t, const char* text, bool symbols, bool atlases) {
    DDSpriteBatchOpen(1);
    if (!m_nPitch) {
        RenderProportional(t, text);
        DDSpriteBatchFlush();
        return;
    }
    const bool symbolLetters = symbols && m_lpSymbol;
    const SJISCODE wideSpace = SjisCode(kWideSpace, 2);
    WalkCells(text, m_nPitch, m_nLinePitch, [&](SJISCODE code, int col, int line) {
        if (code > 255) {
            if (code == wideSpace) return;
            if (atlases && m_lpFastFont) DrawFullWidth(t, col, line, code);
            else DrawGlyph(t.surface, t.ox + col, t.oy + line, code);
            return;
        }
        if (code == ' ' || (symbolLetters && code >= 'a' && code <= 'z')) return;
        if (atlases && m_lpFastFont_Half) {
            DDBlt(t.final, t.fx + col, t.fy + line, m_nPitch, m_nLinePitch, &m_lpFastFont_Half->m_Surface,
                  (code % 16) * m_nPitch, (code / 16) * m_nLinePitch, 1);
        } else {
            DrawGlyph(t.surface, t.ox + col, t.oy + line, code);
        }
    });
    DDSpriteBatchFlush();
}

void Font::DrawSymbols(DDSURFACEDATA* sd, int x, int y, const char* text) {
    if (!m_lpSymbol || !m_nPitch) return;
    DDSpriteBatchOpen(0);
    WalkCells(text, m_nPitch, m_nLinePitch, [&](SJISCODE code, int col, int line) {
        if (code >= 'a' && code <= 'z')
            DDBlt(sd, x + col, y + line, m_nPitch, m_nLinePitch, m_lpSymbol, m_nPitch * (code - 'a'), 0, 1);
    });
    DDSpriteBatchFlush();
}

void Font::DrawTextWith(DDSURFACEDATA* dst, int x, int y, const char* text, bool symbols, bool atlases) {
    if (lpDTCon) {
        DDGetShareSD(&dst);
        DDRedirectBackBuffer(&dst);
        if (!dst->lpDT) return;
        if (dst->lpDT->nMemoryType == DTMEMORYTYPE_VIDEO_RT) {
            RenderText(Target{dst, x, y, dst, x, y}, text, symbols, atlases);
            if (symbols) DrawSymbols(dst, x, y, text);
            return;
        }
    } else if (!lpDDCon) {
        return;
    }
    // Composed on the work surface, then blitted keyed where it goes.
    const auto [w, h] = Measure(text);
    PalNumToRGB(&Work, 0, 0, w, h, 0);
    RenderText(Target{&Work, 0, 0, dst, x, y}, text, symbols, atlases);
    if (lpDTCon && symbols) DrawSymbols(&Work, 0, 0, text);
    DDBlt(dst, x, y, w, h, &Work, 0, 0, 1);
    if (lpDDCon && symbols) DrawSymbols(dst, x, y, text);
}

int Font::DrawText(DDSURFACEDATA* dst, int x, int y, const char* text, int noSymbols) {
    if (!dst || !text) return 0;
    DrawTextWith(dst, x, y, text, m_bSymbol && !noSymbols, true);
    return 1;
}
