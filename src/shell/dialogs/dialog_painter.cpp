#include "shell/dialogs/dialog_painter.h"

#include <algorithm>

#include "draw/pixel_ops.h"
#include "platform/present.h"
#include "shell/dialogs/dialog_font.h"
#include "shell/loop/game_loop.h"

namespace {

using K = platform::DialogItemKind;

constexpr int kScreenW = 640;
constexpr int kScreenH = 480;
constexpr int kBorder = 3;
constexpr int kCaption = 18;
constexpr int kMark = 11;  // check box and radio button size

constexpr std::uint32_t kFace = 0xD4D0C8;
constexpr std::uint32_t kLight = 0xFFFFFF;
constexpr std::uint32_t kShadow = 0x808080;
constexpr std::uint32_t kDark = 0x404040;
constexpr std::uint32_t kText = 0x000000;
constexpr std::uint32_t kWindow = 0xFFFFFF;
constexpr std::uint32_t kCaptionColour = 0x0A246A;
constexpr std::uint32_t kHighlight = 0x316AC5;
constexpr std::uint32_t kBackdrop = 0x203040;

cDialogFont& Font() {
    static cDialogFont font;
    return font;
}

void Fill(DDPIXELS& px, int x, int y, int w, int h, std::uint32_t rgb) {
    int x0 = std::max(x, 0);
    int y0 = std::max(y, 0);
    int x1 = std::min(x + w, px.nWidth);
    int y1 = std::min(y + h, px.nHeight);
    if (x1 > x0 && y1 > y0) ClearPixels(px, x0, y0, x1 - x0, y1 - y0, 0xFF000000u | rgb);
}

// A one-pixel outline, light on the top and left edges and dark on the
// others (raised), or the other way round (sunken).
void Edge(DDPIXELS& px, int x, int y, int w, int h, std::uint32_t topLeft, std::uint32_t bottomRight) {
    Fill(px, x, y, w, 1, topLeft);
    Fill(px, x, y, 1, h, topLeft);
    Fill(px, x, y + h - 1, w, 1, bottomRight);
    Fill(px, x + w - 1, y, 1, h, bottomRight);
}

void Raised(DDPIXELS& px, int x, int y, int w, int h) {
    Edge(px, x, y, w, h, kLight, kDark);
    Edge(px, x + 1, y + 1, w - 2, h - 2, kFace, kShadow);
}

void Sunken(DDPIXELS& px, int x, int y, int w, int h) {
    Edge(px, x, y, w, h, kShadow, kLight);
    Edge(px, x + 1, y + 1, w - 2, h - 2, kDark, kFace);
}

// The dotted outline of the focused item.
void FocusMark(DDPIXELS& px, int x, int y, int w, int h) {
    for (int i = 0; i < w; i += 2) {
        Fill(px, x + i, y, 1, 1, kText);
        Fill(px, x + i, y + h - 1, 1, 1, kText);
    }
    for (int i = 0; i < h; i += 2) {
        Fill(px, x, y + i, 1, 1, kText);
        Fill(px, x + w - 1, y + i, 1, 1, kText);
    }
}

struct Box {
    int x, y, w, h;
    // Labels of check boxes and radio buttons may reach past their item, up
    // to the dialog's edge.
    int labelRight;
};

Box Place(const platform::DialogView& d, const RECT& r) {
    return Box{d.origin.x + r.left, d.origin.y + r.top, r.right - r.left, r.bottom - r.top, d.origin.x + d.width - 2};
}

int CentreY(const Box& b) { return b.y + (b.h - Font().Height()) / 2; }

void Text(DDPIXELS& px, int x, int y, int right, const std::string& text, std::uint32_t rgb = kText) {
    Font().Draw(px, x, y, right, text, rgb);
}

// Statics wrap their text at the item's width, a character at a time.
void WrappedText(DDPIXELS& px, const Box& b, const std::string& text) {
    int y = b.y;
    std::string line;
    for (std::size_t at = 0; at < text.size();) {
        std::string one = text.substr(at, static_cast<std::size_t>(SjisCharLength(text, at)));
        if (!line.empty() && Font().Width(line + one) > b.w) {
            Text(px, b.x, y, b.x + b.w, line);
            y += Font().Height() + 1;
            line.clear();
        }
        line += one;
        at += one.size();
    }
    Text(px, b.x, y, b.x + b.w, line);
}

void DrawButton(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    Fill(px, b.x, b.y, b.w, b.h, kFace);
    bool strong = item.state.kind == K::DefaultButton || item.focused;
    if (strong) Edge(px, b.x - 1, b.y - 1, b.w + 2, b.h + 2, kText, kText);
    Raised(px, b.x, b.y, b.w, b.h);
    int tw = Font().Width(item.state.text);
    Text(px, b.x + std::max(2, (b.w - tw) / 2), CentreY(b), b.x + b.w - 2, item.state.text);
    if (item.focused) FocusMark(px, b.x + 3, b.y + 3, b.w - 6, b.h - 6);
}

void DrawGroup(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    int top = b.y + Font().Height() / 2;
    Edge(px, b.x, top, b.w, b.h - (top - b.y), kShadow, kLight);
    Edge(px, b.x + 1, top + 1, b.w - 2, b.h - (top - b.y) - 2, kLight, kShadow);
    int tw = Font().Width(item.state.text);
    Fill(px, b.x + 6, b.y, tw + 4, Font().Height(), kFace);
    Text(px, b.x + 8, b.y, b.x + b.w - 8, item.state.text);
}

void DrawMarkLabel(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    int x = b.x + kMark + 4;
    int end = Font().Draw(px, x, CentreY(b), b.labelRight, item.state.text, kText);
    if (item.focused) FocusMark(px, x - 1, CentreY(b) - 1, end - x + 2, Font().Height() + 2);
}

void DrawCheck(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    int y = b.y + (b.h - kMark) / 2;
    Fill(px, b.x, y, kMark, kMark, kWindow);
    Sunken(px, b.x, y, kMark, kMark);
    if (item.state.check) {
        // A tick: down to the right for three pixels, then up.
        for (int i = 0; i < 7; ++i) {
            int dy = i < 3 ? i : 4 - i;
            Fill(px, b.x + 2 + i, y + 5 + dy, 1, 3, kText);
        }
    }
    DrawMarkLabel(px, b, item);
}

void DrawRadio(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    int y = b.y + (b.h - kMark) / 2;
    // Row spans of a disc of diameter 11: sunken rim, white inside.
    static constexpr int kHalfWidth[kMark] = {2, 3, 4, 5, 5, 5, 5, 5, 4, 3, 2};
    for (int row = 0; row < kMark; ++row) {
        int half = kHalfWidth[row];
        Fill(px, b.x + 5 - half, y + row, 2 * half + 1, 1, row < kMark / 2 ? kShadow : kLight);
        if (row > 0 && row < kMark - 1) Fill(px, b.x + 6 - half, y + row, 2 * half - 1, 1, kWindow);
    }
    if (item.state.check) Fill(px, b.x + 4, y + 3, 3, 5, kText), Fill(px, b.x + 3, y + 4, 5, 3, kText);
    DrawMarkLabel(px, b, item);
}

void DrawEdit(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    Fill(px, b.x, b.y, b.w, b.h, kWindow);
    Sunken(px, b.x, b.y, b.w, b.h);
    const std::string& text = item.state.text;
    int a = std::clamp(std::min(item.state.selStart, item.state.selEnd), 0, static_cast<int>(text.size()));
    int e = std::clamp(std::max(item.state.selStart, item.state.selEnd), 0, static_cast<int>(text.size()));
    int x = b.x + 2 + platform::kBoxMargin;
    int y = CentreY(b);
    int right = b.x + b.w - platform::kBoxMargin;
    x = Font().Draw(px, x, y, right, text.substr(0, static_cast<std::size_t>(a)), kText);
    if (item.focused && e > a) {
        std::string picked = text.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(e - a));
        Fill(px, x, y, std::min(Font().Width(picked), right - x), Font().Height(), kHighlight);
        x = Font().Draw(px, x, y, right, picked, kLight);
    } else {
        x = Font().Draw(px, x, y, right, text.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(e - a)),
                        kText);
    }
    int caret = x;
    Font().Draw(px, x, y, right, text.substr(static_cast<std::size_t>(e)), kText);
    if (item.focused) Fill(px, caret, y, 1, Font().Height(), kText);
}

