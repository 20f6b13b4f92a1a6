#include "stage/movement/tile_contacts.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/movement/contact_triggers.h"
#include "stage/objects/block_map.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kPassable = 0, kSolid = 1, kDeadly = 2;
// Nudges that take a character out of a block it still touches.
constexpr int kMaxNudges = 15;
constexpr double kNudge = 0.1;
constexpr int kAirLockFrames = 8;

int Trunc(double v) { return static_cast<int>(v); }

bool IsFlyKind(const cChara& c, int kind) { return c.m_bFly && c.m_cFlyKind == kind; }
bool PassesBlocks(const cChara& c) { return IsFlyKind(c, 0); }
bool DiesOnBlocks(const cChara& c) { return IsFlyKind(c, 2); }
// Deadly blocks kill every character but the computer's.
bool DeadlyFor(const cChara& c) { return c.m_nCharaKind != 1; }

int ClampToGrid(int v, const cScrollAxis& axis) { return std::clamp(v, 0, std::max(axis.m_nGridPixels - 1, 0)); }

// The most solid of a row of probes; among equally solid blocks the first
// one nearest `middle`, among passable ones simply the first.
class SolidestProbe {
public:
    SolidestProbe(int group, int middle) : m_nGroup(group), m_nMiddle(middle) {}
    void Probe(int x, int y, int along) { ProbeCell(x >> 5, y >> 5, along); }
    void ProbeCell(int column, int row, int along) {
        cTileCell* cell = BlockCellAt(column, row);
        if (!cell) return;
        const int solidity = static_cast<std::int8_t>(SolidityFor(*cell, m_nGroup));
        const int distance = std::abs(along - m_nMiddle);
        if (solidity > m_nBest || (solidity == m_nBest && solidity > kPassable && distance < m_nDistance)) {
            m_nBest = solidity;
            m_nDistance = distance;
            m_lpCell = cell;
        }
    }
    cTileCell* Cell() const { return m_lpCell; }

private:
    int m_nGroup;
    int m_nMiddle;
    int m_nBest = -1;
    int m_nDistance = 0;
    cTileCell* m_lpCell = nullptr;
};

int SolidityOf(const cChara& c, cTileCell* cell) {
    return cell ? static_cast<std::int8_t>(SolidityFor(*cell, c.m_nBlockGroup)) : kPassable;
}

// The parts of a side contact that both sides share.
void TouchWall(cChara& c, int side, int trigger) {
    c.m_dAccelX = 0.0;
    c.AfterMoveX();
    c.m_nWallSide = side;
    FireContactTrigger(c, ContactTrigger::BlockHit);
    FireContactTrigger(c, ContactTrigger::BlockSide);
    FireContactTrigger(c, trigger);
}

// Takes a character still touching a solid block out of it in small steps.
void NudgeOut(cChara& c, double step) {
    for (int i = 0; i < kMaxNudges && c.TouchesSolidTile(); ++i) {
        c.m_dX += step;
        c.AfterMoveX();
    }
}

// The side rule's verdict on a block: -1 to push the character out, else
// the result.
int SideVerdict(const cChara& c, int solidity) {
    if (solidity == kSolid) return DiesOnBlocks(c) ? TileResult::Killed : -1;
    if (solidity == kDeadly) return DeadlyFor(c) || DiesOnBlocks(c) ? TileResult::Killed : -1;
    return TileResult::Go;
}

int FirstThen(cChara& c, int (*first)(cChara&), int (*second)(cChara&)) {
    const int result = first(c);
    if (result == TileResult::Killed) return result;
    return second(c);
}

// A step with nothing under the feet; 8 frames in the air lock the jump.
void CountAirStep(cChara& c) {
    c.m_lpGroundBlock = nullptr;
    c.m_nAirSteps += 1;
    if (c.m_nAirSteps != kAirLockFrames * LoadedStage.m_nSubSteps) return;
    if (c.m_nCharaKind == 0) {
        if (c.m_bRiding) return;
        if (cPlayer* hero = dynamic_cast<cPlayer*>(&c)) hero->m_bJumpReady = 1;
    }
    c.m_bAirLock = 1;
}

