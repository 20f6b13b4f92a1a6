#pragma once
// Small builders for flows, commands and conditions, so the characters'
// programs read as lists of what they do.
#include <initializer_list>
#include <string>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow.h"

// Keys of a key condition (the 19 keys of the input record).
namespace KeyIdx {
enum : int { NoDir = 0, Left, Right, Up, Down, UpLeft, DownLeft, UpRight, DownRight, AnyDir, NoButton, Button1 };
constexpr int Button(int n) { return Button1 + n - 1; }
}  // namespace KeyIdx

// Trigger kinds of a flow.
namespace Trigger {
enum : int {
    Always = 0,
    Damaged = 2,
    Died = 5,
    TouchChara = 6,
    HitShot = 9,
    HitBlock = 11,
    HitSide = 12,
    HitBelow = 17,
    RiddenByHero = 18,
    AttackHit = 24,
    BeforeStart = 25,
    ByCommand = 26
};
}

// Flow command kinds that the shared table names no constant for.
namespace MoreKind {
enum : int {
    GroundTurnMove = 3,
    CircleMove = 4,
    HomingMove = 6,
    CancelMove = 8,
    Jump = 10,
    GameWait = 18,
    ChangeBackground = 34
};
}

// A command of a flow (table 0) with its int parameters, sized to its kind.
cFlowCmd Command(int kind, std::initializer_list<int> params = {});
// The same kind numbered in the item table (item kind = flow kind - 15).
cFlowCmd ItemCommand(int flowKind, std::initializer_list<int> params = {});
cFlowCmd Wait(int tenths);
// Direction kinds of a movement.
namespace MoveDir {
enum : int { Front = 0, Back = 1, Left = 2, Right = 3, Up = 6, Down = 7, Input = 12 };
}

// A movement command with its movement part: a direction kind, a speed in
// tenths of a pixel per frame (circles: tenths of a degree) for a time in
// tenths of a second.
cFlowCmd Movement(int kind, int direction, int speed, int tenths);
// A warp to a cell of the stage.
cFlowCmd WarpTo(int cellX, int cellY);
// A shot command: count shots of a graphic at a speed (tenths of a pixel
// per frame) with a power, flying straight for a range in half blocks.
cFlowCmd ShotCommand(int graphic, int speed, int power, int count = 1, int range = 20);
cFlowCmd SwordCommand(int swordType, int power);
// A summon of a common-palette block, character or item.
cFlowCmd SummonCommand(int kind, int definition, int offsetX);
cFlowCmd Code(const std::string& statement);
cFlowCmd Text(int kind, const std::string& text, std::initializer_list<int> params);
cFlowCmd WithSound(cFlowCmd cmd, int sound);

cCond VariableCond(int kind, int index, int op, int value);
cCond StatusCond(int owner, int status, int op, int value);
cCond StateCond(int owner, int state, int op, int value);
cCond TestCond(int owner, int test, bool negate);
cCond DistanceCond(int halfBlocks, int shape, bool outside);

class FlowBuilder {
public:
    FlowBuilder(const std::string& name, int trigger);
    FlowBuilder& Id(int letter);  // 1 to 26
    FlowBuilder& Group(int letter);
    // A key condition: the listed keys held (or released) for at least
    // minFrames frames (0: any length).
    FlowBuilder& Keys(std::initializer_list<int> held, int minFrames = 0, bool released = false);
    FlowBuilder& HoldKeys();  // start again on every frame the keys match
    FlowBuilder& When(const cCond& cond);
    FlowBuilder& AnyCondition();
    FlowBuilder& Then(const cFlowCmd& cmd);
    cFlow Build() const { return m_flow; }

private:
    cFlow m_flow;
};
