#pragma once
// The velocity routines the movement commands share: a direction kind
// resolved against the facing, velocities by direction, angle and target
// point, the ground turn and the off-screen avoidance, and the one place a
// velocity reaches the character. Facing results: 0 leave the facing,
// 1 face left, 2 face right.
class cChara;
class cCmdInst;

// The executors' own fields of a command instance (cleared at each start).
namespace MoveWork {
enum : int { Step = 0, Started, Facing, SeenFacing, OffsetX, OffsetY, Angle, SoundPlayed };
}

struct MoveVelocity {
    double vx = 0.0, vy = 0.0;
    int facing = 0;
};

void CalcMoveAngle(cChara& c, cCmdInst& cmd);
void CalcMoveTarget(cChara& c, cCmdInst& cmd);
// A direction kind 0..12 as a direction code for `c`; input directions
// come from the running flow's start. `noneForMixed` is the table flag.
int ResolveMoveDir(const cChara& c, int kind, bool noneForMixed, bool flying);
MoveVelocity DirVelocity(const cChara& c, double speed, int kind);
MoveVelocity AngleVelocity(const cChara& c, double speed, int kind, int angle);
MoveVelocity TargetVelocity(cChara& c, cCmdInst& cmd, double speed, int offsetX, int offsetY);
MoveVelocity GroundTurnVelocity(cChara& c, double speed);
// Aims at the screen point by the axis locks; stops on it when asked.
MoveVelocity AimMovePoint(cChara& c, cCmdInst& cmd, const cChara* target, double x, double y);
MoveVelocity AvoidVelocity(const cChara& c, double speed, int kind);
// Adds the velocity (or, for an accelerating movement, its acceleration)
// and sets the facing and the movement animation; `force` turns even a
// character whose facing is fixed.
void ApplyMoveVelocity(cChara& c, cCmdInst& cmd, const MoveVelocity& v, bool force);

// The character's centre in screen pixels.
double ScreenCentreX(const cChara& c);
double ScreenCentreY(const cChara& c);
