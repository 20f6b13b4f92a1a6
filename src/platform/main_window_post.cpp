#include "platform/main_window_post.h"

#include <deque>
#include <mutex>

namespace {

std::mutex g_mutex;
platform::MainWindowRouter g_router;
std::deque<platform::PostedMessage> g_pending;
std::vector<platform::PostedMessage> g_record;

}  // namespace

namespace platform {

void PostToMainWindow(UINT msg, WPARAM wParam, LPARAM lParam) {
    PostedMessage m{msg, wParam, lParam};
    MainWindowRouter router;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_router) {
            g_pending.push_back(m);
            g_record.push_back(m);
            return;
        }
        router = g_router;
    }
    if (!router(m)) {
        // The window refused (it is gone): keep it like an early post.
        std::lock_guard<std::mutex> lock(g_mutex);
        g_pending.push_back(m);
        g_record.push_back(m);
    }
}

void SetMainWindowRouter(MainWindowRouter router) {
    std::deque<PostedMessage> flush;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_router = router;
        if (router) flush.swap(g_pending);
    }
    for (const auto& m : flush) router(m);
}

std::vector<PostedMessage> RecordedMainWindowPosts() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_record;
}

void ClearMainWindowPosts() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_record.clear();
    g_pending.clear();
}

}  // namespace platform
