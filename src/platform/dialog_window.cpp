#include "platform/dialog_window.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/dialog_internal.h"
#include "platform/threads_internal.h"
#include "platform/window.h"

using namespace platform::detail;

namespace {

enum class Kind { Dialog, Item, Box };

struct Entry {
    Kind kind = Kind::Dialog;
    HWND parent = nullptr;  // owner of a dialog, dialog of an item
    DLGPROC proc = nullptr;
    int id = 0;
    std::string text;
    RECT rect;  // desktop coordinates
    std::shared_ptr<ThreadRecord> thread;
    bool ended = false;
    LRESULT result = 0;
};

struct Extras {
    DWORD style = 0;
    bool hidden = false;
    std::map<std::string, void*> props;
};

struct Hook {
    DWORD thread = 0;
    HOOKPROC proc = nullptr;
};

struct Tables {
    std::mutex mutex;
    std::map<HWND, Entry> windows;
    std::map<HWND, Extras> extras;
    std::map<int, platform::DialogTemplate> templates;
    std::vector<HWND> active;
    std::map<HHOOK, Hook> hooks;
    std::map<int, int> metricOverrides;
    std::uintptr_t serial = 0;
    POINT cursor;
} g;

HWND NewHandle() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x40000000 + 0x10 * ++g.serial)); }

// Under the mutex.
Entry* Find(HWND window) {
    auto it = g.windows.find(window);
    return it == g.windows.end() ? nullptr : &it->second;
}

Entry* FindItem(HWND dialog, int id) {
    for (auto& [handle, e] : g.windows) {
        if (e.kind == Kind::Item && e.parent == dialog && e.id == id) return &e;
    }
    return nullptr;
}

bool Known(HWND window) { return Find(window) || (window && IsWindow(window)); }

bool IsKeyMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEMOVE && msg <= WM_RBUTTONDBLCLK; }

RECT CentredOn(const RECT& area, int width, int height) {
    int x = area.left + (area.right - area.left) / 2 - width / 2;
    int y = area.top + (area.bottom - area.top) / 2 - height / 2;
    return RECT{x, y, x + width, y + height};
}

HWND CreateDialogEntry(const platform::DialogTemplate& t, HWND owner, DLGPROC proc) {
    RECT area = GetWorkArea();
    if (owner) GetWindowRect(owner, &area);
    std::lock_guard<std::mutex> lock(g.mutex);
    HWND dialog = NewHandle();
    Entry e;
    e.parent = owner;
    e.proc = proc;
    e.text = t.title;
    e.rect = CentredOn(area, t.width, t.height);
    e.thread = CurrentRecord();
    g.windows[dialog] = e;
    g.extras[dialog].style = t.style;
    for (const auto& item : t.items) {
        Entry i;
        i.kind = Kind::Item;
        i.parent = dialog;
        i.id = item.id;
        i.text = item.text;
        i.rect = e.rect;
        g.windows[NewHandle()] = i;
    }
    g.active.push_back(dialog);
    return dialog;
}

void EraseDialog(HWND dialog) {
    std::lock_guard<std::mutex> lock(g.mutex);
    for (auto it = g.windows.begin(); it != g.windows.end();) {
        if (it->first == dialog || (it->second.kind == Kind::Item && it->second.parent == dialog)) {
            g.extras.erase(it->first);
            it = g.windows.erase(it);
        } else {
            ++it;
        }
    }
    g.active.erase(std::remove(g.active.begin(), g.active.end(), dialog), g.active.end());
}

bool Ended(HWND dialog, LRESULT& result) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(dialog);
    if (!e) return true;
    result = e->result;
    return e->ended;
}

// The keys the host's dialog manager turns into the default and cancel
// buttons.
void DialogManagerKey(HWND dialog, const MSG& m) {
    if (m.message != WM_KEYDOWN) return;
    if (m.wParam == static_cast<WPARAM>(VK_RETURN)) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (m.wParam == static_cast<WPARAM>(VK_ESCAPE)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

LRESULT RunModal(HWND dialog, HWND owner) {
    LRESULT result = 0;
    while (!Ended(dialog, result)) {
        if (owner && !IsWindow(owner)) break;
        MSG m;
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(m.wParam));
            result = 0;
            break;
        }
        // Host input arrives addressed to the main window; what is posted to
        // a dialog has passed the hooks already.
        bool hostInput = !platform::detail::IsDialogWindow(m.hwnd);
        if (IsKeyMessage(m.message) && hostInput) {
            if (!platform::FilterKeyMessage(m)) DialogManagerKey(dialog, m);
            continue;
        }
        if (IsMouseMessage(m.message) && hostInput) continue;
        DispatchMessageA(&m);
    }
    return result;
}

}  // namespace

