#pragma once
// Every character of a stage other than the hero. It carries the item that
// goes to the hero when it dies.
#include "foundation/checked_containers.h"
#include "stage/objects/chara.h"
#include "stage/objects/item.h"

class cStageChara : public cChara {
public:
    cStageChara() = default;
    cStageChara(const cStageChara&) = default;
    cStageChara& operator=(const cStageChara&) = default;

    cItem* GetHeldItem() override { return &m_HeldItem; }
    int AfterMoveX() override;
    int AfterMoveY() override;
    int MoveX() override;
    int MoveY() override;
    // One sub-step of the jump command: starts the jump when nothing blocks
    // it, ends the command on landing or when it waited too long.
    void Jump(cCmdInst* cmd) override;

    cItem m_HeldItem;
};

// The stage characters of the running stage, held by value: a node keeps
// its address for the character's whole life.
extern cList<cStageChara> CharaList;
