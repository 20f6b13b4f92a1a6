#include "shell/requests/error_requests.h"

#include "foundation/report.h"
#include "platform/window.h"
#include "shell/app_state.h"

void ShowErrorOnWindowThread(const std::string& text) {
    HWND window = MainWindowHandle.load();
    if (!window) {
        ErrorBox(text);
        return;
    }
    // The send returns after the handler ran, so the text outlives it.
    SendMessageA(window, kWmErrorBox, 0, reinterpret_cast<LPARAM>(&text));
}

void OnErrorBoxRequest(LPARAM text) {
    if (text) ErrorBox(*reinterpret_cast<const std::string*>(text));
}
