#include <SDL.h>

#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "platform/audio/device.h"
#include "platform/cursor.h"
#include "platform/dialog_window.h"
#include "platform/host_log.h"
#include "platform/keyboard.h"
#include "platform/letterbox.h"
#include "platform/message_box.h"
#include "platform/present.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_joysticks.h"
#include "platform/sdl/x11_guard.h"
#include "platform/system_info.h"
#include "platform/text.h"
#include "platform/window.h"

namespace {

constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

class SdlWindow : public platform::WindowBackend {
public:
    ~SdlWindow() override { Close(); }

    bool Open(const std::string& title, int x, int y, int w, int h) override {
        // Nearest-neighbour scaling keeps every zoom step pixel-exact.
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
        m_window = SDL_CreateWindow(title.c_str(), x, y, w, h, SDL_WINDOW_SHOWN);
        if (!m_window) return Fail("SDL_CreateWindow");
        m_renderer = SDL_CreateRenderer(m_window, -1, 0);
        if (!m_renderer) return Fail("SDL_CreateRenderer");
        m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kFrameWidth,
                                      kFrameHeight);
        if (!m_texture) return Fail("SDL_CreateTexture");
        m_activatePending = true;
        m_gonePosted = false;
        platform::sdl::GuardX11Window(m_window);
        Render(true);
        return true;
    }

    void Close() override {
        if (m_texture) SDL_DestroyTexture(m_texture);
        if (m_renderer) SDL_DestroyRenderer(m_renderer);
        if (m_window) SDL_DestroyWindow(m_window);
        if (m_window) platform::sdl::UnguardX11Window();
        m_texture = nullptr;
        m_renderer = nullptr;
        m_window = nullptr;
    }

    void SetTitle(const std::string& title) override {
        if (m_window) SDL_SetWindowTitle(m_window, title.c_str());
    }

    void Move(int x, int y, int w, int h) override {
        if (!m_window) return;
        SDL_SetWindowSize(m_window, w, h);
        SDL_SetWindowPosition(m_window, x, y);
        Render(true);
    }

    // Full screen is a window without a frame over the whole display, on
    // top: the display keeps its own mode, and no window manager is needed.
    bool SetDisplay(WindowDisplay display) override {
        if (!m_window) return false;
        const bool fullScreen = display == WindowDisplay::FullScreen;
        SDL_Rect bounds{};
        if (fullScreen) {
            const int index = SDL_GetWindowDisplayIndex(m_window);
            if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &bounds) != 0) {
                platform::HostLog(std::string("SDL_GetDisplayBounds: ") + SDL_GetError());
                return false;
            }
        }
        m_fullScreen = fullScreen;
        SDL_SetWindowBordered(m_window, fullScreen ? SDL_FALSE : SDL_TRUE);
        SDL_SetWindowAlwaysOnTop(m_window, fullScreen ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowResizable(m_window, display == WindowDisplay::Resizable ? SDL_TRUE : SDL_FALSE);
        if (fullScreen) {
            SDL_SetWindowPosition(m_window, bounds.x, bounds.y);
            SDL_SetWindowSize(m_window, bounds.w, bounds.h);
        }
        m_letterbox = display != WindowDisplay::Fixed;
        Render(true);
        return true;
    }

    RECT Geometry() override {
        int x = 0, y = 0, w = 0, h = 0;
        if (m_window) {
            SDL_GetWindowPosition(m_window, &x, &y);
            SDL_GetWindowSize(m_window, &w, &h);
        }
        return RECT{x, y, x + w, y + h};
    }

    RECT WorkArea() override {
        SDL_Rect r{0, 0, 1920, 1080};
        int display = m_window ? SDL_GetWindowDisplayIndex(m_window) : 0;
        if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) != 0) r = SDL_Rect{0, 0, 1920, 1080};
        return RECT{r.x, r.y, r.x + r.w, r.y + r.h};
    }

    bool Minimised() override { return m_window && (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MINIMIZED); }
    bool Maximised() override { return m_window && (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MAXIMIZED); }
    void Maximise() override {
        // A full-screen window already covers the display.
        if (m_window && !m_fullScreen) SDL_MaximizeWindow(m_window);
    }
    void Minimise() override {
        if (m_window) SDL_MinimizeWindow(m_window);
    }

    void Pump(const std::function<void(UINT, WPARAM, LPARAM)>& post) override {
        if (m_activatePending) {
            // Opening the window activates the application, also where no
            // window manager hands out the focus.
            m_activatePending = false;
            post(WM_ACTIVATEAPP, 1, 0);
        }
        SDL_Event e;
        bool exposed = false;
        while (SDL_PollEvent(&e)) {
            if (platform::sdl::HandleJoystickEvent(e) || platform::sdl::NoteX11WindowEvent(e)) continue;
            if (e.type == SDL_QUIT) post(WM_CLOSE, 0, 0);
            if (e.type == SDL_WINDOWEVENT) exposed |= OnWindowEvent(e.window, post);
            if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) OnKey(e.key, post);
            if (e.type == SDL_MOUSEMOTION) OnMouseMotion(e.motion);
            if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) OnMouseButton(e.button, post);
            if (e.type == SDL_TEXTINPUT) OnText(e.text, post);
        }
        // Destroyed by another program: nothing is left to show or to ask
        // in, so the game ends as when the host ends it.
        if (platform::sdl::X11WindowGone()) {
            if (!m_gonePosted) post(WM_ENDSESSION, 1, kEndSessionWindowGone);
            m_gonePosted = true;
            return;
        }
        ApplyCursor();
        Render(exposed);
    }

