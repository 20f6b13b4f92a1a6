#include "shell/dialogs/dialog_font.h"

#include "foundation/strings.h"

int SjisCharLength(const std::string& text, std::size_t at) {
    auto p = reinterpret_cast<const unsigned char*>(text.c_str());
    return at + 1 < text.size() && IsDbcsPair(p + at) ? 2 : 1;
}

bool cDialogFont::Open() {
    if (m_Glyphs.IsOpen()) return true;
    return m_Glyphs.Open("ＭＳ Ｐゴシック", 0, kHeight, platform::GlyphMode::kCoverage);
}

int cDialogFont::Width(const std::string& sjis) {
    if (!Open()) return 0;
    int width = 0;
    auto p = reinterpret_cast<const unsigned char*>(sjis.c_str());
    for (std::size_t at = 0; at < sjis.size();) {
        int n = SjisCharLength(sjis, at);
        width += m_Glyphs.Get(SjisCode(p + at, n)).advance;
        at += static_cast<std::size_t>(n);
    }
    return width;
}

int cDialogFont::Draw(DDPIXELS& px, int x, int y, int right, const std::string& sjis, std::uint32_t rgb) {
    if (!Open()) return x;
    auto p = reinterpret_cast<const unsigned char*>(sjis.c_str());
    for (std::size_t at = 0; at < sjis.size();) {
        int n = SjisCharLength(sjis, at);
        const platform::Glyph& g = m_Glyphs.Get(SjisCode(p + at, n));
        if (x + g.advance > right) break;
        PutGlyphBlended(px, px.nWidth, px.nHeight, x, y, g, 0xFF000000u | rgb);
        x += g.advance;
        at += static_cast<std::size_t>(n);
    }
    return x;
}