void DrawList(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    Fill(px, b.x, b.y, b.w, b.h, kWindow);
    Sunken(px, b.x, b.y, b.w, b.h);
    int y = b.y + platform::kBoxMargin;
    int row = 0;
    for (const auto& text : item.state.rows) {
        if (row++ < item.state.top) continue;
        if (y + platform::kListRowHeight > b.y + b.h - platform::kBoxMargin) break;
        bool current = row - 1 == item.state.current;
        if (current) Fill(px, b.x + 2, y, b.w - 4, platform::kListRowHeight, item.focused ? kHighlight : kFace);
        Text(px, b.x + 4, y + 1, b.x + b.w - 4, text, current && item.focused ? kLight : kText);
        y += platform::kListRowHeight;
    }
}

// A track with a raised thumb whose length shows the page against the range
// and whose place shows the position; a wide bar runs across, a tall one down.
void DrawScroll(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    const auto& s = item.state;
    Fill(px, b.x, b.y, b.w, b.h, kShadow);
    bool across = b.w >= b.h;
    int track = across ? b.w : b.h;
    long long span = static_cast<long long>(s.scrollMax) - s.scrollMin + 1;
    if (track <= 0 || span <= 0) return;
    int length = s.scrollPage > 0 ? static_cast<int>(std::max<long long>(8, track * s.scrollPage / span)) : 8;
    length = std::min(length, track);
    int at = static_cast<int>((track - length) * (static_cast<long long>(s.scrollPos) - s.scrollMin) /
                              std::max<long long>(1, span - std::max(s.scrollPage, 1)));
    at = std::clamp(at, 0, track - length);
    if (across) {
        Fill(px, b.x + at, b.y, length, b.h, kFace);
        Raised(px, b.x + at, b.y, length, b.h);
    } else {
        Fill(px, b.x, b.y + at, b.w, length, kFace);
        Raised(px, b.x, b.y + at, b.w, length);
    }
}

