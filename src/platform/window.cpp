#include "platform/window.h"

#include <algorithm>
#include <mutex>

#include "platform/dialog_internal.h"
#include "platform/text.h"
#include "platform/threads_internal.h"

using namespace platform::detail;

namespace {

struct WindowState {
    std::mutex mutex;
    HWND hwnd = nullptr;
    bool alive = false;
    bool closing = false;
    WindowProc proc;
    std::shared_ptr<ThreadRecord> owner;
    std::shared_ptr<platform::WindowBackend> backend;
    std::unique_ptr<platform::WindowBackend> next;  // installed for the next window
    std::uintptr_t serial = 0;
    std::vector<WindowMenuEntry> menu;
    WindowDisplay display = WindowDisplay::Fixed;
} g_win;

struct Live {
    WindowProc proc;
    std::shared_ptr<ThreadRecord> owner;
    std::shared_ptr<platform::WindowBackend> backend;
};

// A copy of what a call needs, or nothing when hwnd is not the live window.
bool GetLive(HWND hwnd, Live& out) {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    if (!hwnd || hwnd != g_win.hwnd || !g_win.alive) return false;
    out = Live{g_win.proc, g_win.owner, g_win.backend};
    return true;
}

// Answers every waiting send with 0; the window mutex is held.
void FailWaitingSends() {
    if (!g_win.owner) return;
    std::deque<std::shared_ptr<SendRequest>> waiting;
    {
        std::lock_guard<std::mutex> lock(g_win.owner->mutex);
        waiting.swap(g_win.owner->sent);
    }
    for (auto& r : waiting) CompleteSend(r, 0);
}

void RunSentMessages(ThreadRecord& owner) {
    for (;;) {
        std::shared_ptr<SendRequest> req;
        {
            std::lock_guard<std::mutex> lock(owner.mutex);
            if (owner.sent.empty()) return;
            req = owner.sent.front();
            owner.sent.pop_front();
        }
        Live live;
        LRESULT result = 0;
        HWND hwnd;
        {
            std::lock_guard<std::mutex> lock(g_win.mutex);
            hwnd = g_win.hwnd;
        }
        if (GetLive(hwnd, live)) result = live.proc(hwnd, req->msg, req->wParam, req->lParam);
        CompleteSend(req, result);
    }
}

void BeforePeek() {
    Live live;
    HWND hwnd;
    {
        std::lock_guard<std::mutex> lock(g_win.mutex);
        hwnd = g_win.hwnd;
    }
    if (!GetLive(hwnd, live)) return;
    RunSentMessages(*live.owner);
    live.backend->Pump([&](UINT msg, WPARAM wp, LPARAM lp) { PushMessage(*live.owner, MSG{hwnd, msg, wp, lp}); });
}

}  // namespace

HWND CreateMainWindow(const std::string& title, int x, int y, int clientWidth, int clientHeight, WindowProc proc) {
    auto owner = CurrentRecord();
    std::shared_ptr<platform::WindowBackend> backend;
    HWND hwnd;
    {
        std::lock_guard<std::mutex> lock(g_win.mutex);
        if (g_win.alive) return nullptr;
        backend = g_win.next ? std::shared_ptr<platform::WindowBackend>(std::move(g_win.next))
                             : std::shared_ptr<platform::WindowBackend>(platform::MakeHeadlessWindowBackend());
    }
    if (!backend->Open(platform::Cp932ToUtf8(title), x, y, clientWidth, clientHeight)) return nullptr;
    {
        std::lock_guard<std::mutex> lock(g_win.mutex);
        hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10000 + 0x10 * ++g_win.serial));
        g_win.hwnd = hwnd;
        g_win.alive = true;
        g_win.closing = false;
        g_win.proc = std::move(proc);
        g_win.owner = owner;
        g_win.backend = backend;
        g_win.menu.clear();
        g_win.display = WindowDisplay::Fixed;
    }
    {
        std::lock_guard<std::mutex> lock(owner->mutex);
        owner->hasQueue = true;
        owner->beforePeek = BeforePeek;
    }
    Live live;
    if (GetLive(hwnd, live)) live.proc(hwnd, WM_CREATE, 0, 0);
    return hwnd;
}

BOOL DestroyWindow(HWND window) {
    if (DestroyDialog(window)) return TRUE;
    Live live;
    if (!GetLive(window, live)) return FALSE;
    live.proc(window, WM_DESTROY, 0, 0);
    {
        std::lock_guard<std::mutex> lock(g_win.mutex);
        g_win.alive = false;
        g_win.closing = true;
        FailWaitingSends();
        g_win.proc = nullptr;
        g_win.backend.reset();
    }
    {
        std::lock_guard<std::mutex> lock(live.owner->mutex);
        live.owner->beforePeek = nullptr;
    }
    live.backend->Close();
    ForgetWindow(window);
    return TRUE;
}

BOOL IsWindow(HWND window) {
    Live live;
    return GetLive(window, live) || IsDialogWindow(window) ? TRUE : FALSE;
}

BOOL PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (PostToDialog(window, msg, wParam, lParam)) return TRUE;
    Live live;
    if (!GetLive(window, live)) return FALSE;
    PushMessage(*live.owner, MSG{window, msg, wParam, lParam});
    return TRUE;
}

