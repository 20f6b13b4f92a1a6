#pragma once
// Every character of a stage other than the hero. It carries the item that
// goes to the hero when it dies, and it is moved and stepped only while it
// is awake: in its activity area of the view, woken by its group, or still
// in the air after having been awake.
#include <array>
#include <cstdint>

#include "foundation/checked_containers.h"
#include "stage/objects/chara.h"
#include "stage/objects/item.h"

class cStageChara : public cChara {
public:
    cStageChara() = default;
    cStageChara(const cStageChara&) = default;
    cStageChara& operator=(const cStageChara&) = default;

    // Makes this a placed character of `def`, carrying a copy of `item`
    // (may be null); `place` goes to the reset.
    void InitFromDef(int id, cCharaDef& def, const cItem* item, const std::array<int, 4>& place, int clone);
    using cChara::PlaceAtCell;
    void PlaceAtCell(int column, int row);

    void OnScaleChanged(int scale) override;
    void UpdateHitRectX() override;
    void UpdateHitRectY() override;
    cItem* GetHeldItem() override { return &m_HeldItem; }
    int AfterMoveX() override;
    int AfterMoveY() override;
    int MoveX() override;
    int MoveY() override;
    // One sub-step of the jump command: starts the jump when nothing blocks
    // it, ends the command on landing or when it waited too long.
    void Jump(cCmdInst* cmd) override;

    // Whether the character lies in its activity area of the view; one of
    // a wake group marks its group's area flag.
    bool UpdateActive(cVector<std::uint8_t>& areaFlags);
    bool IsAwake(const cVector<std::uint8_t>& areaFlags);
    // The hit box meets the rectangle, edges included.
    bool Overlaps(double left, double top, double right, double bottom) const;
    // Counts the carried item's icon on; true when it shows this frame, at
    // (x, y) of the screen.
    bool HeldItemIconAt(int& x, int& y);
    // The carried item's 16 x 16 icon above the character, when it shows.
    void DrawHeldItemIcon(DDSURFACEDATA* dst);

    int m_bInView = 0;
    int m_bAwake = 0;
    cItem m_HeldItem;
    int m_nIconBlink = 0;
    int m_bSkipViewX = 0, m_bSkipViewY = 0;
    int m_bWokenOnce = 0;
};

// The stage characters of the running stage, held by value: a node keeps
// its address for the character's whole life.
extern cList<cStageChara> CharaList;
