#include "platform/dialog_window.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>

#include "platform/clock.h"
#include "platform/dialog_internal.h"
#include "platform/headless_input.h"
#include "platform/host_log.h"
#include "platform/keyboard.h"
#include "platform/text.h"
#include "platform/threads_internal.h"
#include "platform/window.h"

using namespace platform::detail;
using platform::kBoxMargin;
using platform::kListRowHeight;
using platform::kNoNotification;

namespace {

enum class Kind { Dialog, Item, Box };

struct Entry {
    Kind kind = Kind::Dialog;
    HWND parent = nullptr;  // owner of a dialog, dialog of an item
    DLGPROC proc = nullptr;
    int id = 0;
    std::string text;  // a dialog's title
    RECT rect;         // a dialog: desktop coordinates; an item: in its dialog
    std::shared_ptr<ThreadRecord> thread;
    bool ended = false;
    LRESULT result = 0;
    HWND focus = nullptr;  // a dialog's focused item
    platform::DialogItemState item;
    bool tabStop = false;
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
    bool dirty = false;
    std::function<void()> painter;
    platform::Frame backdrop;
    bool unattended = false;
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
        i.item.kind = item.kind;
        i.item.text = item.text;
        i.rect = item.rect;
        i.tabStop = item.tabStop;
        g.windows[NewHandle()] = i;
    }
    bool first = std::none_of(g.active.begin(), g.active.end(), [](HWND w) {
        Entry* open = Find(w);
        return open && open->kind == Kind::Dialog;
    });
    if (first) g.backdrop = platform::LastPresentedFrame();
    g.active.push_back(dialog);
    g.dirty = true;
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
    g.dirty = true;
}

bool Ended(HWND dialog, LRESULT& result) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(dialog);
    if (!e) return true;
    result = e->result;
    return e->ended;
}

// Under the mutex: the items of a dialog in template order (handles grow).
std::vector<HWND> ItemsOf(HWND dialog) {
    std::vector<HWND> items;
    for (const auto& [handle, e] : g.windows) {
        if (e.kind == Kind::Item && e.parent == dialog) items.push_back(handle);
    }
    return items;
}

bool IsButton(platform::DialogItemKind k) {
    return k == platform::DialogItemKind::Button || k == platform::DialogItemKind::DefaultButton;
}

// The notification a dialog gets from one of its items.
struct Notice {
    HWND dialog = nullptr;
    HWND item = nullptr;
    int id = 0;
    int code = kNoNotification;
};

void Send(const Notice& n) {
    if (n.code == kNoNotification) return;
    LRESULT ignored = 0;
    WPARAM wParam = (static_cast<WPARAM>(n.code) << 16) | static_cast<WPARAM>(n.id & 0xFFFF);
    CallDialog(n.dialog, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(n.item), ignored);
}

// Under the mutex: checks one radio button and unchecks the others of its
// run (the radio buttons next to it in template order).
void CheckRadioInRun(HWND dialog, HWND radio) {
    auto items = ItemsOf(dialog);
    auto at = std::find(items.begin(), items.end(), radio);
    if (at == items.end()) return;
    auto isRadio = [](HWND h) { return Find(h)->item.kind == platform::DialogItemKind::Radio; };
    auto first = at;
    while (first != items.begin() && isRadio(*(first - 1))) --first;
    for (auto it = first; it != items.end() && isRadio(*it); ++it) Find(*it)->item.check = *it == radio ? 1 : 0;
}

// Under the mutex: the next radio button of the focused one's run.
HWND NeighbourRadio(HWND dialog, HWND radio, int step) {
    auto items = ItemsOf(dialog);
    auto at = std::find(items.begin(), items.end(), radio);
    if (at == items.end()) return nullptr;
    auto index = at - items.begin() + step;
    if (index < 0 || index >= static_cast<long>(items.size())) return nullptr;
    HWND next = items[static_cast<std::size_t>(index)];
    return Find(next)->item.kind == platform::DialogItemKind::Radio ? next : nullptr;
}

