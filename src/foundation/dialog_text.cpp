#include "foundation/dialog_text.h"

#include <algorithm>
#include <vector>

#include "platform/dialog_window.h"

namespace {

constexpr int kTextBuffer = 5120;

}  // namespace

void GetDlgItemString(HWND dialog, int id, std::string& out, int maxCount) {
    out.clear();
    int count = std::min(maxCount, kTextBuffer);
    if (count < 1) return;
    std::vector<char> buffer(static_cast<size_t>(count), '\0');
    int n = GetDlgItemTextA(dialog, id, buffer.data(), count);
    out.assign(buffer.data(), static_cast<size_t>(std::max(n, 0)));
}

void SetDlgItemString(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text); }