// A character moving up passes through the top of a block, unless it flies
// or the project keeps the old landing.
bool MayLand(const cChara& c) { return SwitchOn(Switch::LandRising) || c.m_bFly || c.m_dSpeedY >= 0.0; }

}  // namespace

cTileCell* ProbeBlockLine(const cChara& c, int x1, int y1, int x2, int y2) {
    const cStageState& stage = StageState();
    const cScrollAxis& ax = stage.m_ScrollX;
    const cScrollAxis& ay = stage.m_ScrollY;
    x1 = ClampToGrid(x1, ax);
    x2 = ClampToGrid(x2, ax);
    y1 = ClampToGrid(y1, ay);
    y2 = ClampToGrid(y2, ay);
    const int probes = c.Scale() + 1;
    if (x1 == x2) {
        SolidestProbe best(c.m_nBlockGroup, 0);
        int y = y1;
        for (int i = 0; i < probes; ++i, y = ClampToGrid(y + c.m_nBaseHeight - 1, ay)) best.Probe(x1, y, 0);
        return best.Cell();
    }
    if (y1 == y2) {
        SolidestProbe best(c.m_nBlockGroup, (x1 + x2) / 2);
        int x = x1;
        for (int i = 0; i < probes; ++i, x = ClampToGrid(x + c.m_nBaseWidth - 1, ax)) best.Probe(x, y1, x);
        return best.Cell();
    }
    return nullptr;
}

cTileCell* ProbeGroundBlock(const cChara& c) {
    const cStageState& stage = StageState();
    const cScrollAxis& ax = stage.m_ScrollX;
    const int scale = c.Scale();
    const int probes = scale % 2 ? scale + 2 : scale + 1;
    const int step = c.m_nWidth / (probes - 1);
    const int left = Trunc(c.m_dX), right = Trunc(c.m_dRight);
    const int y = ClampToGrid(Trunc(c.m_dBottom), stage.m_ScrollY);
    SolidestProbe best(c.m_nBlockGroup, (left + right) / 2);
    int x = left;
    for (int i = 0; i < probes; ++i, x += step) {
        const int probeX = ClampToGrid(i == probes - 1 ? right : x, ax);
        best.Probe(probeX, y, probeX);
    }
    return best.Cell();
}

int ResolveLeftTiles(cChara& c) {
    if (PassesBlocks(c)) return TileResult::Go;
    const int solidity =
        SolidityOf(c, ProbeBlockLine(c, Trunc(c.m_dX), Trunc(c.m_dY), Trunc(c.m_dX), Trunc(c.m_dBottom)));
    const int verdict = SideVerdict(c, solidity);
    if (verdict >= 0) return verdict;
    c.m_dPushLeft = 0.0;
    c.m_bTouchLeft = 1;
    // The left edge goes to the next block column, keeping its fraction.
    c.m_dX += 32 - (Trunc(c.m_dX) & 31);
    c.AfterMoveX();
    if (solidity == kSolid && !SwitchOn(Switch::TouchPush)) NudgeOut(c, kNudge);
    TouchWall(c, 0, ContactTrigger::BlockLeft);
    return TileResult::Go;
}

int ResolveRightTiles(cChara& c) {
    if (PassesBlocks(c)) return TileResult::Go;
    const int right = Trunc(c.m_dRight);
    const int solidity = SolidityOf(c, ProbeBlockLine(c, right, Trunc(c.m_dY), right, Trunc(c.m_dBottom)));
    const int verdict = SideVerdict(c, solidity);
    if (verdict >= 0) return verdict;
    c.m_dPushRight = 0.0;
    c.m_bTouchRight = 1;
    if (solidity == kSolid && !SwitchOn(Switch::TouchPush)) {
        // The right edge goes to the block's first pixel column, still in
        // the block; the small steps take it out.
        c.m_dX -= right & 31;
        c.AfterMoveX();
        NudgeOut(c, -kNudge);
    } else {
        c.m_dX -= (right & 31) + 1;
        c.AfterMoveX();
    }
    TouchWall(c, 1, ContactTrigger::BlockRight);
    return TileResult::Go;
}

