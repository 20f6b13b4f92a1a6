#pragma once
// The executors of the movement commands (kinds 2 to 10) and of the shot
// and sword commands (11, 12). Each takes one sub-step of the command for
// the character; the result is not used.
class cChara;
class cCmdInst;

int CmdStraightMove(cChara& c, cCmdInst& cmd);
int CmdGroundTurnMove(cChara& c, cCmdInst& cmd);
int CmdCircleMove(cChara& c, cCmdInst& cmd);
int CmdChargeMove(cChara& c, cCmdInst& cmd);
int CmdHomingMove(cChara& c, cCmdInst& cmd);
int CmdOffscreenAvoidMove(cChara& c, cCmdInst& cmd);
int CmdCancelMove(cChara& c, cCmdInst& cmd);
int CmdChangeDirection(cChara& c, cCmdInst& cmd);
int CmdJump(cChara& c, cCmdInst& cmd);
int CmdShot(cChara& c, cCmdInst& cmd);
int CmdSword(cChara& c, cCmdInst& cmd);
