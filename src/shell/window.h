#pragma once
// The window object: handle, layout arithmetic from a wanted client size,
// placement on the desktop, the default message handling that turns window
// messages into virtual calls, and the modal run of a dialog. The main
// window and every dialog are built on it.
#include <string>

#include "platform/dialog_window.h"
#include "platform/window.h"
#include "shell/window_list.h"

class cWindowRegistry;

// Sets every side of the rectangle to 0.
void ClearRect(RECT& rect);

// Where the cursor is relative to the drawable area and what the buttons did.
struct cMouseRecord {
    int x = 0;
    int y = 0;
    int leftHeld = 0;
    int rightHeld = 0;
    int leftPressed = 0;
    int rightPressed = 0;
    int leftReleased = 0;
    int rightReleased = 0;
    POINT screen;
};

// Parts of cWindow::UpdateMouse.
constexpr int kMouseHeld = 1;
constexpr int kMousePressed = 2;
constexpr int kMouseReleased = 4;
constexpr int kMouseAll = kMouseHeld | kMousePressed | kMouseReleased;

// DoModal flags: what happens to the registry's windows while a dialog runs.
constexpr int kModalHideOthers = 2;
constexpr int kModalDisableOthers = 4;

class cWindow {
public:
    cWindow() = default;
    virtual ~cWindow() = default;
    cWindow(const cWindow&) = delete;
    cWindow& operator=(const cWindow&) = delete;

    virtual void OnCommand(WPARAM, LPARAM) {}
    virtual void OnMouseMove(WPARAM, LPARAM) {}
    virtual void OnLButtonDown(WPARAM, LPARAM) {}
    virtual void OnRButtonDown(WPARAM, LPARAM) {}
    virtual void OnLButtonDblClk(WPARAM, LPARAM) {}
    virtual void OnRButtonDblClk(WPARAM, LPARAM) {}
    virtual void OnLButtonUp(WPARAM, LPARAM) {}
    virtual void OnRButtonUp(WPARAM, LPARAM) {}
    // What the class's static procedure forwards to; 0 here.
    virtual BOOL DialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
    // The default handling: 1 for the messages it handles, else 0.
    virtual int HandleMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void RefreshLists() {}
    virtual void OnPaint() {}
    virtual void OnInitDialog(WPARAM, LPARAM) {}

    // Ties the object to its id, its owner's window and the registry.
    void Attach(int id, cWindow* owner, cWindowRegistry* registry);

    // Stores the wanted client size, the tracking limits, the style and the
    // bars, and computes the frame unless the object runs a dialog resource
    // (whose frame the resource sets).
    void SetLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight,
                   DWORD style, int menu = 0, int toolBar = 0, int statusBar = 0, int further = 0,
                   int ownScrollBars = 0);
    // Frame thicknesses from the style and the system metrics, the extra
    // space of own bars, the outer size and the drawable area.
    void UpdateFrame();
    void RefreshStyle();
    void AddStyle(DWORD bits);
    void RemoveStyle(DWORD bits);

    void SetPosition(int x, int y);
    void MoveClient(int x, int y, int clientWidth, int clientHeight);
    void SetClientSize(int width, int height);
    void CenterOnDesktop();
    // Moves the window to the corner of the window object to place against
    // (centred on it with the centring flag) or else to its stored position,
    // pulled inside the desktop's work area; nothing when either stored
    // coordinate is -1000 (none).
    void PlaceWindow();
    // Top-left corner of the window rectangle.
    void GetWindowPos(int& x, int& y) const;
    // The client rectangle; nothing when the window does not exist.
    void GetClientRect(RECT& rect) const;
    void SetText(const std::string& text);
    // Tracking limits: the client limits plus frame and extra space.
    void OnGetMinMaxInfo(MINMAXINFO& info) const;

    // Reads the mouse snapshot into the record. Not forced, a cursor outside
    // the drawable area changes nothing and gives 0.
    int UpdateMouse(bool forced, int parts);

    // Runs the dialog modally; 0 at once when the window exists already.
    // Returns the value given to End.
    LRESULT DoModal(int flags);
    void End(LRESULT result);

    // Dialog classes fill these in their constructors.
    int m_bDialog = 0;
    int m_nId = 0;
    HINSTANCE m_hInstance = nullptr;
    HWND m_hWnd = nullptr;
    HWND m_hOwner = nullptr;
    DLGPROC m_pfnProc = nullptr;
    cWindow* m_pParent = nullptr;
    cWindowRegistry* m_pRegistry = nullptr;
    cWindowList m_Children;
    bool m_bCreated = false;

    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    int m_nMinWidth = 0;
    int m_nMinHeight = 0;
    int m_nMaxWidth = 0;
    int m_nMaxHeight = 0;
    DWORD m_dwStyle = 0;
    int m_bMenu = 0;
    int m_bToolBar = 0;
    int m_nStatusBar = 0;
    int m_nFurther = 0;
    int m_nOwnScrollBars = 0;  // bit 0 horizontal, bit 1 vertical
    RECT m_rcFrame;
    RECT m_rcExtra;
    int m_nOuterWidth = 0;
    int m_nOuterHeight = 0;
    RECT m_rcDraw;  // left, top, width, height of the drawable area

    cMouseRecord m_Mouse;
    cMouseRecord m_MouseAtInit;

    int m_bLayoutDone = 0;
    int m_bInCommand = 0;
    std::string m_strTraceName;
    int m_bTrace = 0;

    int m_nPosX = -1000;
    int m_nPosY = -1000;
    cWindow* m_pPlaceAgainst = nullptr;
    int m_bCentre = 0;
    int m_bInitialised = 0;

    // What End stores and DoModal hands back; the modeless flag that End
    // tests (0 in this program: every dialog runs modally).
    LRESULT m_nResult = 0;
    int m_bModeless = 0;
    int m_nModalFlags = 0;

protected:
    // The bound controls of the dialog layer; End and DoModal empty them.
    virtual void ClearBoundControls() {}
    // Hides / disables the registry's windows as the modal flags say, or
    // shows and enables them again.
    void SetOthersForModal(bool running);

private:
    // Where PlaceWindow puts the corner before the clamp; false for nowhere.
    bool PlacementTarget(int& x, int& y) const;
    void FirstLayout();
    void Trace(UINT msg, WPARAM wParam, LPARAM lParam) const;
    int m_bPrevLeftHeld = 0;
    int m_bPrevRightHeld = 0;
};

// A window corner moved so that a window of width x height starts inside the
// work area: a negative coordinate becomes 0, and an edge at or beyond the
// work area's right or bottom edge is pulled back to end there.
void PullIntoWorkArea(int& x, int& y, int width, int height, const RECT& work);

// The static procedure of a dialog class: one live object per class (set by
// its constructor), every call forwarded to its DialogProc.
template <class T>
struct cDialogClass {
    static inline T* Live = nullptr;
    static LRESULT Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        return Live ? Live->DialogProc(window, msg, wParam, lParam) : 0;
    }
    // A constructor makes its object the live one and hands it the procedure.
    static void Bind(T* object) {
        Live = object;
        object->m_pfnProc = &Proc;
    }
    // A destructor leaves no live pointer to itself behind.
    static void Unbind(const T* object) {
        if (Live == object) Live = nullptr;
    }
};
