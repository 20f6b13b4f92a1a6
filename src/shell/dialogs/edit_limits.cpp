#include "shell/dialogs/edit_limits.h"

#include <algorithm>

#include "foundation/strings.h"

namespace {

// A text longer than this is never a dialog field's.
constexpr int kMaxCuts = 999999;

int CharLength(const std::string& text, std::size_t at) {
    auto p = reinterpret_cast<const unsigned char*>(text.c_str());
    return at + 1 < text.size() && IsDbcsPair(p + at) ? 2 : 1;
}

std::size_t LastCharStart(const std::string& text) {
    std::size_t at = 0;
    std::size_t last = 0;
    while (at < text.size()) {
        last = at;
        at += static_cast<std::size_t>(CharLength(text, at));
    }
    return last;
}

int Measure(const std::string& text, int doubleByte) {
    return doubleByte ? CountChars(text) : static_cast<int>(text.size());
}

std::string CutToMeasure(std::string text, int limit, int doubleByte) {
    for (int cuts = 0; !text.empty() && Measure(text, doubleByte) > limit && cuts < kMaxCuts; ++cuts)
        text.erase(LastCharStart(text));
    return text;
}

int LineCount(const std::string& text) {
    if (text.empty()) return 0;
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

void ShiftFrom(int& sel, int at, int by) {
    if (sel >= at) sel += by;
}

// A Backspace that joins a line onto a full one is undone.
bool JoinOverfills(const cEditLimits& l, const std::string& previous, const cEditText& now, bool backspaceHeld) {
    if (!backspaceHeld || now.selStart != now.selEnd) return false;
    if (previous.size() != now.text.size() + 2 || LineCount(now.text) >= LineCount(previous)) return false;
    std::string head = previous.substr(0, std::min(previous.size(), static_cast<std::size_t>(now.selEnd)));
    auto feed = head.rfind('\n');
    std::string part = feed == std::string::npos ? head : head.substr(feed);
    return Measure(part, l.doubleByte) >= l.charsPerLine;
}

// Breaks every allowed line longer than a line's length: its last
// characters begin the following line.
void Wrap(const cEditLimits& l, cEditText& t) {
    if (l.charsPerLine <= 0) return;
    std::size_t pos = 0;
    for (int line = 0; line < l.lines && pos <= t.text.size(); ++line) {
        std::size_t end = t.text.find('\r', pos);
        if (end == std::string::npos) end = t.text.size();
        std::string text = t.text.substr(pos, end - pos);
        if (Measure(text, l.doubleByte) > l.charsPerLine) {
            std::string rest = CutToMeasure(text, l.charsPerLine, l.doubleByte);
            std::size_t at = pos + rest.size();
            t.text.insert(at, "\r\n");
            ShiftFrom(t.selStart, static_cast<int>(at), 2);
            ShiftFrom(t.selEnd, static_cast<int>(at), 2);
            std::size_t ownBreak = t.text.find('\r', at + 2 + (text.size() - rest.size()));
            if (ownBreak != std::string::npos) {
                t.text.erase(ownBreak, 2);
                ShiftFrom(t.selStart, static_cast<int>(ownBreak) + 2, -2);
                ShiftFrom(t.selEnd, static_cast<int>(ownBreak) + 2, -2);
            }
            end = at;
        }
        if (end >= t.text.size()) break;
        pos = end + 2;
    }
}

void SettleSelection(cEditText& t) {
    int size = static_cast<int>(t.text.size());
    for (int* sel : {&t.selStart, &t.selEnd}) {
        if (*sel >= 0 && *sel < size && t.text[static_cast<std::size_t>(*sel)] == '\n') ++*sel;
        *sel = std::clamp(*sel, 0, size);
    }
}

}  // namespace

int EditByteLimit(const cEditLimits& limits) { return limits.doubleByte ? 2 * limits.maxCount - 1 : limits.maxCount; }

std::string CutToBytes(const std::string& text, int n) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t next = at + static_cast<std::size_t>(CharLength(text, at));
        if (static_cast<int>(next) > n) break;
        at = next;
    }
    return text.substr(0, at);
}

cEditText CheckEditChange(const cEditLimits& l, const std::string& previous, cEditText now, bool backspaceHeld,
                          bool firstRun) {
    now.text = CutToBytes(now.text, EditByteLimit(l) - 1);
    if (l.lines > 0 || l.charsPerLine > 0) {
        if (JoinOverfills(l, previous, now, backspaceHeld)) {
            now.text = previous;
        } else {
            Wrap(l, now);
            if (LineCount(now.text) > l.lines)
                now.text = firstRun ? CutToMeasure(previous, l.charsPerLine, l.doubleByte) : previous;
        }
    }
    SettleSelection(now);
    return now;
}
