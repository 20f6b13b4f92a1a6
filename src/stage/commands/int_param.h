#pragma once
// A command's int parameter n; a command of an older file may carry fewer
// than its kind has, and the missing ones read as 0.
#include "gamedata/flows/flow_cmd.h"

inline int Param(const cFlowCmd& command, int n) {
    return n >= 0 && n < command.m_vParam.Count() ? command.m_vParam[n] : 0;
}
