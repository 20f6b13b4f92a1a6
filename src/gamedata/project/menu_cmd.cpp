#include "gamedata/project/menu_cmd.h"

cCmd::cCmd() : cCmd(std::string()) {}

cCmd::cCmd(const std::string& name, int enabled) {
    RegisterFields(kDataVersion);
    Reset();
    m_nEnabled = enabled;
    m_strName = name;
}

void cCmd::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nEnabled);
    AddString(&m_strName);
}
