#include "shell/window_registry.h"

#include <algorithm>

#include "shell/window.h"

void cWindowRegistry::Add(cWindow* window) {
    if (!window) return;
    if (std::find(m_Windows.begin(), m_Windows.end(), window) == m_Windows.end()) m_Windows.push_back(window);
    if (window->m_hWnd) m_ByHandle[window->m_hWnd] = window;
}

void cWindowRegistry::Remove(cWindow* window) {
    m_Windows.remove(window);
    std::erase_if(m_ByHandle, [&](const auto& entry) { return entry.second == window; });
}

cWindow* cWindowRegistry::Find(HWND handle) const {
    auto it = m_ByHandle.find(handle);
    return it == m_ByHandle.end() ? nullptr : it->second;
}
