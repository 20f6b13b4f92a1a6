#pragma once
// Posts addressed to the main window by role. A fatal close can be raised
// before the window exists (data loads and the start-up dialog run first), so
// posts made before the window's router is installed are kept and delivered
// in order once it is.
#include <functional>
#include <vector>

#include "platform/win_types.h"

namespace platform {

struct PostedMessage {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

using MainWindowRouter = std::function<bool(const PostedMessage&)>;

// Contract: posts msg to the main window from any thread without waiting.
// With no router installed the post is kept (and recorded); it never fails.
void PostToMainWindow(UINT msg, WPARAM wParam, LPARAM lParam);

// Contract: installs the router of the real window; every
// kept post is handed to it first, in order. nullptr removes it; later posts
// are kept again.
void SetMainWindowRouter(MainWindowRouter router);

// Headless record: every post made while no router was installed, in order.
std::vector<PostedMessage> RecordedMainWindowPosts();
void ClearMainWindowPosts();

}  // namespace platform
