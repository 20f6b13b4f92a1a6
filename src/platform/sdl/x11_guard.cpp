// Only this file sees Xlib: its macros (True, None, Bool...) stay out of the
// rest of the backend.
#include "platform/sdl/x11_guard.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <atomic>
#include <string>

#include "platform/end_signals.h"
#include "platform/host_log.h"

namespace {

std::atomic<unsigned long> g_window{0};
std::atomic<Display*> g_display{nullptr};
std::atomic<bool> g_gone{false};
std::atomic<bool> g_handlersSet{false};
// The server reports a flood of errors once a window is gone; the host log
// gets the first few.
constexpr int kErrorsLogged = 8;
std::atomic<int> g_errors{0};

// Called by Xlib on the thread whose request failed, the window thread.
int OnXError(Display* display, XErrorEvent* e) {
    const unsigned long window = g_window.load();
    if (window != 0 && e->resourceid == window) g_gone.store(true);
    if (g_errors.fetch_add(1) < kErrorsLogged) {
        char text[128] = {};
        XGetErrorText(display, e->error_code, text, sizeof text - 1);
        platform::HostLog("X error: " + std::string(text) + " (request " + std::to_string(e->request_code) +
                          ", resource " + std::to_string(e->resourceid) + ")");
    }
    return 0;
}

// Xlib's own handler prints its own lines; the end below writes one.
int OnXIOError(Display*) { return 0; }

void OnXIOExit(Display*, void*) { platform::EndAfterDisplayLost("the X server connection closed"); }

}  // namespace

namespace platform::sdl {

void GuardX11Window(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    g_window.store(static_cast<unsigned long>(info.info.x11.window));
    g_display.store(info.info.x11.display);
    g_gone.store(false);
    // The pump hears of the window's destruction as an X event.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    if (!g_handlersSet.exchange(true)) {
        XSetErrorHandler(OnXError);
        XSetIOErrorHandler(OnXIOError);
    }
    XSetIOErrorExitHandler(info.info.x11.display, OnXIOExit, nullptr);
}

bool X11WindowGone() { return g_gone.load(); }

bool NoteX11WindowEvent(const SDL_Event& e) {
    if (e.type != SDL_SYSWMEVENT || !e.syswm.msg || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
    const XEvent& x = e.syswm.msg->msg.x11.event;
    if (x.type != DestroyNotify || x.xdestroywindow.window != g_window.load()) return false;
    g_gone.store(true);
    return true;
}

void UnguardX11Window() {
    // Errors of the requests that closed the window arrive here, not after
    // SDL has given Xlib its own handler back.
    if (Display* display = g_display.load()) XSync(display, False);
    g_window.store(0);
}

}  // namespace platform::sdl