private:
    bool Fail(const char* what) {
        platform::HostLog(std::string(what) + ": " + SDL_GetError());
        Close();
        return false;
    }

    // Where the frame stands in the window: all of it, or letterboxed.
    SDL_Rect FrameRect() {
        int w = 0;
        int h = 0;
        SDL_GetRendererOutputSize(m_renderer, &w, &h);
        if (!m_letterbox) return SDL_Rect{0, 0, w, h};
        const RECT r = platform::LetterboxRect(w, h);
        return SDL_Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    }

    bool OnWindowEvent(const SDL_WindowEvent& w, const std::function<void(UINT, WPARAM, LPARAM)>& post) {
        switch (w.event) {
            case SDL_WINDOWEVENT_CLOSE: post(WM_CLOSE, 0, 0); break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
            case SDL_WINDOWEVENT_RESTORED: post(WM_ACTIVATEAPP, 1, 0); break;
            // Another program became active: the game stands still.
            case SDL_WINDOWEVENT_FOCUS_LOST:
            case SDL_WINDOWEVENT_MINIMIZED:
                platform::ReleaseAllKeys();
                post(WM_ACTIVATEAPP, 0, 0);
                break;
            case SDL_WINDOWEVENT_MOVED: post(WM_MOVE, 0, 0); break;
            case SDL_WINDOWEVENT_SIZE_CHANGED: post(WM_SIZE, 0, 0); return true;
            case SDL_WINDOWEVENT_EXPOSED: return true;
            default: break;
        }
        return false;
    }

    // The mouse is only a snapshot: the cursor's desktop position and the
    // two buttons as keys, read by whoever polls it.
    void OnMouseMotion(const SDL_MouseMotionEvent& m) {
        int x = 0;
        int y = 0;
        SDL_GetWindowPosition(m_window, &x, &y);
        platform::SetCursorPosition(x + m.x, y + m.y);
    }

    // Besides the snapshot, the left button reaches the window as messages
    // at client points, so dialogs can be clicked.
    void OnMouseButton(const SDL_MouseButtonEvent& b, const std::function<void(UINT, WPARAM, LPARAM)>& post) {
        bool down = b.type == SDL_MOUSEBUTTONDOWN;
        if (b.button == SDL_BUTTON_LEFT) platform::SetKeyDown(VK_LBUTTON, down);
        if (b.button == SDL_BUTTON_RIGHT) platform::SetKeyDown(VK_RBUTTON, down);
        if (b.button != SDL_BUTTON_LEFT) return;
        const SDL_Point at = ClientPoint(b.x, b.y);
        auto point = static_cast<LPARAM>((at.x & 0xFFFF) | ((at.y & 0xFFFF) << 16));
        if (!down) {
            post(WM_LBUTTONUP, 0, point);
            return;
        }
        post(b.clicks >= 2 ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 0, point);
    }

    // A letterboxed frame takes its clicks as if it filled the client area,
    // which is how the game reads client points.
    SDL_Point ClientPoint(int x, int y) {
        if (!m_letterbox || !m_renderer) return SDL_Point{x, y};
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(m_window, &w, &h);
        const SDL_Rect f = FrameRect();
        if (f.w <= 0 || f.h <= 0) return SDL_Point{x, y};
        return SDL_Point{(x - f.x) * w / f.w, (y - f.y) * h / f.h};
    }

    // Typed text, a Shift-JIS character a message.
    static void OnText(const SDL_TextInputEvent& t, const std::function<void(UINT, WPARAM, LPARAM)>& post) {
        for (WPARAM ch : platform::TypedCharacters(platform::Utf8ToCp932(t.text))) post(WM_CHAR, ch, 0);
    }

    void OnKey(const SDL_KeyboardEvent& k, const std::function<void(UINT, WPARAM, LPARAM)>& post) {
        int vk = platform::VirtualKeyFromSdl(k.keysym.sym);
        if (vk == 0) return;
        bool down = k.type == SDL_KEYDOWN;
        platform::SetKeyDown(vk, down);
        bool alt = (k.keysym.mod & KMOD_ALT) != 0;
        // The window menu's zoom entries: Alt+1 to Alt+5, each only while the
        // game has put it in the menu.
        if (down && alt && vk >= '1' && vk <= '5') {
            const auto id = static_cast<UINT>(vk - '0');
            if (platform::MainWindowMenuOffers(id)) post(WM_SYSCOMMAND, id, 0);
            return;
        }
        UINT msg = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        post(msg, static_cast<WPARAM>(vk), k.repeat ? 0x40000000 : 0);
    }

    // The game's pointer count decides whether the pointer shows over the
    // window.
    void ApplyCursor() {
        const bool shown = platform::CursorShown();
        if (shown == m_cursorShown) return;
        SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
        m_cursorShown = shown;
    }

    void Render(bool force) {
        if (!m_renderer || platform::sdl::X11WindowGone()) return;
        long long serial = platform::PresentedFrameSerial();
        if (serial != m_shownSerial) {
            platform::ShowLastPresentedFrame([this](const platform::Frame& f) {
                if (f.width == kFrameWidth && f.height == kFrameHeight) {
                    SDL_UpdateTexture(m_texture, nullptr, f.pixels.data(), kFrameWidth * 4);
                }
            });
            m_shownSerial = serial;
            force = true;
        }
        if (!force) return;
        SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
        SDL_RenderClear(m_renderer);
        if (m_shownSerial > 0) {
            const SDL_Rect frame = FrameRect();
            SDL_RenderCopy(m_renderer, m_texture, nullptr, m_letterbox ? &frame : nullptr);
        }
        SDL_RenderPresent(m_renderer);
    }

    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    long long m_shownSerial = 0;
    bool m_activatePending = false;
    bool m_gonePosted = false;
    bool m_cursorShown = true;
    // Resizable and full screen: the frame keeps its shape inside the window.
    bool m_letterbox = false;
    bool m_fullScreen = false;
};

