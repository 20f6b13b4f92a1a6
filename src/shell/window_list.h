#pragma once
// A list of window objects (a window's child windows, or any object's own
// list of them), walked in the order they were added.
#include <list>

class cWindow;

class cWindowList {
public:
    // Makes the list empty.
    void Init() { m_Items.clear(); }
    void Add(cWindow* window) { m_Items.push_back(window); }
    void Remove(cWindow* window) { m_Items.remove(window); }
    int Count() const { return static_cast<int>(m_Items.size()); }
    auto begin() const { return m_Items.begin(); }
    auto end() const { return m_Items.end(); }

private:
    std::list<cWindow*> m_Items;
};