// Under the mutex: focus to the next (step 1) or previous (-1) item with a
// tab stop, wrapping around.
void MoveFocus(HWND dialog, int step) {
    auto items = ItemsOf(dialog);
    items.erase(std::remove_if(items.begin(), items.end(), [](HWND h) { return !Find(h)->tabStop; }), items.end());
    if (items.empty()) return;
    Entry* d = Find(dialog);
    auto at = std::find(items.begin(), items.end(), d->focus);
    long n = static_cast<long>(items.size());
    long index = at == items.end() ? (step > 0 ? 0 : n - 1) : ((at - items.begin()) + step + n) % n;
    d->focus = items[static_cast<std::size_t>(index)];
}

// Under the mutex: what pressing (Space, a click) an item does to it.
Notice Press(HWND dialog, HWND item) {
    Entry* e = Find(item);
    Notice n{dialog, item, e->id, kNoNotification};
    switch (e->item.kind) {
        case platform::DialogItemKind::Button:
        case platform::DialogItemKind::DefaultButton: n.code = BN_CLICKED; break;
        case platform::DialogItemKind::Check:
            e->item.check = e->item.check ? 0 : 1;
            n.code = BN_CLICKED;
            break;
        case platform::DialogItemKind::Radio:
            CheckRadioInRun(dialog, item);
            n.code = BN_CLICKED;
            break;
        default: break;
    }
    return n;
}

int PageRows(const Entry& e) { return std::max(1, (e.rect.bottom - e.rect.top - 2 * kBoxMargin) / kListRowHeight); }

// Under the mutex: the default push button's id, IDOK without one.
int DefaultCommand(HWND dialog) {
    for (HWND h : ItemsOf(dialog)) {
        if (Find(h)->item.kind == platform::DialogItemKind::DefaultButton) return Find(h)->id;
    }
    return IDOK;
}

// Under the mutex: the id Return stands for.
int ReturnCommand(HWND dialog) {
    Entry* d = Find(dialog);
    Entry* f = Find(d->focus);
    if (f && IsButton(f->item.kind)) return f->id;
    return DefaultCommand(dialog);
}

// Under the mutex: the button whose text holds the letter in parentheses,
// "(Y)", its access key; 0 for none, or while an edit or list box has the
// focus (the letter is typed there).
int AccessKeyCommand(HWND dialog, int vk) {
    if (vk < 'A' || vk > 'Z') return 0;
    Entry* d = Find(dialog);
    Entry* f = d ? Find(d->focus) : nullptr;
    if (!d || (f && !IsButton(f->item.kind))) return 0;
    const std::string mark = std::string("(") + static_cast<char>(vk) + ")";
    for (HWND h : ItemsOf(dialog)) {
        const Entry* e = Find(h);
        if (IsButton(e->item.kind) && e->item.text.find(mark) != std::string::npos) return e->id;
    }
    return 0;
}

// The keys the host's dialog manager handles for the dialog and its
// focused item.
void DialogManagerKey(HWND dialog, const MSG& m) {
    if (m.message != WM_KEYDOWN) return;
    int vk = static_cast<int>(m.wParam);
    int accessed = 0;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        accessed = AccessKeyCommand(dialog, vk);
    }
    if (accessed != 0) {
        Send(Notice{dialog, nullptr, accessed, BN_CLICKED});
        return;
    }
    if (vk == VK_ESCAPE) {
        Send(Notice{dialog, nullptr, IDCANCEL, BN_CLICKED});
        return;
    }
    if (vk == VK_RETURN) {
        int id = IDOK;
        {
            std::lock_guard<std::mutex> lock(g.mutex);
            if (!Find(dialog)) return;
            id = ReturnCommand(dialog);
        }
        Send(Notice{dialog, nullptr, id, BN_CLICKED});
        return;
    }
    Notice n;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        Entry* d = Find(dialog);
        if (!d) return;
        g.dirty = true;
        if (vk == VK_TAB) {
            MoveFocus(dialog, GetAsyncKeyState(VK_SHIFT) < 0 ? -1 : 1);
            return;
        }
        Entry* f = Find(d->focus);
        if (!f) return;
        n = Notice{dialog, d->focus, f->id, kNoNotification};
        if (vk == VK_SPACE) {
            n = Press(dialog, d->focus);
        } else if (f->item.kind == platform::DialogItemKind::Radio) {
            int step = vk == VK_DOWN || vk == VK_RIGHT ? 1 : (vk == VK_UP || vk == VK_LEFT ? -1 : 0);
            HWND next = step ? NeighbourRadio(dialog, d->focus, step) : nullptr;
            if (next) {
                d->focus = next;
                n = Press(dialog, next);
            }
        } else {
            n.code = platform::ItemKey(f->item, vk, PageRows(*f));
        }
    }
    Send(n);
}

