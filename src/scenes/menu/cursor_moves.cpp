#include "scenes/menu/cursor_moves.h"

#include <algorithm>

#include "scenes/menu/cursor_stack.h"
#include "shell/input/key_state.h"
#include "sound/sound_effects.h"

namespace {

int Wrap(int value, int count) {
    if (value < 0) return count - 1;
    if (value >= count) return 0;
    return value;
}

}  // namespace

void MoveGridCursor(std::uint16_t keys, int x0, int y0, int dx, int dy, int columns, int rows) {
    if (columns < 0 || rows < 0) return;
    CursorState& c = CursorStack.Top();
    if (keys & KeyBit::Left) --c.column;
    else if (keys & KeyBit::Right) ++c.column;
    if (keys & KeyBit::Up) --c.row;
    else if (keys & KeyBit::Down) ++c.row;
    c.row = Wrap(c.row, rows);
    c.column = Wrap(c.column, columns);
    c.x = x0 + dx * c.column;
    c.y = y0 + dy * c.row;
}

void MoveListCursor(std::uint16_t keys, int axis, int& top, int origin, int pitch, int other, int page, int count,
                    int pageJumps) {
    CursorState& c = CursorStack.Top();
    int& index = axis == 0 ? c.column : c.row;
    if (keys & KeyBit::Up) {
        if (index - top <= 0) --top;
        --index;
    } else if (keys & KeyBit::Down) {
        if (index - top >= page - 1) ++top;
        ++index;
    }
    if (pageJumps) {
        if (keys & KeyBit::Right) {
            if (top == count - page) {
                index = count - 1;
            } else {
                top += page - 1;
                index += page - 1;
            }
        } else if (keys & KeyBit::Left) {
            if (top == 0) {
                index = 0;
            } else {
                top -= page - 1;
                index -= page - 1;
            }
        }
    }
    index = std::max(std::min(index, count - 1), 0);
    top = top < 0 ? 0 : std::min(top, std::max(count - page, 0));
    const int along = origin + pitch * (index - top);
    (axis == 0 ? c.x : c.y) = along;
    (axis == 0 ? c.y : c.x) = other;
}

int PlayCursorSound(std::uint16_t keys, int axes, int sound) {
    int played = 0;
    if ((axes & 1) && (keys & (KeyBit::Left | KeyBit::Right))) ++played;
    if ((axes & 2) && (keys & (KeyBit::Up | KeyBit::Down))) ++played;
    for (int i = 0; i < played; ++i) SoundEffects[sound].Play(0);
    return played;
}
