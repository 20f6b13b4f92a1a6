#include "scenes/menu/cmd_window.h"

#include <algorithm>

#include "draw/text/font.h"
#include "foundation/strings.h"

namespace {
constexpr int kRow = 16;
}

int WidestEnabledName(const cVector<cCmd>& list) {
    int widest = 0;
    for (const cCmd& c : list) {
        if (c.m_nEnabled != 0) widest = std::max(widest, CountChars(c.m_strName));
    }
    return widest;
}

void DrawCmdWindow(DDSURFACEDATA* surface, int x, int y, const cVector<cCmd>& list) {
    const int w = WidestEnabledName(list);
    if (w == 0) return;
    const int n = CountEnabledCmds(list);
    Font& font = Fonts[1];
    font.DrawWindow(surface, x, y, (w + 1) * kRow, n * kRow);
    for (int j = 0; j < n; ++j) {
        font.DrawText(surface, x + kRow, y + kRow * j, list[cCmd::GetCmdNum(j, list)].m_strName.c_str());
    }
}

int CmdWindowLeft(int x, const cVector<cCmd>& list) {
    const int w = WidestEnabledName(list);
    if (w == 0) return x;
    return x - ((w + 1) * kRow) / 2;
}

std::vector<int> EnabledCmdTable(const cVector<cCmd>& list) {
    std::vector<int> table;
    int index = 0;
    for (const cCmd& c : list) {
        if (c.m_nEnabled != 0) table.push_back(index);
        ++index;
    }
    if (table.empty()) table.push_back(0);
    return table;
}
