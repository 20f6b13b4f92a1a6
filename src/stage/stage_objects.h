#pragma once
// The stage objects as far as the game data needs them today: the class tree
// (base object, character, hero, stage character, item) with the members the
// data records fill, the hero's member-wise copy and the global containers.
// The movement, collision and flow engine come with the stage-object work
// and extend these classes; nothing here runs a frame.
#include <array>
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/definitions/block_def.h"
#include "gamedata/definitions/chara_def.h"
#include "gamedata/definitions/item_def.h"

// A record of six ints (a frame rectangle and its two extra values).
struct FrameRect {
    std::array<std::int32_t, 6> v{};
};
// A plain record of sixteen 32-bit words.
struct Words16 {
    std::array<std::uint32_t, 16> w{};
};
// A record that holds one list.
struct RecordWithVector {
    cVector<std::int32_t> values;
};

void CopyFrameRect(FrameRect& dst, const FrameRect& src);
void CopyWords16(Words16& dst, const Words16& src);
void CopyRecordWithVector(RecordWithVector& dst, const RecordWithVector& src);

class cObject {
public:
    cObject() = default;
    virtual ~cObject() = default;

    // Every member of the base-object part, from an object of the same class.
    void CopyFrom(const cObject& src);

    double m_dX = 0.0, m_dY = 0.0;
    double m_dSpeedX = 0.0, m_dSpeedY = 0.0;
    double m_dAccelX = 0.0, m_dAccelY = 0.0;
    std::int32_t m_nHitW = 0, m_nHitH = 0;
    std::int32_t m_nTileLeft = 0, m_nTileRight = 0, m_nTileTop = 0, m_nTileBottom = 0;
    double m_dScale = 1.0;
    std::int8_t m_bFlying = 0;

protected:
    cObject(const cObject&) = default;
    cObject& operator=(const cObject&) = default;
};

class cItem : public cObject {
public:
    cItem() = default;
    cItem(const cItem&) = default;
    cItem& operator=(const cItem&) = default;

    cItemDef m_Def;
};

// The running state of one flow; rebuilt whenever the flows are replaced.
struct cFlowInst {
    std::int32_t m_nCmd = 0;
    std::int32_t m_nFrame = 0;
    std::int8_t m_bRunning = 0;
    std::int8_t m_bPaused = 0;
    std::int8_t m_bStopped = 0;
    std::int8_t m_bDelete = 0;
};

class cChara : public cObject {
public:
    cChara() = default;

    // The item this character drops on death; none for characters that
    // carry nothing.
    virtual cItem* GetHeldItem() { return nullptr; }
    // A copy of the flows, with one fresh run state per flow.
    void SetFlows(const cVector<cFlow>& flows);

    cCharaDef m_Def;
    std::array<std::int32_t, 4> m_nTarget{};
    cVector<cFlow> m_vFlow;
    cVector<cFlowInst> m_vFlowInst;
    double m_dImpactX = 0.0, m_dImpactY = 0.0;
    std::array<std::int8_t, 4> m_bSideContact{};
    std::int32_t m_nLife = 0;
    std::int32_t m_nInvincible = 0;

protected:
    cChara(const cChara&) = default;
    cChara& operator=(const cChara&) = default;
};

class cPlayer : public cChara {
public:
    cPlayer() = default;
    cPlayer(const cPlayer& src);
    cPlayer& operator=(const cPlayer& src);

    std::array<FrameRect, 3> m_HitBox;
    Words16 m_Input;
    RecordWithVector m_KeyRuns;
    std::int32_t m_nPlayerNo = 0;

private:
    void CopyMembers(const cPlayer& src);
};

class cStageChara : public cChara {
public:
    cStageChara() = default;
    cStageChara(const cStageChara&) = default;
    cStageChara& operator=(const cStageChara&) = default;

    cItem* GetHeldItem() override { return &m_HeldItem; }

    cItem m_HeldItem;
};

// One cell of the play scene's tile map: the block and the run-time latch of
// its condition list (0 at the stage reset, 1 once the conditions held).
struct cTileCell {
    cBlockDef m_Def;
    std::int8_t m_bLatch = 0;
};

// The hero is element 0.
extern cVector<cPlayer> PlayerList;
extern cList<cStageChara> CharaList;
extern cList<cItem> ItemList;
extern cVector<cTileCell> StageBlockDefs;
