// Making and releasing fonts, their atlases, and their restore after the
// device lost its surfaces.
#include "draw/text/font.h"

#include <algorithm>

#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "draw/pixel_ops.h"
#include "foundation/abort.h"
#include "foundation/report.h"
#include "foundation/strings.h"

std::list<Font*>& FontList = *new std::list<Font*>;

namespace {

// The two-byte characters every full-width atlas starts with, in order.
constexpr char kBuiltInCharacters[] =
    "０１２３４５６７８９ー～、。．！？「」（）｛｝・…※→↑↓←＋－＝○●×ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹ"
    "Ｚａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"
    "ま"
    "みむめもやゆよらりるれろわをんがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょアイウエオカキク"
    "ケ"
    "コサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンガギグゲゴザジズゼゾダヂヅデドバビブベボ"
    "ヴ"
    "パピプペポァィゥェォッャュョ□■☆★％＆＜＞：";

constexpr int kMaxAtlasCells = 32;
constexpr int kMaxDirectDrawAtlasRows = 30;
constexpr int kDeviceAtlasSize = 1024;

}  // namespace

cFastFont::cFastFont(int kind, int cellWidth, int cellHeight, int columns, int rows)
    : m_nKind(kind),
      m_nCellWidth(cellWidth),
      m_nCellHeight(cellHeight),
      m_nColumns(columns),
      m_nRows(rows),
      m_nCapacity(columns * rows) {
    created_ = columns > 0 && rows > 0 &&
               DDCreateSurface(&m_Surface, cellWidth * columns, cellHeight * rows, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
}

cFastFont::~cFastFont() { DDReleaseSurface(&m_Surface); }

const FASTFONTGLYPH* cFastFont::Find(SJISCODE code) const {
    const auto it = index_.find(code);
    return it == index_.end() ? nullptr : &m_vGlyphs[static_cast<std::size_t>(it->second)];
}

const FASTFONTGLYPH* cFastFont::Add(SJISCODE code) {
    if (m_nCount >= m_nCapacity) return nullptr;
    FASTFONTGLYPH g{};
    if (code > 255) {
        g.code[0] = static_cast<char>(code >> 8);
        g.code[1] = static_cast<char>(code & 255);
    } else {
        g.code[0] = static_cast<char>(code);
    }
    g.nIndex = m_nCount;
    g.x = (m_nCount % m_nColumns) * m_nCellWidth;
    g.y = (m_nCount / m_nColumns) * m_nCellHeight;
    m_vGlyphs.push_back(g);
    index_.emplace(code, m_nCount);
    ++m_nCount;
    return &m_vGlyphs.back();
}

Font::Font() = default;

Font::~Font() {
    Release();
    FontList.remove(this);
}

bool Font::MonochromeGlyphs() const { return !lpDTCon; }

void Font::ComputeTextColor() {
    const int n = std::clamp(m_nColor, 0, 255);
    const PALETTEENTRY& e = Palette[n];
    if (lpDTCon) {
        if (DDSetting.nBpp) m_dwTextColor = 0xFF000000u | DWORD(e.peRed) << 16 | DWORD(e.peGreen) << 8 | e.peBlue;
    } else {
        // The exact pixel of the colour number: its palette index at 8 bits.
        m_dwTextColor = DDPalNumToPixel(static_cast<DWORD>(n));
    }
}

void Font::SetColor(int color) {
    m_nColor = color;
    ComputeTextColor();
}

int Font::Create(const char* face, int width, int height, int pitch, int linePitch, int color, DDSURFACEDATA* window,
                 int frame, int frameColor, DDSURFACEDATA* symbol, int cacheMode) {
    if (!lpDTCon && !lpDDCon) return 0;
    m_strFace = StrMid(face ? face : "", 0, 255);
    m_nWidth = width;
    m_nHeight = height;
    m_nPitch = pitch;
    m_nLinePitch = linePitch;
    m_nColor = color;
    ComputeTextColor();
    m_lpWindow = window;
    m_nFrame = frame;
    m_nFrameColor = frameColor;
    m_lpSymbol = symbol;
    m_bSymbol = symbol != nullptr;
    // A host without the face draws no glyphs; the layout stays.
    glyphs_.Open(m_strFace, width, height,
                 MonochromeGlyphs() ? platform::GlyphMode::kMonochrome : platform::GlyphMode::kCoverage);
    if (!Work.Pixels() && !DDCreateSurface(&Work, BackBuffer.nWidth, BackBuffer.nHeight, 1, 0, 0, 0, 0) && lpDDCon) {
        WriteLog("DDCreateSurface Font::Work");
        FatalClose();
        return 0;
    }
    m_nFontId = lpDTCon ? lpDTCon->nFontCount++ : static_cast<int>(lpDDCon->nFontCount++);
    if (std::find(FontList.begin(), FontList.end(), this) == FontList.end()) FontList.push_back(this);
    m_nCacheMode = cacheMode;
    m_lpFastFont_Half.reset();
    m_lpFastFont.reset();
    if (cacheMode == 0) return 1;
    if (!pitch || !linePitch) {
        WriteLog("※フォントクラスで文字間が未設定！");
        return 1;
    }
    return CreateAtlases() ? 1 : 0;
}

bool Font::CreateAtlases() {
    m_lpFastFont_Half = std::make_unique<cFastFont>(cFastFont::kHalfWidth, m_nPitch, m_nLinePitch, 16, 16);
    if (!m_lpFastFont_Half->Created()) {
        m_lpFastFont_Half.reset();
        WriteLog("m_lpFastFont_Half Err");
        FatalClose();
        return false;
    }
    int columns, rows;
    if (lpDTCon) {
        columns = std::min(kDeviceAtlasSize / m_nPitch, kMaxAtlasCells);
        rows = std::min(kDeviceAtlasSize / m_nLinePitch, kMaxAtlasCells);
    } else {
        columns = std::min(BackBuffer.nWidth / m_nPitch, kMaxAtlasCells);
        rows = std::min(BackBuffer.nHeight / m_nLinePitch, kMaxDirectDrawAtlasRows);
    }
    m_lpFastFont = std::make_unique<cFastFont>(cFastFont::kFullWidth, m_nPitch, m_nLinePitch, columns, rows);
    if (!m_lpFastFont->Created()) {
        m_lpFastFont.reset();
        FatalClose();
        return false;
    }
    BuildHalfAtlas();
    BuildFullAtlas(false);
    return true;
}

void Font::BuildHalfAtlas() {
    cFastFont& atlas = *m_lpFastFont_Half;
    DDFillSurface(&atlas.m_Surface, 0);
    // Row r holds the codes r x 16 to r x 16 + 15, laid out as any text;
    // row 0 (control codes and the line feed) stays empty.
    std::string text = "\n";
    for (int row = 1; row < 16; ++row) {
        for (int c = 0; c < 16; ++c) text += static_cast<char>(row * 16 + c);
        text += '\n';
    }
    DrawTextWith(&atlas.m_Surface, 0, 0, text.c_str(), false, false);
}

void Font::BuildFullAtlas(bool rebuild) {
    cFastFont& atlas = *m_lpFastFont;
    if (!rebuild) {
        const auto* p = reinterpret_cast<const unsigned char*>(kBuiltInCharacters);
        for (; p[0] && p[1]; p += 2) {
            if (!atlas.Add(SjisCode(p, 2))) break;
        }
    }
    DDFillSurface(&atlas.m_Surface, 0);
    std::string text;
    int k = 0;
    for (const FASTFONTGLYPH& g : atlas.m_vGlyphs) {
        text += g.code;
        if (++k % atlas.m_nColumns == 0) text += '\n';
    }
    DrawTextWith(&atlas.m_Surface, 0, 0, text.c_str(), false, false);
}

void Font::Release() {
    glyphs_.Close();
    m_lpFastFont_Half.reset();
    m_lpFastFont.reset();
    DDReleaseSurface(&Work);
    Work = DDSURFACEDATA();
}

namespace {

bool DirectDrawLost(DDSURFACEDATA& sd) { return sd.lpDD && sd.lpDD->bSurfaceLost; }

void LoseDirectDrawSurface(DDSURFACEDATA& sd) {
    if (!sd.lpDD || sd.nDDMemory != 0) return;
    sd.lpDD->bSurfaceLost = 1;
    ClearPixels(sd.lpDD->surface, 0, 0, sd.lpDD->surface.nWidth, sd.lpDD->surface.nHeight, 0xDEADBEEFu);
}

}  // namespace

void Font::Restore() {
    if (lpDTCon) {
        if (m_lpFastFont_Half && m_lpFastFont_Half->m_Surface.bLost) {
            BuildHalfAtlas();
            m_lpFastFont_Half->m_Surface.bLost = 0;
        }
        if (m_lpFastFont && m_lpFastFont->m_Surface.bLost) {
            BuildFullAtlas(true);
            m_lpFastFont->m_Surface.bLost = 0;
        }
        return;
    }
    if (!lpDDCon) return;
    if (DirectDrawLost(Work)) Work.lpDD->bSurfaceLost = 0;
    if (m_lpFastFont_Half && m_lpFastFont_Half->m_Surface.lpDD) {
        m_lpFastFont_Half->m_Surface.lpDD->bSurfaceLost = 0;
        BuildHalfAtlas();
    }
    if (m_lpFastFont && m_lpFastFont->m_Surface.lpDD) {
        m_lpFastFont->m_Surface.lpDD->bSurfaceLost = 0;
        BuildFullAtlas(true);
    }
}

void RestoreFonts() {
    for (Font* f : FontList) f->Restore();
    // Digit strips lose their digits with the device; their font draws them
    // again, so numbers never come back blank.
    for (int k = 0; k < kDefaultFontCount; ++k) {
        DDSURFACEDATA& sd = DigitSurfaces[k];
        const bool lost = lpDTCon ? sd.bLost != 0 : DirectDrawLost(sd);
        if (!lost) continue;
        sd.bLost = 0;
        if (sd.lpDD) sd.lpDD->bSurfaceLost = 0;
        DrawDigitStrip(&sd, &Fonts[k]);
    }
}

void LoseFontSurfaces() {
    if (!lpDDCon) return;
    for (Font* f : FontList) {
        LoseDirectDrawSurface(f->Work);
        if (f->m_lpFastFont_Half) LoseDirectDrawSurface(f->m_lpFastFont_Half->m_Surface);
        if (f->m_lpFastFont) LoseDirectDrawSurface(f->m_lpFastFont->m_Surface);
    }
    for (DDSURFACEDATA& sd : DigitSurfaces) LoseDirectDrawSurface(sd);
}
