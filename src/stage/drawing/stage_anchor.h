#pragma once
// Where a message or picture stays put: the position of its first frame is
// kept (stored is set once), either as a stage point drawn wherever the view
// scrolls it to, or as a fixed screen position.

// Turns the screen position (x, y) into the kept stage point's screen
// position under the current scroll.
inline void FollowStagePoint(int& stored, int& storedX, int& storedY, double scrollX, double scrollY, int& x, int& y) {
    if (!stored) {
        storedX = static_cast<int>(scrollX + 0.5 + x);
        storedY = static_cast<int>(scrollY + 0.5 + y);
        stored = 1;
    }
    x = static_cast<int>(storedX - (scrollX - 0.5));
    y = static_cast<int>(storedY - (scrollY - 0.5));
}

// Keeps the screen position (x, y) of the first frame.
inline void KeepFirstPosition(int& stored, int& storedX, int& storedY, int& x, int& y) {
    if (!stored) {
        storedX = x;
        storedY = y;
        stored = 1;
    }
    x = storedX;
    y = storedY;
}