void DialogManagerChar(HWND dialog, WPARAM ch) {
    Notice n;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        Entry* d = Find(dialog);
        Entry* f = d ? Find(d->focus) : nullptr;
        if (!f) return;
        n = Notice{dialog, d->focus, f->id, platform::ItemChar(f->item, ch)};
        g.dirty = true;
    }
    Send(n);
}

POINT FrameOrigin(const RECT& dialogRect);

// A click at a client point of the main window.
void DialogManagerClick(HWND dialog, const MSG& m, bool twice) {
    HWND main = LiveMainWindow();
    RECT client;
    if (!main || !GetClientRect(main, &client) || client.right <= 0 || client.bottom <= 0) return;
    int x = static_cast<int>(static_cast<std::int16_t>(m.lParam & 0xFFFF)) * 640 / client.right;
    int y = static_cast<int>(static_cast<std::int16_t>((m.lParam >> 16) & 0xFFFF)) * 480 / client.bottom;
    RECT dialogRect;
    if (!DialogRect(dialog, dialogRect)) return;
    POINT origin = FrameOrigin(dialogRect);
    x -= origin.x;
    y -= origin.y;
    std::vector<Notice> notices;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        for (HWND h : ItemsOf(dialog)) {
            Entry* e = Find(h);
            const RECT& r = e->rect;
            if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
            auto kind = e->item.kind;
            if (kind == platform::DialogItemKind::Static || kind == platform::DialogItemKind::Picture ||
                kind == platform::DialogItemKind::GroupBox)
                continue;
            Find(dialog)->focus = h;
            g.dirty = true;
            if (kind == platform::DialogItemKind::Edit) {
                e->item.selStart = e->item.selEnd = static_cast<int>(e->item.text.size());
            } else if (kind == platform::DialogItemKind::List) {
                int row = e->item.top + (y - r.top - kBoxMargin) / kListRowHeight;
                if (row < 0 || row >= static_cast<int>(e->item.rows.size())) break;
                if (row != e->item.current) notices.push_back({dialog, h, e->id, LBN_SELCHANGE});
                e->item.current = row;
                if (twice) notices.push_back({dialog, h, e->id, LBN_DBLCLK});
            } else if (!twice) {
                notices.push_back(Press(dialog, h));
            }
            break;
        }
    }
    for (const auto& n : notices) Send(n);
}

// Under no lock: draws the dialogs when something changed or a frame's time
// has passed. Under the virtual clock a frame passes at every idle turn of
// the dialog's loop, so the frames a dialog shows, which scripted input
// counts, do not depend on the speed of the machine.
void PaintIfDue(std::chrono::steady_clock::time_point& last) {
    std::function<void()> painter;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        auto now = std::chrono::steady_clock::now();
        const bool frameDue = platform::VirtualClockOn() || now - last >= std::chrono::milliseconds(16);
        if (!g.painter || (!g.dirty && !frameDue)) return;
        g.dirty = false;
        last = now;
        painter = g.painter;
    }
    painter();
}