int ResolveTilesX(cChara& c) {
    if (PassesBlocks(c)) return TileResult::Go;
    if (IsFlyKind(c, 1) || c.m_dSpeedX > 0.0) return FirstThen(c, ResolveRightTiles, ResolveLeftTiles);
    return FirstThen(c, ResolveLeftTiles, ResolveRightTiles);
}

namespace {

// What the feet rule leaves to the head rule of a both-sides pass.
struct FootOutcome {
    int result = TileResult::Go;
    bool headRuleFollows = true;
};

// The feet rule after a move (`afterMove`), or in a both-sides pass, which
// keeps the ground block over a passable probe and does not count the step
// in the air.
FootOutcome FootRule(cChara& c, bool afterMove) {
    const int bottom = Trunc(c.m_dBottom);
    cTileCell* block = ProbeBlockLine(c, Trunc(c.m_dX), bottom, Trunc(c.m_dRight), bottom);
    const int solidity = SolidityOf(c, block);
    if (solidity != kSolid && solidity != kDeadly) {
        if (afterMove) CountAirStep(c);
        return {};
    }
    c.m_lpGroundBlock = block;
    const bool hero = c.m_nCharaKind == 0;
    if (solidity == kSolid) {
        if (DiesOnBlocks(c)) return {TileResult::Killed, false};
        if (!MayLand(c)) return {TileResult::Go, false};
        if (hero) c.m_lpGroundBlock = ProbeGroundBlock(c);
    } else {
        if (hero && !afterMove) c.m_lpGroundBlock = ProbeGroundBlock(c);
        c.m_lpLastGroundBlock = c.m_lpGroundBlock;
        if (DeadlyFor(c) || DiesOnBlocks(c)) return {TileResult::Killed, false};
        if (!MayLand(c)) return {TileResult::Go, false};
    }
    c.m_lpLastGroundBlock = c.m_lpGroundBlock;
    c.Land();
    return {};
}

}  // namespace

int ResolveFootTiles(cChara& c) {
    if (PassesBlocks(c)) return TileResult::Go;
    return FootRule(c, true).result;
}

int ResolveHeadTiles(cChara& c) {
    if (PassesBlocks(c)) return TileResult::Go;
    const int top = Trunc(c.m_dY);
    const int verdict = SideVerdict(c, SolidityOf(c, ProbeBlockLine(c, Trunc(c.m_dX), top, Trunc(c.m_dRight), top)));
    if (verdict >= 0) return verdict;
    c.HitCeiling();
    return TileResult::Go;
}

int ResolveTilesY(cChara& c) {
    if (PassesBlocks(c)) return TileResult::Go;
    c.m_lpGroundBlock = nullptr;
    if (IsFlyKind(c, 1) || c.m_dSpeedY > 0.0) return FirstThen(c, ResolveFootTiles, ResolveHeadTiles);
    return FirstThen(c, ResolveHeadTiles, ResolveFootTiles);
}

int ResolveTilesXBoth(cChara& c) {
    if (PassesBlocks(c)) return TileResult::Go;
    const int right = ResolveRightTiles(c);
    const int left = ResolveLeftTiles(c);
    return right == TileResult::Killed || left == TileResult::Killed ? TileResult::Killed : TileResult::Go;
}

int ResolveTilesYBoth(cChara& c) {
    if (PassesBlocks(c)) return TileResult::Go;
    const FootOutcome feet = FootRule(c, false);
    if (!feet.headRuleFollows) return feet.result;
    return ResolveHeadTiles(c);
}

cTileCell* ProbeCornerBlocks(int left, int top, int right, int bottom, int group) {
    const std::pair<int, int> corners[] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
    SolidestProbe best(group, 0);
    for (const auto& [column, row] : corners) best.ProbeCell(column, row, 0);
    return best.Cell();
}
