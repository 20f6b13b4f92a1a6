#include "platform/cursor.h"

#include <atomic>

namespace {
std::atomic<int> g_count{0};
}  // namespace

int ShowCursor(BOOL show) { return show ? ++g_count : --g_count; }

namespace platform {

bool CursorShown() { return g_count.load() >= 0; }

void ResetCursorCount() { g_count.store(0); }

}  // namespace platform
