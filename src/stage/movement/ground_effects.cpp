#include "stage/movement/ground_effects.h"

#include <array>
#include <cstdint>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "shell/sound_requests.h"
#include "stage/flow/flow_prep.h"
#include "stage/movement/tile_contacts.h"
#include "stage/objects/block_map.h"
#include "stage/objects/player.h"

namespace {

constexpr int kJumpPadSound = 10;
// A non-negative vertical speed at most this many pixels per frame counts
// as walking on the ground.
constexpr double kWalkingSpeedY = 1.0;
constexpr double kStickSpeedY = 7.0;
constexpr int kStickProbeDepth = 4;
// Old projects simply added this to a non-negative vertical speed.
constexpr double kOldStickSpeedY = 1.0;

double PerSubStep(double perFrame) { return perFrame / SubStepsPerFrame(); }

// Reading a block's ground kind.
using GroundRead = void (*)(cPlayer& hero, const cBlockDef& block);

void LaunchFromPad(cPlayer& hero, const cBlockDef& block) {
    PlaySystemSound(kJumpPadSound);
    // The height in half blocks is the value's low byte.
    hero.m_dSpeedY = hero.JumpSpeedForHbl(static_cast<std::int8_t>(block.m_nFootValue & 0xFF));
    hero.m_bJumping = hero.m_bJumpEnd = 1;
    hero.m_bJumpReady = 0;
    hero.m_nJumpFrames = cChara::SpeedToFrames(hero.m_dSpeedY);
}

void ForbidJump(cPlayer& hero, const cBlockDef&) { hero.m_bNoJumpGround = 1; }

void StartEffect(cPlayer& hero, int kind, double value) {
    hero.m_nGroundKind = kind;
    hero.m_dGroundValue = value;
    hero.m_nGroundSteps = SubStepsPerFrame();
}

void StartSpeedChange(cPlayer& hero, const cBlockDef& block) {
    StartEffect(hero, GroundKind::SpeedChange, block.m_nFootValue * 0.01);
}

// The value is the conveyor's speed in tenths of a pixel per frame.
void StartConveyor(cPlayer& hero, const cBlockDef& block) {
    StartEffect(hero, block.m_cFootEffect, PerSubStep(block.m_nFootValue * 0.1));
}

constexpr std::array<GroundRead, 6> kGroundReads = {
    nullptr, LaunchFromPad, ForbidJump, StartSpeedChange, StartConveyor, StartConveyor,
};

// One sub-step of a running effect.
using GroundApply = void (*)(cPlayer& hero);

void ChangeSpeed(cPlayer& hero) { hero.m_dSpeedX *= hero.m_dGroundValue; }

// A conveyor wins over a run against it.
void ConveyLeft(cPlayer& hero) {
    hero.m_dSpeedX -= hero.m_dGroundValue;
    if (hero.m_dAccelX > 0.0) hero.m_dAccelX = 0.0;
}

void ConveyRight(cPlayer& hero) {
    hero.m_dSpeedX += hero.m_dGroundValue;
    if (hero.m_dAccelX < 0.0) hero.m_dAccelX = 0.0;
}

constexpr std::array<GroundApply, 6> kGroundApplies = {
    nullptr, nullptr, nullptr, ChangeSpeed, ConveyLeft, ConveyRight,
};

template <class Table>
auto EntryOf(const Table& table, int kind) -> typename Table::value_type {
    return kind >= 0 && kind < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(kind)] : nullptr;
}

bool StandsOnSolid(const cPlayer& hero) {
    return hero.m_lpGroundBlock && IsSolidFor(*hero.m_lpGroundBlock, hero.m_nBlockGroup);
}

// Reads the ground kind of the block under the hero's feet; the result of
// a jump pad's item.
int ReadGround(cPlayer& hero) {
    const cBlockDef& block = hero.m_lpGroundBlock->m_Def;
    const int kind = block.m_cFootEffect;
    int result = 0;
    if (const GroundRead read = EntryOf(kGroundReads, kind)) read(hero, block);
    if (kind == GroundKind::JumpPad && block.m_cItemSource != 0) result = TouchItemBlock(hero);
    if (kind != GroundKind::NoJump) hero.m_bNoJumpGround = 0;
    return result;
}

void RunGroundEffect(cPlayer& hero) {
    if (const GroundApply apply = EntryOf(kGroundApplies, hero.m_nGroundKind)) apply(hero);
    if (--hero.m_nGroundSteps == 0) StickToGround(hero);
}

}  // namespace

int ApplyGroundEffect(cPlayer& hero) {
    if (hero.m_bFly) return 0;
    int result = 0;
    if (hero.m_nGroundSteps == 0 && StandsOnSolid(hero)) result = ReadGround(hero);
    if (hero.m_nGroundSteps != 0) RunGroundEffect(hero);
    return result;
}

void StickToGround(cChara& c) {
    if (SwitchOn(Switch::StickToGround)) {
        if (c.m_dSpeedY >= 0.0) c.m_dSpeedY += kOldStickSpeedY;
        return;
    }
    if (c.m_dSpeedY < 0.0 || c.m_dSpeedY > PerSubStep(kWalkingSpeedY) || c.m_bRiding || c.m_bAirLock) return;
    const int y = static_cast<int>(c.m_dBottom) + kStickProbeDepth;
    cTileCell* below =
        ProbeBlockLine(c, static_cast<int>(c.m_dX + c.m_dSpeedX), y, static_cast<int>(c.m_dRight + c.m_dSpeedX), y);
    if (below && IsSolidFor(*below, c.m_nBlockGroup)) c.m_dSpeedY = PerSubStep(kStickSpeedY);
}