// An unattended run whose script has nothing more to say: the dialog gets
// its default button, so the run goes on instead of waiting for ever. A
// dialog that stays open after that is ended with 0.
bool AnswerUnattended(HWND dialog, int& answers) {
    int id = IDOK;
    std::string title;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        Entry* d = Find(dialog);
        if (!g.unattended || !d || platform::headless::ScriptedInputPending()) return false;
        id = DefaultCommand(dialog);
        title = platform::Cp932ToUtf8(d->text);
    }
    if (answers++ > 0) {
        platform::HostWarn("dialog not answered: [" + title + "] stays open after its default button; ended with 0");
        EndDialog(dialog, 0);
        return true;
    }
    platform::HostWarn("dialog not answered: [" + title + "] takes its default button " + std::to_string(id));
    Send(Notice{dialog, nullptr, id, BN_CLICKED});
    return true;
}

LRESULT RunModal(HWND dialog, HWND owner) {
    LRESULT result = 0;
    auto lastPaint = std::chrono::steady_clock::time_point{};
    int unattendedAnswers = 0;
    while (!Ended(dialog, result)) {
        if (owner && !IsWindow(owner)) break;
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (AnswerUnattended(dialog, unattendedAnswers)) continue;
            PaintIfDue(lastPaint);
            Sleep(1);
            continue;
        }
        if (m.message == WM_QUIT) {
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
        if (m.message == WM_CHAR && hostInput) {
            DialogManagerChar(dialog, m.wParam);
            continue;
        }
        if (IsMouseMessage(m.message) && hostInput) {
            if (m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK)
                DialogManagerClick(dialog, m, m.message == WM_LBUTTONDBLCLK);
            continue;
        }
        DispatchMessageA(&m);
    }
    return result;
}

POINT FrameOrigin(const RECT& dialogRect) {
    HWND main = LiveMainWindow();
    RECT window;
    RECT client;
    if (!main || !GetWindowRect(main, &window) || !GetClientRect(main, &client) || client.right <= 0 ||
        client.bottom <= 0)
        return POINT{dialogRect.left, dialogRect.top};
    return POINT{(dialogRect.left - window.left) * 640 / client.right,
                 (dialogRect.top - window.top) * 480 / client.bottom};
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

std::vector<DialogView> OpenDialogViews() {
    std::vector<HWND> dialogs;
    std::vector<RECT> rects;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        for (HWND h : g.active) {
            Entry* e = Find(h);
            if (e && e->kind == Kind::Dialog) {
                dialogs.push_back(h);
                rects.push_back(e->rect);
            }
        }
    }
    std::vector<POINT> origins;
    for (const RECT& r : rects) origins.push_back(FrameOrigin(r));
    std::vector<DialogView> views;
    std::lock_guard<std::mutex> lock(g.mutex);
    auto origin = origins.begin();
    for (HWND h : dialogs) {
        Entry* e = Find(h);
        POINT at = *origin++;
        if (!e) continue;
        DialogView v;
        v.origin = at;
        v.width = e->rect.right - e->rect.left;
        v.height = e->rect.bottom - e->rect.top;
        v.title = e->text;
        auto x = g.extras.find(h);
        v.style = x == g.extras.end() ? 0 : x->second.style;
        v.visible = x == g.extras.end() || !x->second.hidden;
        for (HWND i : ItemsOf(h)) {
            Entry* item = Find(i);
            v.items.push_back(DialogItemView{item->id, item->rect, e->focus == i, item->item});
        }
        views.push_back(std::move(v));
    }
    return views;
}

Frame DialogBackdrop() {
    std::lock_guard<std::mutex> lock(g.mutex);
    return g.backdrop;
}

void SetDialogPainter(std::function<void()> painter) {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.painter = std::move(painter);
    g.dirty = true;
}

void SetUnattendedDialogs(bool on) {
    std::lock_guard<std::mutex> lock(g.mutex);
    g.unattended = on;
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
    Entry* dialog = e->kind == Kind::Item ? Find(e->parent) : nullptr;
    if (dialog) {
        desktop.left += dialog->rect.left;
        desktop.right += dialog->rect.left;
        desktop.top += dialog->rect.top;
        desktop.bottom += dialog->rect.top;
    }
    return true;
}

