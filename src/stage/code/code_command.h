#pragma once
// The code-execution command: its statement run for the character each
// step of the command. A statement's error is shown once per start of the
// command, through the window thread, however many steps the command runs.
class cChara;
class cCmdInst;

int CmdExecCode(cChara& chara, cCmdInst& inst);
