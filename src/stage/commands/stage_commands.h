#pragma once
// The executors that act on the stage and on flows rather than moving the
// character: summons, flow operations, the stage clear, the game wait,
// warps, target setting, status operation 2, vanishing and the item
// pick-up. Each takes one sub-step of the command for the character.
#include <functional>

class cChara;
class cCmdInst;
class cFlowCmd;
class cStageState;

int CmdSummonBlock(cChara& c, cCmdInst& cmd);
int CmdSummonChara(cChara& c, cCmdInst& cmd);
int CmdSummonItem(cChara& c, cCmdInst& cmd);
int CmdFlowOperation(cChara& c, cCmdInst& cmd);
// Gives 1: the stage is cleared (the stage's end request is set).
int CmdStageClear(cChara& c, cCmdInst& cmd);
int CmdGameWait(cChara& c, cCmdInst& cmd);
int CmdWarp(cChara& c, cCmdInst& cmd);
// The warp of a command record; mode 1 is the placement by a status value.
// Gives 1 (a warp into a blocked spot or out of the stage is undone).
int CmdWarpMode(cChara& c, cFlowCmd& command, int mode);
int CmdSetTarget(cChara& c, cCmdInst& cmd);
int CmdStatusOperation2(cChara& c, cCmdInst& cmd);
int CmdVanish(cChara& c, cCmdInst& cmd);
int CmdGetItem(cChara& c, cCmdInst& cmd);

// Raises the stage's end request; a request already made is never taken
// back by a later 0.
void RequestStageEnd(cStageState& stage, int request);

// The scene's nested frame loop that runs while a command holds the game
// (the stage is drawn, not updated) until the stage's wait request is met.
// The scene installs it; without one (tests, no scene) the wait returns at
// once.
using NestedWaitLoop = std::function<void(cStageState& stage)>;
void SetNestedWaitLoop(NestedWaitLoop loop);
void RunNestedWait(cStageState& stage);
