#include "foundation/abort.h"

#include "platform/main_window_post.h"

std::atomic<int> AbortFlag{0};

void FatalClose() {
    AbortFlag.store(1);
    platform::PostToMainWindow(WM_CLOSE, 0, 0);
}
