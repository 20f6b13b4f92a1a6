#include "platform/dialog_items.h"

#include <algorithm>

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// The start of the character that ends at pos (walking from the front, as
// a trail byte can look like a lead byte).
int PreviousCharStart(const std::string& text, int pos) {
    int at = 0;
    int last = 0;
    while (at < pos) {
        last = at;
        at += platform::CharLengthAt(text, at);
    }
    return last;
}

void CollapseTo(platform::DialogItemState& item, int pos) { item.selStart = item.selEnd = pos; }

void ReplaceSelection(platform::DialogItemState& item, const std::string& with) {
    int size = static_cast<int>(item.text.size());
    int a = std::clamp(std::min(item.selStart, item.selEnd), 0, size);
    int b = std::clamp(std::max(item.selStart, item.selEnd), 0, size);
    item.text.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), with);
    item.selStart = item.selEnd = a + static_cast<int>(with.size());
}

bool HasSelection(const platform::DialogItemState& item) { return item.selStart != item.selEnd; }

int EditKey(platform::DialogItemState& item, int vk) {
    int size = static_cast<int>(item.text.size());
    int caret = std::clamp(item.selEnd, 0, size);
    switch (vk) {
        case VK_LEFT:
            CollapseTo(item,
                       HasSelection(item) ? std::min(item.selStart, item.selEnd) : PreviousCharStart(item.text, caret));
            return platform::kNoNotification;
        case VK_RIGHT:
            CollapseTo(item, HasSelection(item) ? std::max(item.selStart, item.selEnd)
                                                : caret + platform::CharLengthAt(item.text, caret));
            return platform::kNoNotification;
        case VK_HOME: CollapseTo(item, 0); return platform::kNoNotification;
        case VK_END: CollapseTo(item, size); return platform::kNoNotification;
        case VK_BACK:
            if (!HasSelection(item)) {
                if (caret == 0) return platform::kNoNotification;
                item.selStart = PreviousCharStart(item.text, caret);
                item.selEnd = caret;
            }
            ReplaceSelection(item, "");
            return EN_UPDATE;
        case VK_DELETE:
            if (!HasSelection(item)) {
                if (caret >= size) return platform::kNoNotification;
                item.selStart = caret;
                item.selEnd = caret + platform::CharLengthAt(item.text, caret);
            }
            ReplaceSelection(item, "");
            return EN_UPDATE;
        default: return platform::kNoNotification;
    }
}

int ListKey(platform::DialogItemState& item, int vk, int pageRows) {
    int count = static_cast<int>(item.rows.size());
    if (count == 0) return platform::kNoNotification;
    int page = std::max(pageRows, 1);
    int to = item.current;
    switch (vk) {
        case VK_UP:
        case VK_LEFT: to = item.current < 0 ? 0 : item.current - 1; break;
        case VK_DOWN:
        case VK_RIGHT: to = item.current + 1; break;
        case VK_PRIOR: to = item.current - page; break;
        case VK_NEXT: to = item.current + page; break;
        case VK_HOME: to = 0; break;
        case VK_END: to = count - 1; break;
        default: return platform::kNoNotification;
    }
    to = std::clamp(to, 0, count - 1);
    if (to < item.top) item.top = to;
    if (to >= item.top + page) item.top = to - page + 1;
    if (to == item.current) return platform::kNoNotification;
    item.current = to;
    return LBN_SELCHANGE;
}

}  // namespace

namespace platform {

int CharLengthAt(const std::string& text, int pos) {
    int size = static_cast<int>(text.size());
    if (pos < 0 || pos >= size) return 0;
    auto lead = static_cast<unsigned char>(text[static_cast<std::size_t>(pos)]);
    if (pos + 1 < size && IsLeadByte(lead) &&
        IsTrailByte(static_cast<unsigned char>(text[static_cast<std::size_t>(pos) + 1])))
        return 2;
    return 1;
}

int ItemKey(DialogItemState& item, int vk, int pageRows) {
    if (item.kind == DialogItemKind::Edit) return EditKey(item, vk);
    if (item.kind == DialogItemKind::List) return ListKey(item, vk, pageRows);
    return kNoNotification;
}

int ItemChar(DialogItemState& item, WPARAM ch) {
    if (item.kind != DialogItemKind::Edit) return kNoNotification;
    std::string typed;
    if (ch > 0xFF) {
        auto lead = static_cast<unsigned char>((ch >> 8) & 0xFF);
        auto trail = static_cast<unsigned char>(ch & 0xFF);
        if (!IsLeadByte(lead) || !IsTrailByte(trail)) return kNoNotification;
        typed = {static_cast<char>(lead), static_cast<char>(trail)};
    } else {
        // A lone lead byte would join whatever follows it.
        if (ch < 0x20 || ch == 0x7F || IsLeadByte(static_cast<unsigned char>(ch))) return kNoNotification;
        typed = std::string(1, static_cast<char>(ch));
    }
    ReplaceSelection(item, typed);
    return EN_UPDATE;
}

}  // namespace platform