// SDL's own box, for a question asked where the game window cannot hold it
// (before it opens, from another thread).
int ShowSdlMessageBox(const platform::MessageBoxRecord& box) {
    std::array<SDL_MessageBoxButtonData, 3> buttons{};
    int count = 0;
    auto add = [&](int id, const char* text, Uint32 flags) {
        buttons[static_cast<std::size_t>(count++)] = {flags, id, text};
    };
    constexpr Uint32 kEnter = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    constexpr Uint32 kEscape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    switch (box.type & MB_TYPEMASK) {
        case MB_YESNO:
            add(IDYES, "Yes", kEnter);
            add(IDNO, "No", kEscape);
            break;
        case MB_YESNOCANCEL:
            add(IDYES, "Yes", kEnter);
            add(IDNO, "No", 0);
            add(IDCANCEL, "Cancel", kEscape);
            break;
        case MB_OKCANCEL:
            add(IDOK, "OK", kEnter);
            add(IDCANCEL, "Cancel", kEscape);
            break;
        default: add(IDOK, "OK", kEnter | kEscape); break;
    }
    std::string text = platform::Cp932ToUtf8(box.text);
    std::string caption = platform::Cp932ToUtf8(box.caption);
    Uint32 icon = (box.type & 0xF0) == MB_ICONERROR ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_MessageBoxData data{icon, nullptr, caption.c_str(), text.c_str(), count, buttons.data(), nullptr};
    int pressed = 0;
    // A box nobody could see takes its default button, and says so.
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        platform::HostLog(std::string("SDL_ShowMessageBox: ") + SDL_GetError());
        return platform::ReportUnshownMessageBox(box, platform::DefaultMessageBoxAnswer(box.type));
    }
    // Closing the box without a button takes the escape answer.
    const int escapeAnswer = count > 1 ? buttons[static_cast<std::size_t>(count - 1)].buttonid : IDOK;
    if (pressed <= 0) return escapeAnswer;
    return pressed;
}

