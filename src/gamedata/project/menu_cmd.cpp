#include "gamedata/project/menu_cmd.h"

#include "foundation/report.h"

cCmd::cCmd() : cCmd(std::string()) {}

cCmd::cCmd(const std::string& name, int enabled) {
    UseFields(kDataVersion);
    Reset();
    m_nEnabled = enabled;
    m_strName = name;
}

void cCmd::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nEnabled);
    AddString(&m_strName);
}

int cCmd::GetCmdNum(int n, const cVector<cCmd>& list) {
    int index = 0;
    for (const cCmd& c : list) {
        if (c.m_nEnabled != 0 && n-- == 0) return index;
        ++index;
    }
    DebugErrorBoxF("cCmd::GetCmdNum 番号が不正です！");
    return 0;
}

int CountEnabledCmds(const cVector<cCmd>& list) {
    int n = 0;
    for (const cCmd& c : list) n += c.m_nEnabled != 0;
    return n;
}