bool CallItem(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(window);
    if (!e || e->kind != Kind::Item) return false;
    platform::DialogItemState& item = e->item;
    int size = static_cast<int>(item.text.size());
    result = 0;
    g.dirty = true;
    switch (msg) {
        case BM_GETCHECK: result = item.check; break;
        case BM_SETCHECK: item.check = static_cast<int>(wParam); break;
        case EM_GETSEL:
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(item.selStart);
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(item.selEnd);
            result = static_cast<LRESULT>((item.selStart & 0xFFFF) | ((item.selEnd & 0xFFFF) << 16));
            break;
        case EM_SETSEL: {
            auto start = static_cast<std::int32_t>(wParam);
            auto end = static_cast<std::int32_t>(lParam);
            if (start < 0) {
                item.selStart = item.selEnd;
                break;
            }
            if (end < 0 || end > size) end = size;
            item.selStart = std::min(static_cast<int>(start), size);
            item.selEnd = end;
            if (item.selStart > item.selEnd) std::swap(item.selStart, item.selEnd);
            break;
        }
        case LB_ADDSTRING:
            item.rows.emplace_back(lParam ? reinterpret_cast<const char*>(lParam) : "");
            result = static_cast<LRESULT>(item.rows.size()) - 1;
            break;
        case LB_RESETCONTENT:
            item.rows.clear();
            item.current = -1;
            item.top = 0;
            break;
        case LB_SETCURSEL: {
            auto row = static_cast<std::int32_t>(wParam);
            item.current = row >= 0 && row < static_cast<int>(item.rows.size()) ? row : -1;
            int page = PageRows(*e);
            if (item.current >= 0 && item.current < item.top) item.top = item.current;
            if (item.current >= item.top + page) item.top = item.current - page + 1;
            result = item.current;
            break;
        }
        case LB_GETCURSEL: result = item.current; break;
        case LB_GETCOUNT: result = static_cast<LRESULT>(item.rows.size()); break;
        default: break;
    }
    return true;
}

bool MoveDialog(HWND window, int x, int y, int width, int height) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(window);
    if (!e || (e->kind != Kind::Dialog && e->kind != Kind::Item)) return false;
    e->rect = RECT{x, y, x + width, y + height};
    g.dirty = true;
    return true;
}

bool SetDialogText(HWND window, const std::string& text) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(window);
    if (!e) return false;
    if (e->kind == Kind::Item) {
        e->item.text = text;
    } else {
        e->text = text;
    }
    g.dirty = true;
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
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        Entry* d = Find(dialog);
        if (d && !d->focus) MoveFocus(dialog, 1);
    }
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

int GetDlgCtrlID(HWND item) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(item);
    return e && e->kind == Kind::Item ? e->id : 0;
}

HWND SetFocus(HWND item) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(item);
    Entry* dialog = e && e->kind == Kind::Item ? Find(e->parent) : nullptr;
    if (!dialog) return nullptr;
    HWND previous = dialog->focus;
    dialog->focus = item;
    g.dirty = true;
    return previous;
}

HWND GetFocus() {
    std::lock_guard<std::mutex> lock(g.mutex);
    for (auto it = g.active.rbegin(); it != g.active.rend(); ++it) {
        Entry* e = Find(*it);
        if (e && e->kind == Kind::Dialog) return e->focus;
    }
    return nullptr;
}

HWND GetDlgItem(HWND dialog, int id) {
    std::lock_guard<std::mutex> lock(g.mutex);
    for (const auto& [handle, e] : g.windows) {
        if (e.kind == Kind::Item && e.parent == dialog && e.id == id) return handle;
    }
    return nullptr;
}

HWND CreateDialogItem(HWND dialog, int id, platform::DialogItemKind kind, const RECT& rect) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* d = Find(dialog);
    if (!d || d->kind != Kind::Dialog || FindItem(dialog, id)) return nullptr;
    Entry i;
    i.kind = Kind::Item;
    i.parent = dialog;
    i.id = id;
    i.item.kind = kind;
    i.rect = rect;
    HWND handle = NewHandle();
    g.windows[handle] = i;
    g.dirty = true;
    return handle;
}

