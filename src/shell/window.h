#pragma once
// The window object: handle, layout arithmetic from a wanted client size,
// placement on the desktop, and the default message handling. The main
// window and, later, every dialog are built on it.
#include <string>

#include "platform/window.h"

class cWindow {
public:
    cWindow() = default;
    virtual ~cWindow() = default;
    cWindow(const cWindow&) = delete;
    cWindow& operator=(const cWindow&) = delete;

    // Stores the wanted client size, the tracking limits and the style, and
    // computes the frame.
    void SetLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight,
                   DWORD style);
    // Frame thicknesses from the style. The host's window manager draws
    // every frame outside the client area, so they are all 0 here and the
    // outer size is the client size.
    void UpdateFrame();
    void RefreshStyle() { UpdateFrame(); }

    void SetPosition(int x, int y);
    void MoveClient(int x, int y, int clientWidth, int clientHeight);
    void SetClientSize(int width, int height);
    void CenterOnDesktop();
    // Top-left corner of the window rectangle.
    void GetWindowPos(int& x, int& y) const;
    // The client rectangle; nothing when the window does not exist.
    void GetClientRect(RECT& rect) const;
    void SetText(const std::string& text);

    // The default handling: 1 for the messages it handles, else 0.
    virtual int HandleMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    bool m_bCreated = false;
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    int m_nMinWidth = 0;
    int m_nMinHeight = 0;
    int m_nMaxWidth = 0;
    int m_nMaxHeight = 0;
    DWORD m_dwStyle = 0;
    RECT m_rcFrame;
    int m_nOuterWidth = 0;
    int m_nOuterHeight = 0;
    int m_nPosX = -1000;
    int m_nPosY = -1000;
};
