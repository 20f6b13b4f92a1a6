#pragma once
// The preparation of a command instance when its flow is built: movement
// times, speeds, circle radius and angles, homing delay and jump speed,
// from the command's movement part and the character's clone value.
// Every quotient whose divisor comes from data has a defined result.
#include <cstdint>

class cCmdInst;
class cChara;

// The running stage's sub-steps per frame, at least 1.
int SubStepsPerFrame();
// A command value for clone value `clone`: its base plus the per-clone step.
inline std::int64_t PerClone(int base, int step, int clone) { return std::int64_t{step} * clone + base; }

// The preparation routine of the command's kind, when it has one.
void PrepareCmdInst(cCmdInst& inst, cChara& chara);
// Time mode 1 (time and distance): the speed that covers the distance in
// the time; mode 2 (speed and distance): the time the speed needs.
void CalcMoveTime(cCmdInst& inst, int clone);
