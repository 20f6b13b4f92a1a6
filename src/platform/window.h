#pragma once
// The one main window. It belongs to the thread that creates it (the window
// thread); its messages reach its procedure through that thread's queue
// (posted) or directly (sent). A backend gives it a body: a real host window
// (sdl) or none at all (headless). DestroyWindow, IsWindow, PostMessageA,
// SendMessageA (from the dialog's own thread; 0 from others), DispatchMessageA,
// SetWindowTextA, GetClientRect, GetWindowRect and MoveWindowClient take a
// dialog window (dialog_window.h) as well.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/threads.h"
#include "platform/win_types.h"

using WindowProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Contract: creates the main window on the calling thread, which becomes the
// window thread (its queue is created). The title is Shift-JIS. The procedure
// receives WM_CREATE before this returns. Returns 0 when a main window exists
// already or the backend cannot open one.
HWND CreateMainWindow(const std::string& title, int x, int y, int clientWidth, int clientHeight, WindowProc proc);

// Contract: on the window thread: the procedure receives WM_DESTROY, then the
// window is gone: pending and later sends return 0, posts fail. FALSE for an
// unknown window.
BOOL DestroyWindow(HWND window);

// Contract: TRUE while the window exists.
BOOL IsWindow(HWND window);

// Contract: queues a message for the window on its thread from any thread
// and wakes that thread. FALSE when the window is gone.
BOOL PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Contract: on the window thread calls the procedure directly. From any other
// thread queues the message for the window thread, which runs it at its next
// peek, get or wait, and blocks until it has run; returns the procedure's
// result. Returns 0 at once without running it while the window is gone or
// closing (see platform::BeginWindowClose). A gate for the sender.
LRESULT SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Contract: calls the procedure of msg->hwnd when that is the live window;
// 0 otherwise.
LRESULT DispatchMessageA(const MSG* msg);

// Contract: keys are never translated into characters here; FALSE.
BOOL TranslateMessage(const MSG* msg);

// Contract: the default handling: WM_CLOSE destroys the window; everything
// else returns 0.
LRESULT DefWindowProcA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Contract: sets the title (Shift-JIS). FALSE for an unknown window.
BOOL SetWindowTextA(HWND window, const std::string& title);

// Contract: the client area, (0, 0) to its size. FALSE for an unknown window.
BOOL GetClientRect(HWND window, RECT* rect);

// Contract: the window rectangle in desktop coordinates. The host's window
// manager draws the frame outside it, so it encloses exactly the client area.
BOOL GetWindowRect(HWND window, RECT* rect);

// Contract: moves the window to (x, y) with a client area of width x height.
// A dialog item is placed in its dialog's client area.
BOOL MoveWindowClient(HWND window, int x, int y, int width, int height);

// Contract: the desktop area free of panels (SPI_GETWORKAREA).
RECT GetWorkArea();

// Contract: TRUE while the window is minimised / maximised.
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);

// An entry the game puts in the main window's window menu: its command id
// and text (Shift-JIS); id 0 is a separator.
struct WindowMenuEntry {
    UINT id = 0;
    std::string text;
};

// Contract: inserts an entry into the main window's window menu at position
// (0 is the top; a position past the end appends). The host draws no menu:
// the sdl backend offers the entries with ids 1 to 5 as Alt+1 to Alt+5, and
// choosing one posts WM_SYSCOMMAND with its id to the window; a key without
// an entry does nothing. The menu is empty when a window is created. FALSE
// for an unknown window.
BOOL InsertWindowMenuEntry(HWND window, int position, const WindowMenuEntry& entry);
// Contract: the entries of the main window's menu from the top; empty for
// an unknown window.
std::vector<WindowMenuEntry> WindowMenuEntries(HWND window);

// How the main window shows the 640 x 480 frame.
enum class WindowDisplay {
    Fixed,       // a window whose client area the game sizes; the frame fills it
    Resizable,   // a window the user may resize; the frame keeps 4:3 inside it
    FullScreen,  // no frame, over the whole display and on top of everything
};

// Contract: switches how the main window shows the frame. Resizable and
// FullScreen scale the frame into the client area keeping its 4:3 shape
// whole, centred on black. The display's own mode is never changed, so the
// desktop is as it was after every way out, even a killed process. FALSE
// for an unknown window or when the host cannot (full screen without a
// display). Window thread.
BOOL SetWindowDisplay(HWND window, WindowDisplay display);
// Contract: the display last set on the main window (Fixed when opened).
WindowDisplay GetWindowDisplay(HWND window);

namespace platform {

// Contract: marks the window as closing: sends waiting for it are answered 0
// at once and later sends return 0 without running; posts still arrive. The
// close sequence calls it before it stops the threads that might be sending.
void BeginWindowClose(HWND window);

// Contract: true when the main window's menu holds an entry with this id;
// what a backend asks before it posts a menu choice.
bool MainWindowMenuOffers(UINT id);

// The body of the main window, driven on the window thread only.
class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    // Opens the host window; false when impossible.
    virtual bool Open(const std::string& titleUtf8, int x, int y, int clientWidth, int clientHeight) = 0;
    virtual void Close() = 0;
    virtual void SetTitle(const std::string& titleUtf8) = 0;
    virtual void Move(int x, int y, int clientWidth, int clientHeight) = 0;
    // Window position and client size.
    virtual RECT Geometry() = 0;
    virtual RECT WorkArea() = 0;
    virtual bool Minimised() = 0;
    virtual bool Maximised() = 0;
    // Maximises the window (the show command SW_SHOWMAXIMIZED); a backend
    // without a desktop ignores it.
    virtual void Maximise() {}
    // Minimises the window without activating anything; a backend without
    // a desktop ignores it.
    virtual void Minimise() {}
    // Turns pending host events into window messages (through post) and
    // shows the newest presented frame.
    virtual void Pump(const std::function<void(UINT, WPARAM, LPARAM)>& post) = 0;
    // The window began to close (BeginWindowClose): it may pump no more.
    virtual void Closing() {}
    // Shows the frame as asked (SetWindowDisplay); false when impossible.
    virtual bool SetDisplay(WindowDisplay /*display*/) { return true; }
};

// Contract: installs the backend that the next CreateMainWindow opens. With
// none installed the headless backend is used.
void InstallWindowBackend(std::unique_ptr<WindowBackend> backend);

// Contract: true while a backend waits for the next main window (a host
// window will open); false when that window will be headless.
bool WindowBackendInstalled();

// Contract: the headless backend: no host window, work area 1920 x 1080,
// active at once (it posts WM_ACTIVATEAPP 1 when opened), scripted window
// messages (headless_input.h).
std::unique_ptr<WindowBackend> MakeHeadlessWindowBackend();

}  // namespace platform
