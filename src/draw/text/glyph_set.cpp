#include "draw/text/glyph_set.h"

#include <algorithm>

#include "draw/device/pixel_format.h"

bool cGlyphSet::Open(std::string_view faceSjis, int width, int height, platform::GlyphMode mode) {
    Close();
    face_ = platform::GlyphFace::Open(faceSjis, width, height);
    mode_ = mode;
    return face_ != nullptr;
}

void cGlyphSet::Close() {
    face_.reset();
    for (auto& g : single_) g.reset();
    double_.clear();
}

int cGlyphSet::Ascent() const { return face_ ? face_->Ascent() : 0; }

const platform::Glyph& cGlyphSet::Get(SJISCODE code) {
    static const platform::Glyph kEmpty;
    if (!face_) return kEmpty;
    if (code < 256) {
        std::unique_ptr<platform::Glyph>& slot = single_[code];
        if (!slot) {
            const char c = static_cast<char>(code);
            slot = std::make_unique<platform::Glyph>(face_->Render(std::string_view(&c, 1), mode_));
        }
        return *slot;
    }
    auto it = double_.find(code);
    if (it == double_.end()) {
        const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 255)};
        it = double_.emplace(code, face_->Render(std::string_view(bytes, 2), mode_)).first;
    }
    return it->second;
}

namespace {

struct GlyphClip {
    int x0, x1, y0, y1;  // glyph columns and rows inside the clip
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

GlyphClip ClipGlyph(const DDPIXELS& px, int clipW, int clipH, int left, int top, const platform::Glyph& g) {
    const int w = std::min(clipW, px.nWidth), h = std::min(clipH, px.nHeight);
    return GlyphClip{std::max(0, -left), std::min(g.width, w - left), std::max(0, -top), std::min(g.height, h - top)};
}

template <class T>
void SolidRows(DDPIXELS& px, const GlyphClip& c, int left, int top, const platform::Glyph& g, std::uint32_t value) {
    for (int j = c.y0; j < c.y1; ++j) {
        const std::uint8_t* cov = g.coverage.data() + static_cast<std::size_t>(j) * g.width;
        T* row = px.Row<T>(top + j) + left;
        for (int i = c.x0; i < c.x1; ++i) {
            if (cov[i] >= 128) row[i] = static_cast<T>(value);
        }
    }
}

bool HasAlpha(DWORD fmt) { return fmt == D3DFMT_A8R8G8B8 || fmt == D3DFMT_A1R5G5B5; }

std::uint32_t Over(std::uint32_t rgb, std::uint32_t a, std::uint32_t d) {
    const std::uint32_t ia = 255 - a;
    std::uint32_t out = 0;
    for (int sh = 0; sh < 24; sh += 8) {
        const std::uint32_t sc = (rgb >> sh) & 255, dc = (d >> sh) & 255;
        out |= ((sc * a + dc * ia + 127) / 255) << sh;
    }
    const std::uint32_t da = d >> 24;
    return out | (a + (da * ia + 127) / 255) << 24;
}

}  // namespace

void PutGlyphSolid(DDPIXELS& px, int clipW, int clipH, int x, int y, const platform::Glyph& g, std::uint32_t value) {
    const int left = x + g.left, top = y + g.top;
    const GlyphClip c = ClipGlyph(px, clipW, clipH, left, top, g);
    if (c.Empty()) return;
    switch (BytesPerPixel(px.fmt)) {
        case 1: SolidRows<std::uint8_t>(px, c, left, top, g, value); break;
        case 2: SolidRows<std::uint16_t>(px, c, left, top, g, value); break;
        default: SolidRows<std::uint32_t>(px, c, left, top, g, value); break;
    }
}

void PutGlyphBlended(DDPIXELS& px, int clipW, int clipH, int x, int y, const platform::Glyph& g, std::uint32_t argb) {
    if (px.fmt == D3DFMT_P8) return;
    const int left = x + g.left, top = y + g.top;
    const GlyphClip c = ClipGlyph(px, clipW, clipH, left, top, g);
    if (c.Empty()) return;
    const std::uint32_t rgb = argb & 0xFFFFFFu;
    const bool alpha = HasAlpha(px.fmt);
    for (int j = c.y0; j < c.y1; ++j) {
        const std::uint8_t* cov = g.coverage.data() + static_cast<std::size_t>(j) * g.width;
        for (int i = c.x0; i < c.x1; ++i) {
            const std::uint32_t a = cov[i];
            if (a == 0) continue;
            const std::uint32_t d = ToArgb(px.fmt, px.Get(left + i, top + j));
            // Texels nothing covers yet take the glyph as it is.
            const std::uint32_t out = alpha && (d >> 24) == 0 ? (a << 24 | rgb) : Over(rgb, a, d);
            px.Put(left + i, top + j, FromArgb(px.fmt, alpha ? out : out | 0xFF000000u));
        }
    }
}
