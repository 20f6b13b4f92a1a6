#include "scenes/menu/save_slot_list.h"

#include "draw/palette.h"
#include "draw/text/font.h"

namespace {
constexpr int kListWidth = 320;
constexpr int kRowHeight = 16;
constexpr int kSeparatorColor = 240;
}  // namespace

void DrawSaveSlots(DDSURFACEDATA* surface, int x, int y, const cVector<cSaveSlot>& slots, int first, int count) {
    Font& font = Fonts[1];
    font.DrawWindow(surface, x, y, kListWidth, count * kRowHeight);
    for (int r = 0; r < count; ++r) {
        const int top = y + kRowHeight * r;
        if (r != count - 1) PalNumToRGB(surface, x, top + kRowHeight - 1, kListWidth, 1, kSeparatorColor);
        const int slot = first + r;
        if (slot < 0 || slot >= slots.Count()) continue;
        font.DrawTextF(surface, x + 16, top, "%d", slot + 1);
        const cSaveSlot& s = slots[slot];
        if (!s.m_bUsed) continue;
        const SYSTEMTIME& t = s.m_SaveTime;
        font.DrawTextF(surface, x + 64, top, "%04d/%02d/%02d %02d:%02d\n", t.wYear, t.wMonth, t.wDay, t.wHour,
                       t.wMinute);
    }
}
