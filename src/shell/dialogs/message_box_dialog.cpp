#include "shell/dialogs/message_box_dialog.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "shell/app_state.h"
#include "shell/dialogs/dialog_font.h"
#include "shell/dialogs/dialog_painter.h"
#include "shell/end_session.h"

namespace {

using K = platform::DialogItemKind;

constexpr int kMargin = 12;
constexpr int kLineHeight = cDialogFont::kHeight + 2;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 8;
constexpr int kTextToButtons = 14;
constexpr int kMinWidth = 180;
// The dialog and its 3-pixel frame stay inside the 640-pixel frame.
constexpr int kMaxTextWidth = 640 - 2 * 3 - 2 * kMargin;
constexpr int kFirstLineId = 1200;

struct BoxButton {
    int id;
    const char* text;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "キャンセル"}};
        case MB_YESNO: return {{IDYES, "はい(Y)"}, {IDNO, "いいえ(N)"}};
        case MB_YESNOCANCEL: return {{IDYES, "はい(Y)"}, {IDNO, "いいえ(N)"}, {IDCANCEL, "キャンセル"}};
        default: return {{IDOK, "OK"}};
    }
}

// The text's lines, broken at CR LF or LF; a break at the very end adds no
// line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
        if (text[at] == '\n' || text[at] == '\r') {
            lines.emplace_back();
        } else {
            lines.back() += text[at];
        }
    }
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    return lines;
}

// A line too wide for the box goes on in the next, a character at a time.
void Wrap(const std::string& line, const TextWidth& width, std::vector<std::string>& out) {
    std::string part;
    for (std::size_t at = 0; at < line.size();) {
        std::string one = line.substr(at, static_cast<std::size_t>(SjisCharLength(line, at)));
        if (!part.empty() && width(part + one) > kMaxTextWidth) {
            out.push_back(part);
            part.clear();
        }
        part += one;
        at += one.size();
    }
    out.push_back(part);
}

// The box's answer to Escape, kept on its window while it is up.
constexpr const char* kEscapeProp = "BOX_ESCAPE";

// The button Return presses at first: the one the type names
// (MB_DEFBUTTON2 the second, and so on), the first when there is no such
// button.
std::size_t DefaultIndex(UINT type, std::size_t count) {
    const std::size_t wanted = (type & MB_DEFMASK) >> 8;
    return wanted < count ? wanted : 0;
}

// The open box's settings, handed over at its initialisation.
LPARAM BoxParam(int defaultId, int escapeAnswer) { return static_cast<LPARAM>(defaultId | escapeAnswer << 16); }

LRESULT MessageBoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetPropA(dialog, kEscapeProp, reinterpret_cast<void*>(static_cast<std::intptr_t>(lParam >> 16)));
        // Focus on the default button, so Return presses it.
        SetFocus(GetDlgItem(dialog, static_cast<int>(lParam & 0xFFFF)));
        return 1;
    }
    if (msg != WM_COMMAND) return 0;
    int id = static_cast<int>(wParam & 0xFFFF);
    // Escape (IDCANCEL) in a box without a Cancel button answers as the
    // box's no; the hook of an open dialog swallows it before it gets here.
    if (id == IDCANCEL && !GetDlgItem(dialog, IDCANCEL))
        id = static_cast<int>(reinterpret_cast<std::intptr_t>(GetPropA(dialog, kEscapeProp)));
    const bool answer = id == IDOK || id == IDCANCEL || id == IDYES || id == IDNO;
    if (answer && GetDlgItem(dialog, id)) EndDialog(dialog, id);
    return 1;
}

}  // namespace

platform::DialogTemplate MessageBoxTemplate(const platform::MessageBoxRecord& box, const TextWidth& width) {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(box.text)) Wrap(line, width, lines);
    int textWidth = 0;
    for (const std::string& line : lines) textWidth = std::max(textWidth, width(line));
    const std::vector<BoxButton> buttons = ButtonsOf(box.type);
    const int count = static_cast<int>(buttons.size());
    const int row = count * kButtonWidth + (count - 1) * kButtonGap;

    platform::DialogTemplate t;
    t.title = box.caption;
    t.style = 0x00C00000u;  // with a caption
    t.width = std::max({kMinWidth, textWidth + 2 * kMargin, row + 2 * kMargin});
    const int textBottom = kMargin + static_cast<int>(lines.size()) * kLineHeight;
    t.height = textBottom + kTextToButtons + kButtonHeight + kMargin;
    int y = kMargin;
    int id = kFirstLineId;
    for (const std::string& line : lines) {
        t.items.push_back({id++, line, K::Static, RECT{kMargin, y, t.width - kMargin, y + kLineHeight}, false});
        y += kLineHeight;
    }
    int x = (t.width - row) / 2;
    const int top = textBottom + kTextToButtons;
    const BoxButton* chosen = &buttons[DefaultIndex(box.type, buttons.size())];
    for (const BoxButton& b : buttons) {
        const K kind = &b == chosen ? K::DefaultButton : K::Button;
        t.items.push_back({b.id, b.text, kind, RECT{x, top, x + kButtonWidth, top + kButtonHeight}, true});
        x += kButtonWidth + kButtonGap;
    }
    return t;
}

int EscapeAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL: return IDCANCEL;
        case MB_YESNO: return IDNO;
        default: return IDOK;
    }
}

int ShowMessageBoxInWindow(const platform::MessageBoxRecord& box) {
    HWND owner = MainWindowHandle.load();
    if (!owner) return 0;
    if (EndSessionRequested()) {
        return platform::ReportUnshownMessageBox(box, platform::DefaultMessageBoxAnswer(box.type));
    }
    static cDialogFont font;
    platform::RegisterDialogTemplate(kResourceMessageBox,
                                     MessageBoxTemplate(box, [](const std::string& s) { return font.Width(s); }));
    InstallDialogPainter();
    const std::vector<BoxButton> buttons = ButtonsOf(box.type);
    const int defaultId = buttons[DefaultIndex(box.type, buttons.size())].id;
    const LRESULT answer = DialogBoxParamA(nullptr, kResourceMessageBox, owner, MessageBoxProc,
                                           BoxParam(defaultId, EscapeAnswer(box.type)));
    // Ended without a button: the window closed under it.
    return answer > 0 ? static_cast<int>(answer) : EscapeAnswer(box.type);
}