namespace platform {

void RegisterDialogTemplate(int resourceId, const DialogTemplate& dialog) {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.templates[resourceId] = dialog;
}

void ClearDialogTemplates() {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.templates.clear();
}

bool FilterKeyMessage(const MSG& msg) {
    if (!IsKeyMessage(msg.message)) return false;
    HOOKPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        DWORD self = GetCurrentThreadId();
        for (const auto& [handle, hook] : g.hooks) {
            if (hook.thread == self) proc = hook.proc;  // the newest handle wins
        }
    }
    if (!proc) return false;
    bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    LPARAM keyData = up ? static_cast<LPARAM>(static_cast<std::uint32_t>(msg.lParam) | 0xC0000000u) : msg.lParam;
    return proc(HC_ACTION, msg.wParam, keyData) != 0;
}

void SetCursorPosition(int x, int y) {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.cursor = POINT{x, y};
}

void OverrideSystemMetric(int index, int value) {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.metricOverrides[index] = value;
}

void ResetSystemMetrics() {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.metricOverrides.clear();
}

int DialogWindowCount() {
    std::lock_guard<std::mutex> lock(g.mutex);
    return static_cast<int>(
        std::count_if(g.windows.begin(), g.windows.end(), [](const auto& w) { return w.second.kind == Kind::Dialog; }));
}

}  // namespace platform

namespace platform::detail {

bool IsDialogWindow(HWND window) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(window);
    return e && e->kind == Kind::Dialog;
}

bool PostToDialog(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<ThreadRecord> thread;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        Entry* e = Find(window);
        if (!e || e->kind != Kind::Dialog) return false;
        thread = e->thread;
    }
    PushMessage(*thread, MSG{window, msg, wParam, lParam});
    return true;
}

bool CallDialog(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    DLGPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        Entry* e = Find(window);
        if (!e || e->kind != Kind::Dialog) return false;
        if (e->thread != CurrentRecord()) {
            result = 0;
            return true;
        }
        proc = e->proc;
    }
    result = proc ? proc(window, msg, wParam, lParam) : 0;
    return true;
}

bool DestroyDialog(HWND window) {
    LRESULT ignored = 0;
    if (!CallDialog(window, WM_DESTROY, 0, 0, ignored)) return false;
    EraseDialog(window);
    return true;
}

bool DialogRect(HWND window, RECT& desktop) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(window);
    if (!e) return false;
    desktop = e->rect;
    return true;
}

bool MoveDialog(HWND window, int x, int y, int width, int height) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(window);
    if (!e || e->kind != Kind::Dialog) return false;
    e->rect = RECT{x, y, x + width, y + height};
    return true;
}

bool SetDialogText(HWND window, const std::string& text) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(window);
    if (!e) return false;
    e->text = text;
    return true;
}

void ForgetWindow(HWND window) {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.extras.erase(window);
}

HWND BeginMessageBoxWindow() {
    std::lock_guard<std::mutex> lock(g.mutex);
    HWND box = NewHandle();
    Entry e;
    e.kind = Kind::Box;
    g.windows[box] = e;
    g.active.push_back(box);
    return box;
}

void EndMessageBoxWindow(HWND box) {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.windows.erase(box);
    g.extras.erase(box);
    g.active.erase(std::remove(g.active.begin(), g.active.end(), box), g.active.end());
}

}  // namespace platform::detail

LRESULT DialogBoxParamA(HINSTANCE, int resourceId, HWND owner, DLGPROC proc, LPARAM param) {
    platform::DialogTemplate t;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        auto it = g.templates.find(resourceId);
        if (it == g.templates.end()) return -1;
        t = it->second;
    }
    HWND dialog = CreateDialogEntry(t, owner, proc);
    DWORD ownerStyle = GetWindowLongA(owner, GWL_STYLE);
    if (owner) SetWindowLongA(owner, GWL_STYLE, ownerStyle | WS_DISABLED);
    LRESULT ignored = 0;
    CallDialog(dialog, WM_INITDIALOG, 0, param, ignored);
    LRESULT result = RunModal(dialog, owner);
    DestroyDialog(dialog);
    if (owner && IsWindow(owner)) SetWindowLongA(owner, GWL_STYLE, ownerStyle);
    return result;
}

