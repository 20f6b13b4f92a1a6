#pragma once
// A menu command of the project: a named entry that the project can switch
// on or off. The scenes draw the enabled entries of a list; the position in
// the list, not the name, decides what an entry does.
#include <string>

#include "foundation/checked_containers.h"
#include "foundation/data_record.h"

class cCmd : public cDataRecord {
public:
    cCmd();
    explicit cCmd(const std::string& name, int enabled = 1);
    void RegisterFields(int version) override;

    // The list index of the n-th enabled entry (from 0); 0, with a debug
    // error box, when the list has fewer enabled entries.
    static int GetCmdNum(int n, const cVector<cCmd>& list);

    int m_nEnabled = 1;
    std::string m_strName;
};

int CountEnabledCmds(const cVector<cCmd>& list);
