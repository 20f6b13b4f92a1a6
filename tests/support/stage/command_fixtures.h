#pragma once
// Commands and command instances for the executor and shot tests: a
// command of a kind with the parts and parameters it carries, and an
// instance that runs it.
#include <initializer_list>
#include <memory>

#include "gamedata/flows/flow_cmd.h"
#include "stage/core/flow_inst.h"

inline cFlowCmd CommandOfKind(int kind) {
    cFlowCmd cmd;
    cmd.m_cKind = static_cast<std::int8_t>(kind);
    cmd.SizeParams(cmd.ParamCount());
    cmd.m_spMove = std::make_shared<cEdMove>();
    cmd.m_spShot = std::make_shared<cEdShot>();
    return cmd;
}

// A command of an item's list (item numbering) with its first parameters.
inline cFlowCmd ItemCommandOf(int kind, std::initializer_list<int> params = {}) {
    cFlowCmd cmd;
    cmd.m_cTable = 1;
    cmd.m_cKind = static_cast<std::int8_t>(kind);
    cmd.SizeParams(cmd.ParamCount());
    int i = 0;
    for (int p : params) {
        if (i < cmd.m_vParam.Count()) cmd.m_vParam[i++] = p;
    }
    return cmd;
}

// A shot part of n straight 16-pixel shots at `speed` tenths of a pixel
// per frame, forward, in formation 0, with no limits.
inline cEdShot& StraightShots(cFlowCmd& cmd, int n, int speed) {
    cEdShot& s = *cmd.m_spShot;
    s.m_cCount = static_cast<std::int8_t>(n);
    s.m_sSpeed = static_cast<std::int16_t>(speed);
    s.m_bShooterSide = 0;
    s.m_cSide = 2;
    s.m_bThroughBlocks = 1;
    return s;
}

inline cCmdInst InstanceOf(cFlowCmd& cmd) {
    cCmdInst inst;
    inst.m_lpCmd = &cmd;
    return inst;
}
