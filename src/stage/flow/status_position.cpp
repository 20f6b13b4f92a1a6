#include "stage/core/status_position.h"

#include <algorithm>
#include <memory>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/project/system_data.h"

#include "gamedata/project/compat_switches.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

int CentreX(const cChara& c) { return c.m_rcScreen.left + c.m_rcGraphic.w / 2; }
int CentreY(const cChara& c) { return c.m_rcScreen.top + c.m_rcGraphic.h / 2; }
// The bottom sits 15 pixels above the box's lower edge, where the feet are drawn.
int BottomY(const cChara& c) { return c.m_rcScreen.bottom - 15; }

bool UsesBottom(int refPoint, int flying) {
    return refPoint == YRefPoint::Bottom || (refPoint == YRefPoint::BottomWhenWalking && !flying);
}

WarpRunner g_warp = nullptr;

constexpr int kPositionLimit = 16384;
constexpr int kWarpToCoordinates = 5;
constexpr int kWarpPlaces = 1;

namespace WarpUnit {
enum : int { Blocks = 0, Pixels = 1 };
}

// Older projects wrote the value as an offset, 16 pixels off for absolute
// and screen coordinates.
int CompatOffset(int value, int kind) {
    return value - (kind == CoordKind::Absolute || kind == CoordKind::Screen ? 16 : 0);
}

// A warp to coordinates on one axis, no mirroring, everything else 0.
cFlowCmd WarpCommand(int kind, bool onX) {
    cFlowCmd cmd;
    cmd.m_cKind = static_cast<std::int8_t>(FlowKind::Warp);
    auto move = std::make_shared<cEdMove>();
    move->SetDefaults();
    move->m_cMode = kWarpToCoordinates;
    move->m_cUnit = WarpUnit::Pixels;
    move->m_cPoint = 0;
    move->m_bUseX = onX ? 1 : 0;
    move->m_bUseY = onX ? 0 : 1;
    move->m_bMirrorX = move->m_bMirrorY = 0;
    move->m_sTargetX = move->m_sTargetY = move->m_sTargetDotX = move->m_sTargetDotY = 0;
    move->m_cCoord = static_cast<std::int8_t>(kind);
    cmd.m_spMove = move;
    return cmd;
}

void Warp(cChara& chara, cFlowCmd& cmd) {
    if (g_warp) g_warp(chara, cmd, kWarpPlaces);
}

int StageOffset(const cScrollAxis& axis) { return static_cast<int>(axis.m_dPos) - axis.m_nBlockOffset * 32; }

}  // namespace

bool GetStatusX(const cChara* chara, int kind, const cChara* runner, int& value) {
    if (!chara) return false;
    switch (kind) {
        case CoordKind::Relative:
            if (!runner) return false;
            value = CentreX(*chara) - CentreX(*runner);
            return true;
        case CoordKind::Absolute: value = StageOffset(StageState().m_ScrollX) + CentreX(*chara); return true;
        case CoordKind::Screen: value = CentreX(*chara); return true;
        default: return true;
    }
}

bool GetStatusY(const cChara* chara, int kind, int refPoint, const cChara* runner, int& value) {
    if (!chara) return false;
    const int y = UsesBottom(refPoint, chara->m_bFly) ? BottomY(*chara) : CentreY(*chara);
    switch (kind) {
        case CoordKind::Relative:
            if (!runner) return false;
            value = CentreY(*chara) - CentreY(*runner);
            return true;
        case CoordKind::Absolute: value = StageOffset(StageState().m_ScrollY) + y; return true;
        case CoordKind::Screen: value = y; return true;
        default: return true;
    }
}

void SetWarpRunner(WarpRunner runner) { g_warp = runner; }

void SetStatusX(int value, cChara& chara, int kind) {
    const auto v = static_cast<std::int16_t>(std::clamp(value, -kPositionLimit, kPositionLimit));
    cFlowCmd cmd = WarpCommand(kind, true);
    if (SwitchOn(Switch::StatusXY)) {
        cmd.m_spMove->m_sTargetDotX = static_cast<std::int16_t>(CompatOffset(v, kind));
    } else {
        cmd.m_spMove->m_sTargetX = v;
    }
    Warp(chara, cmd);
}

void SetStatusY(int value, cChara& chara, int kind, int refPoint) {
    const auto v = static_cast<std::int16_t>(std::clamp(value, -kPositionLimit, kPositionLimit));
    cFlowCmd cmd = WarpCommand(kind, false);
    if (SwitchOn(Switch::StatusXY)) {
        cmd.m_spMove->m_cUnit = WarpUnit::Blocks;
        cmd.m_spMove->m_sTargetDotY = static_cast<std::int16_t>(CompatOffset(v, kind));
    } else {
        cmd.m_spMove->m_cPoint = static_cast<std::int8_t>(refPoint);
        cmd.m_spMove->m_sTargetY = v;
    }
    Warp(chara, cmd);
}
