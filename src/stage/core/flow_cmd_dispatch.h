#pragma once
// Every command of a running flow is carried out by the executor of its
// kind, found in one table of the 40 flow command kinds. The engine steps
// command instances through ExecFlowCmd and never looks at a kind itself.
#include <array>

#include "gamedata/flows/cmd_kinds.h"

class cChara;
class cCmdInst;

// One step of a command for `chara`; the result is the executor's own.
using FlowCmdExecutor = int (*)(cChara& chara, cCmdInst& cmd);

// The executors by flow command kind. A null slot makes its commands take
// their time and do nothing else.
extern std::array<FlowCmdExecutor, kFlowCommandKindCount> FlowCmdExecTable;

// Runs one step of the command by its kind byte (flow numbering). A kind
// outside the table, or without an executor, does nothing; the first such
// command of each kind writes a debug-log line.
int ExecFlowCmd(cChara& chara, cCmdInst& cmd);

// Installs the executor of `kind` and returns the one it replaces (null
// for a kind outside the table, which is left alone).
FlowCmdExecutor SetFlowCmdExecutor(int kind, FlowCmdExecutor executor);