namespace {

// Under the mutex: the state of a scroll bar item, or none.
platform::DialogItemState* ScrollItem(HWND item, int bar) {
    Entry* e = Find(item);
    if (bar != SB_CTL || !e || e->kind != Kind::Item || e->item.kind != platform::DialogItemKind::Scroll)
        return nullptr;
    return &e->item;
}

// The page fits the range and the thumb stays where a whole page still shows.
void KeepScrollInRange(platform::DialogItemState& s) {
    if (s.scrollMax < s.scrollMin) s.scrollMax = s.scrollMin;
    int span = s.scrollMax - s.scrollMin + 1;
    s.scrollPage = std::clamp(s.scrollPage, 0, span);
    int last = std::max(s.scrollMin, s.scrollMax - std::max(s.scrollPage, 1) + 1);
    s.scrollPos = std::clamp(s.scrollPos, s.scrollMin, last);
}

}  // namespace

int SetScrollInfo(HWND item, int bar, const SCROLLINFO* info, BOOL) {
    std::lock_guard<std::mutex> lock(g.mutex);
    platform::DialogItemState* s = ScrollItem(item, bar);
    if (!s || !info) return 0;
    if (info->fMask & SIF_RANGE) {
        s->scrollMin = info->nMin;
        s->scrollMax = info->nMax;
    }
    if (info->fMask & SIF_PAGE) s->scrollPage = static_cast<int>(std::min<UINT>(info->nPage, 0x7FFFFFFF));
    if (info->fMask & SIF_POS) s->scrollPos = info->nPos;
    KeepScrollInRange(*s);
    g.dirty = true;
    return s->scrollPos;
}

BOOL GetScrollInfo(HWND item, int bar, SCROLLINFO* info) {
    std::lock_guard<std::mutex> lock(g.mutex);
    platform::DialogItemState* s = ScrollItem(item, bar);
    if (!s || !info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->scrollMin;
        info->nMax = s->scrollMax;
    }
    if (info->fMask & SIF_PAGE) info->nPage = static_cast<UINT>(s->scrollPage);
    if (info->fMask & SIF_POS) info->nPos = s->scrollPos;
    return TRUE;
}

BOOL SetDialogItemPicture(HWND item, const std::uint32_t* pixels, int width, int height, int pitch) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* e = Find(item);
    if (!e || e->kind != Kind::Item || e->item.kind != platform::DialogItemKind::View) return FALSE;
    platform::DialogItemState& s = e->item;
    s.picture.clear();
    s.pictureWidth = 0;
    s.pictureHeight = 0;
    g.dirty = true;
    if (!pixels || width <= 0 || height <= 0 || pitch < width) return TRUE;
    s.picture.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * pitch;
        s.picture.insert(s.picture.end(), row, row + width);
    }
    s.pictureWidth = width;
    s.pictureHeight = height;
    return TRUE;
}

int GetDlgItemTextA(HWND dialog, int id, char* buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* item = FindItem(dialog, id);
    if (!item) {
        buffer[0] = '\0';
        return 0;
    }
    int n = std::min(static_cast<int>(item->item.text.size()), maxCount - 1);
    std::copy_n(item->item.text.data(), n, buffer);
    buffer[n] = '\0';
    return n;
}

BOOL SetDlgItemTextA(HWND dialog, int id, const std::string& text) {
    std::lock_guard<std::mutex> lock(g.mutex);
    Entry* item = FindItem(dialog, id);
    if (!item) return FALSE;
    item->item.text = text;
    int size = static_cast<int>(text.size());
    item->item.selStart = std::min(item->item.selStart, size);
    item->item.selEnd = std::min(item->item.selEnd, size);
    g.dirty = true;
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
    BOOL wasVisible = FALSE;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        Extras& x = g.extras[window];
        wasVisible = x.hidden ? FALSE : TRUE;
        x.hidden = command == SW_HIDE;
    }
    if (command == SW_SHOWMAXIMIZED) MaximiseMainWindow(window);
    if (command == SW_SHOWMINNOACTIVE) MinimiseMainWindow(window);
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
