#pragma once
// The registry of the window framework: the window objects that a modal
// dialog hides or disables while it runs, and their objects by handle.
#include <list>
#include <map>

#include "platform/win_types.h"

class cWindow;

class cWindowRegistry {
public:
    // Enters a window object once; Remove forgets it in both lists.
    void Add(cWindow* window);
    void Remove(cWindow* window);
    // The object whose window is handle, or none.
    cWindow* Find(HWND handle) const;
    const std::list<cWindow*>& Windows() const { return m_Windows; }

private:
    std::list<cWindow*> m_Windows;
    std::map<HWND, cWindow*> m_ByHandle;
};

extern cWindowRegistry WindowRegistry;