BOOL EndDialog(HWND dialog, LRESULT result) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(dialog);
    if (!e || e->kind != Kind::Dialog) return FALSE;
    e->ended = true;
    e->result = result;
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
    std::lock_guard<std::mutex> lock(g.mutex);
    for (const auto& [handle, e] : g.windows) {
        if (e.kind == Kind::Item && e.parent == dialog && e.id == id) return handle;
    }
    return nullptr;
}

int GetDlgItemTextA(HWND dialog, int id, char* buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* item = FindItem(dialog, id);
    if (!item) {
        buffer[0] = '\0';
        return 0;
    }
    int n = std::min(static_cast<int>(item->text.size()), maxCount - 1);
    std::copy_n(item->text.data(), n, buffer);
    buffer[n] = '\0';
    return n;
}

BOOL SetDlgItemTextA(HWND dialog, int id, const std::string& text) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* item = FindItem(dialog, id);
    if (!item) return FALSE;
    item->text = text;
    return TRUE;
}

BOOL SetPropA(HWND window, const std::string& name, void* value) {
    if (!Known(window)) return FALSE;
    std::lock_guard<std::mutex> lock(g.mutex);
    g.extras[window].props[name] = value;
    return TRUE;
}

void* GetPropA(HWND window, const std::string& name) {
    std::lock_guard<std::mutex> lock(g.mutex);
    auto it = g.extras.find(window);
    if (it == g.extras.end()) return nullptr;
    auto p = it->second.props.find(name);
    return p == it->second.props.end() ? nullptr : p->second;
}

void* RemovePropA(HWND window, const std::string& name) {
    std::lock_guard<std::mutex> lock(g.mutex);
    auto it = g.extras.find(window);
    if (it == g.extras.end()) return nullptr;
    auto p = it->second.props.find(name);
    if (p == it->second.props.end()) return nullptr;
    void* value = p->second;
    it->second.props.erase(p);
    return value;
}

DWORD GetWindowLongA(HWND window, int index) {
    if (index != GWL_STYLE) return 0;
    std::lock_guard<std::mutex> lock(g.mutex);
    auto it = g.extras.find(window);
    return it == g.extras.end() ? 0 : it->second.style;
}

DWORD SetWindowLongA(HWND window, int index, DWORD value) {
    if (index != GWL_STYLE || !Known(window)) return 0;
    std::lock_guard<std::mutex> lock(g.mutex);
    DWORD previous = g.extras[window].style;
    g.extras[window].style = value;
    return previous;
}

BOOL ShowWindow(HWND window, int command) {
    if (!Known(window)) return FALSE;
    std::lock_guard<std::mutex> lock(g.mutex);
    Extras& x = g.extras[window];
    BOOL wasVisible = x.hidden ? FALSE : TRUE;
    x.hidden = command == SW_HIDE;
    return wasVisible;
}

BOOL IsWindowVisible(HWND window) {
    if (!Known(window)) return FALSE;
    std::lock_guard<std::mutex> lock(g.mutex);
    auto it = g.extras.find(window);
    return it != g.extras.end() && it->second.hidden ? FALSE : TRUE;
}

HWND GetActiveWindow() {
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        if (!g.active.empty()) return g.active.back();
    }
    return LiveMainWindow();
}

HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HINSTANCE, DWORD threadId) {
    if (kind != WH_KEYBOARD || !proc) return nullptr;
    std::lock_guard<std::mutex> lock(g.mutex);
    HHOOK hook = reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(0x50000000 + 0x10 * ++g.serial));
    g.hooks[hook] = Hook{threadId, proc};
    return hook;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    std::lock_guard<std::mutex> lock(g.mutex);
    return g.hooks.erase(hook) ? TRUE : FALSE;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) { return 0; }

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    std::lock_guard<std::mutex> lock(g.mutex);
    *point = g.cursor;
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
    RECT r;
    if (!point || !GetWindowRect(window, &r)) return FALSE;
    point->x -= r.left;
    point->y -= r.top;
    return TRUE;
}

int GetSystemMetrics(int index) {
    static const std::map<int, int> kMetrics = {
        {SM_CXVSCROLL, 16}, {SM_CYHSCROLL, 16}, {SM_CYCAPTION, 0}, {SM_CXDLGFRAME, 0},
        {SM_CYDLGFRAME, 0}, {SM_CYMENU, 0},     {SM_CXFRAME, 0},   {SM_CYFRAME, 0},
    };
    std::lock_guard<std::mutex> lock(g.mutex);
    auto o = g.metricOverrides.find(index);
    if (o != g.metricOverrides.end()) return o->second;
    auto it = kMetrics.find(index);
    return it == kMetrics.end() ? 0 : it->second;
}