// A view shows the picture its owner drew, else its text.
void DrawView(DDPIXELS& px, const Box& b, const platform::DialogItemView& item) {
    const auto& s = item.state;
    Fill(px, b.x, b.y, b.w, b.h, kWindow);
    if (s.picture.empty()) {
        Sunken(px, b.x, b.y, b.w, b.h);
        Text(px, b.x + 4, b.y + 3, b.x + b.w - 4, s.text);
        return;
    }
    int w = std::min({s.pictureWidth, b.w, px.nWidth - b.x});
    int h = std::min({s.pictureHeight, b.h, px.nHeight - b.y});
    for (int y = std::max(0, -b.y); y < h; ++y) {
        auto* row = px.Row<std::uint32_t>(b.y + y);
        const std::uint32_t* from = s.picture.data() + static_cast<std::size_t>(y) * s.pictureWidth;
        for (int x = std::max(0, -b.x); x < w; ++x) row[b.x + x] = 0xFF000000u | from[x];
    }
}

void DrawItem(DDPIXELS& px, const platform::DialogView& d, const platform::DialogItemView& item) {
    Box b = Place(d, item.rect);
    switch (item.state.kind) {
        case K::Static: WrappedText(px, b, item.state.text); break;
        case K::Button:
        case K::DefaultButton: DrawButton(px, b, item); break;
        case K::GroupBox: DrawGroup(px, b, item); break;
        case K::Check: DrawCheck(px, b, item); break;
        case K::Radio: DrawRadio(px, b, item); break;
        case K::Edit: DrawEdit(px, b, item); break;
        case K::List: DrawList(px, b, item); break;
        case K::Scroll: DrawScroll(px, b, item); break;
        case K::View: DrawView(px, b, item); break;
        case K::Picture: break;
    }
}

void DrawDialog(DDPIXELS& px, const platform::DialogView& d) {
    bool caption = (d.style & 0x00C00000u) != 0;
    int top = d.origin.y - (caption ? kCaption : 0) - kBorder;
    int left = d.origin.x - kBorder;
    int w = d.width + 2 * kBorder;
    int h = d.origin.y + d.height + kBorder - top;
    Fill(px, left, top, w, h, kFace);
    Raised(px, left, top, w, h);
    if (caption) {
        Fill(px, d.origin.x, d.origin.y - kCaption, d.width, kCaption - 1, kCaptionColour);
        Text(px, d.origin.x + 4, d.origin.y - kCaption + 3, d.origin.x + d.width - 4, d.title, kLight);
    }
    // Group boxes first, so the items inside them are drawn over them.
    for (const auto& item : d.items) {
        if (item.state.kind == K::GroupBox) DrawItem(px, d, item);
    }
    for (const auto& item : d.items) {
        if (item.state.kind != K::GroupBox) DrawItem(px, d, item);
    }
}

void PaintOpenDialogs() {
    // A headless run shows nothing past its last frame.
    if (FrameLimitReached()) return;
    static DDPIXELS px;
    if (px.Empty()) px.Allocate(D3DFMT_X8R8G8B8, kScreenW, kScreenH);
    ComposeDialogScreen(px, platform::DialogBackdrop(), platform::OpenDialogViews());
    platform::PresentFrame(reinterpret_cast<const std::uint32_t*>(px.bits.data()), kScreenW, kScreenH, px.nPitch / 4);
}

}  // namespace

void ComposeDialogScreen(DDPIXELS& px, const platform::Frame& backdrop,
                         const std::vector<platform::DialogView>& dialogs) {
    if (backdrop.width == px.nWidth && backdrop.height == px.nHeight) {
        for (int y = 0; y < px.nHeight; ++y) {
            auto* row = px.Row<std::uint32_t>(y);
            const std::uint32_t* from = backdrop.pixels.data() + static_cast<std::size_t>(y) * backdrop.width;
            for (int x = 0; x < px.nWidth; ++x) row[x] = 0xFF000000u | from[x];
        }
        // The game stands still behind the dialog.
        BlendFillPixels(px, 0, 0, px.nWidth, px.nHeight, 0x80000000u);
    } else {
        Fill(px, 0, 0, px.nWidth, px.nHeight, kBackdrop);
    }
    for (const auto& d : dialogs) {
        if (d.visible) DrawDialog(px, d);
    }
}

void InstallDialogPainter() { platform::SetDialogPainter(PaintOpenDialogs); }
