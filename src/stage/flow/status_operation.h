#pragma once
// The status operation: one status value of a character, a system value or
// a variable changed by an assignment operator with a constant, a random
// number, another status value or a variable, within the value's range.
class cChara;
class cFlowCmd;
class cCmdInst;

// `chara` runs the command; the result is always 0.
int ExecStatusOperation(cChara& chara, const cFlowCmd& cmd);
// The same as the executor of its flow command kind.
int CmdStatusOperation(cChara& chara, cCmdInst& inst);