LRESULT SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT toDialog = 0;
    if (CallDialog(window, msg, wParam, lParam, toDialog)) return toDialog;
    if (CallItem(window, msg, wParam, lParam, toDialog)) return toDialog;
    auto self = CurrentRecord();
    std::unique_lock<std::mutex> selfLock(self->mutex);
    GateEnter(*self, selfLock);
    selfLock.unlock();

    auto req = std::make_shared<SendRequest>();
    req->msg = msg;
    req->wParam = wParam;
    req->lParam = lParam;
    req->sender = self;
    Live live;
    bool direct = false;
    bool queued = false;
    {
        std::lock_guard<std::mutex> lock(g_win.mutex);
        if (window && window == g_win.hwnd && g_win.alive && !g_win.closing) {
            live = Live{g_win.proc, g_win.owner, g_win.backend};
            if (g_win.owner == self) {
                direct = true;
            } else {
                std::lock_guard<std::mutex> ownerLock(g_win.owner->mutex);
                g_win.owner->sent.push_back(req);
                g_win.owner->cv.notify_all();
                queued = true;
            }
        }
    }
    LRESULT result = 0;
    if (direct) result = live.proc(window, msg, wParam, lParam);
    selfLock.lock();
    if (queued) {
        self->cv.wait(selfLock, [&] { return req->done || self->terminated; });
        result = req->done ? req->result : 0;
    }
    GateLeave(*self, selfLock);
    return result;
}

LRESULT DispatchMessageA(const MSG* msg) {
    LRESULT toDialog = 0;
    if (msg && CallDialog(msg->hwnd, msg->message, msg->wParam, msg->lParam, toDialog)) return toDialog;
    Live live;
    if (!msg || !GetLive(msg->hwnd, live)) return 0;
    return live.proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DefWindowProcA(HWND window, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_CLOSE) DestroyWindow(window);
    return 0;
}

BOOL SetWindowTextA(HWND window, const std::string& title) {
    if (SetDialogText(window, title)) return TRUE;
    Live live;
    if (!GetLive(window, live)) return FALSE;
    live.backend->SetTitle(platform::Cp932ToUtf8(title));
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    Live live;
    RECT g;
    if (!rect) return FALSE;
    if (DialogRect(window, g)) {
        *rect = RECT{0, 0, g.right - g.left, g.bottom - g.top};
        return TRUE;
    }
    if (!GetLive(window, live)) return FALSE;
    g = live.backend->Geometry();
    *rect = RECT{0, 0, g.right - g.left, g.bottom - g.top};
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    Live live;
    if (rect && DialogRect(window, *rect)) return TRUE;
    if (!rect || !GetLive(window, live)) return FALSE;
    *rect = live.backend->Geometry();
    return TRUE;
}

BOOL MoveWindowClient(HWND window, int x, int y, int width, int height) {
    if (width > 0 && height > 0 && MoveDialog(window, x, y, width, height)) return TRUE;
    Live live;
    if (!GetLive(window, live) || width <= 0 || height <= 0) return FALSE;
    live.backend->Move(x, y, width, height);
    return TRUE;
}

RECT GetWorkArea() {
    std::shared_ptr<platform::WindowBackend> backend;
    {
        std::lock_guard<std::mutex> lock(g_win.mutex);
        backend = g_win.backend;
    }
    return backend ? backend->WorkArea() : RECT{0, 0, 1920, 1080};
}

BOOL IsIconic(HWND window) {
    Live live;
    return GetLive(window, live) && live.backend->Minimised() ? TRUE : FALSE;
}

BOOL IsZoomed(HWND window) {
    Live live;
    return GetLive(window, live) && live.backend->Maximised() ? TRUE : FALSE;
}

BOOL InsertWindowMenuEntry(HWND window, int position, const WindowMenuEntry& entry) {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    if (!window || window != g_win.hwnd || !g_win.alive) return FALSE;
    const auto at = position < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(position), g_win.menu.size());
    g_win.menu.insert(g_win.menu.begin() + static_cast<std::ptrdiff_t>(at), entry);
    return TRUE;
}

std::vector<WindowMenuEntry> WindowMenuEntries(HWND window) {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    if (!window || window != g_win.hwnd || !g_win.alive) return {};
    return g_win.menu;
}

namespace platform {

namespace detail {

HWND LiveMainWindow() {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    return g_win.alive ? g_win.hwnd : nullptr;
}

bool OnMainWindowThread() {
    auto self = CurrentRecord();
    std::lock_guard<std::mutex> lock(g_win.mutex);
    return g_win.alive && g_win.owner == self;
}

void MaximiseMainWindow(HWND window) {
    Live live;
    if (GetLive(window, live)) live.backend->Maximise();
}

void MinimiseMainWindow(HWND window) {
    Live live;
    if (GetLive(window, live)) live.backend->Minimise();
}

}  // namespace detail

void BeginWindowClose(HWND window) {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    if (window != g_win.hwnd || !g_win.alive) return;
    g_win.closing = true;
    FailWaitingSends();
    if (g_win.backend) g_win.backend->Closing();
}

void InstallWindowBackend(std::unique_ptr<WindowBackend> backend) {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    g_win.next = std::move(backend);
}

bool MainWindowMenuOffers(UINT id) {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    if (!g_win.alive || id == 0) return false;
    return std::any_of(g_win.menu.begin(), g_win.menu.end(), [id](const WindowMenuEntry& e) { return e.id == id; });
}

bool WindowBackendInstalled() {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    return g_win.next != nullptr;
}

}  // namespace platform

BOOL SetWindowDisplay(HWND window, WindowDisplay display) {
    Live live;
    if (!GetLive(window, live) || !live.backend->SetDisplay(display)) return FALSE;
    std::lock_guard<std::mutex> lock(g_win.mutex);
    g_win.display = display;
    return TRUE;
}

WindowDisplay GetWindowDisplay(HWND window) {
    std::lock_guard<std::mutex> lock(g_win.mutex);
    return window && window == g_win.hwnd && g_win.alive ? g_win.display : WindowDisplay::Fixed;
}
