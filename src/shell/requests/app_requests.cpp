#include "shell/requests/app_requests.h"

#include "platform/window.h"
#include "shell/app_state.h"

std::atomic<int> NameEntryDone{0};
std::atomic<int> RequestDone{0};
std::atomic<int> RequestResult{0};

int SendAppRequest(UINT msg, WPARAM wParam, LPARAM lParam, std::atomic<int>& done) {
    done.store(0);
    SendMessageA(MainWindowHandle.load(), msg, wParam, lParam);
    if (done.load() == 0) {
        // The send came back without the handler having finished: it did not
        // run at all (handlers set the flag last, before they return).
        RequestResult.store(0);
        done.store(1);
    }
    return RequestResult.load();
}