// Boxes show in the game window, drawn as its other dialogs, wherever it
// can hold them.
int ShowHostMessageBox(const platform::MessageBoxRecord& box) {
    // The window was destroyed from outside and the game is ending: a box
    // of its own would wait for an answer nobody is there to give.
    if (platform::sdl::X11WindowGone()) {
        return platform::ReportUnshownMessageBox(box, platform::DefaultMessageBoxAnswer(box.type));
    }
    const int answer = platform::ShowInWindowMessageBox(box);
    return answer != 0 ? answer : ShowSdlMessageBox(box);
}

// SDL's own lines belong in the run report, not on the terminal.
void LogSdlLine(void*, int, SDL_LogPriority, const char* message) {
    platform::HostLog(std::string("SDL: ") + (message ? message : ""));
}

platform::DisplayInfo QuerySdlDisplay() {
    platform::DisplayInfo info;
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return info;
    info.width = mode.w;
    info.height = mode.h;
    info.refreshRate = mode.refresh_rate;
    int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    // An X server says 24 for what programs draw into as 32-bit pixels.
    info.bitsPerPixel = bits == 24 ? 32 : bits;
    return info;
}

}  // namespace

namespace platform {

bool InstallSdlBackend(std::string* error) {
    SDL_LogSetOutputFunction(LogSdlLine, nullptr);
    // End requests (SIGINT, SIGTERM) are the player's to take
    // (end_signals.h), not turned into a close that asks first.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        return false;
    }
    // Without a display SDL falls back to drivers that show nothing; a player
    // running there would play on unseen, for ever.
    const char* driver = SDL_GetCurrentVideoDriver();
    for (const char* invisible : {"offscreen", "dummy"}) {
        if (driver && std::strcmp(driver, invisible) == 0) {
            if (error) *error = std::string("only the invisible video driver ") + driver;
            SDL_Quit();
            return false;
        }
    }
    // A machine without joysticks (or without their subsystem) plays with
    // the keyboard alone.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) HostLog(std::string("no joysticks: ") + SDL_GetError());
    InstallWindowBackend(std::make_unique<SdlWindow>());
    SetMessageBoxHandler(ShowHostMessageBox);
    SetDisplayQuery(QuerySdlDisplay);
    return true;
}

void ShutdownSdlBackend() {
    SetDisplayQuery(nullptr);
    platform::sdl::CloseJoysticks();
    SetMessageBoxHandler(nullptr);
    InstallAudioDeviceBackend(nullptr);
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_Quit();
}

int VirtualKeyFromSdl(int key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
    static const std::pair<int, int> kTable[] = {
        {SDLK_LEFT, VK_LEFT},     {SDLK_UP, VK_UP},           {SDLK_RIGHT, VK_RIGHT},    {SDLK_DOWN, VK_DOWN},
        {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE},  {SDLK_SPACE, VK_SPACE},
        {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RSHIFT, VK_SHIFT},    {SDLK_LCTRL, VK_CONTROL},  {SDLK_RCTRL, VK_CONTROL},
        {SDLK_LALT, VK_MENU},     {SDLK_RALT, VK_MENU},       {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB},
        {SDLK_KP_0, VK_NUMPAD0},
    };
    for (const auto& [sdl, vk] : kTable) {
        if (sdl == key) return vk;
    }
    return 0;
}

}  // namespace platform
