#include <cmath>

#include "gamedata/flows/flow_cmd.h"
#include "gamedata/global_data.h"
#include "gamedata/project/compat_switches.h"
#include "stage/commands/move_velocity.h"
#include "stage/commands/stage_commands.h"
#include "stage/core/status_position.h"
#include "stage/objects/chara.h"
#include "stage/objects/chara_lookup.h"
#include "stage/objects/stage_spawning.h"
#include "stage/objects/stage_state.h"

namespace {

namespace WarpMode {
enum : int { ByDirection = 0, FromTarget1 = 1, FromTarget4 = 4, ToCoordinates = 5 };
}
namespace WarpUnit {
enum : int { Blocks = 0, Pixels = 1 };
}

// Placements are whole pixels, rounded from the half pixel up.
double Whole(double v) { return static_cast<int>(v); }

const double kDiagonal = 1.0 / std::sqrt(2.0);

void MoveByX(cChara& c, double dx) {
    c.m_dX += dx;
    c.AfterMoveX();
}
void MoveByY(cChara& c, double dy) {
    c.m_dY += dy;
    c.AfterMoveY();
}

// The distance along a direction code; codes that are no direction stay.
void MoveAlong(cChara& c, int code, double d) {
    const double k = d * kDiagonal;
    switch (code) {
        case 2: MoveByX(c, -d); break;
        case 3: MoveByX(c, d); break;
        case 6: MoveByY(c, -d); break;
        case 7: MoveByY(c, d); break;
        case 8:
            MoveByX(c, -k);
            MoveByY(c, -k);
            break;
        case 9:
            MoveByX(c, -k);
            MoveByY(c, k);
            break;
        case 10:
            MoveByX(c, k);
            MoveByY(c, -k);
            break;
        case 11:
            MoveByX(c, k);
            MoveByY(c, k);
            break;
        default: break;
    }
}

// Walking characters kept diagonal input directions unless the project
// asks for the old folding.
int WarpDirection(const cChara& mover, const cEdMove& move) {
    const bool flying = SwitchOn(Switch::WarpInput) ? mover.m_bFly != 0 : true;
    return ResolveMoveDir(mover, move.m_cDirection, false, flying);
}

double WarpDistance(const cChara& c, const cEdMove& move) {
    return (move.m_sDistance + move.m_sDistanceStep * c.m_nClone) * 16.0;
}

// Box edges and tile indices of the current position, nothing clamped.
void UpdateTiles(cChara& c) {
    c.ClampX(BoundMode::None);
    c.ClampY(BoundMode::None);
}

void FromTarget(cChara& c, const cChara& t, const cEdMove& move) {
    // Graphic centres coincide, then the distance is gone from there.
    c.m_dX = t.m_dX - t.m_rcGraphic.x + t.m_rcGraphic.w / 2 + c.m_rcGraphic.x - c.m_rcGraphic.w / 2;
    c.AfterMoveX();
    c.m_dY = t.m_dY - t.m_rcGraphic.y + t.m_rcGraphic.h / 2 + c.m_rcGraphic.y - c.m_rcGraphic.h / 2;
    c.AfterMoveY();
    MoveAlong(c, WarpDirection(t, move), WarpDistance(c, move));
}

void ToCoordinates(cChara& c, const cEdMove& move, int mode) {
    const bool blocks = move.m_cUnit == WarpUnit::Blocks;
    const int scale = blocks ? 32 : 1;
    double X = move.m_sTargetDotX + move.m_sTargetX * scale;
    double Y = move.m_sTargetDotY + move.m_sTargetY * scale;
    const double h = blocks ? 16.0 : 0.0;
    const bool onX = move.m_bUseX != 0, onY = move.m_bUseY != 0;
    const cStageState& stage = StageState();
    const bool bottom = IsModeActive(move.m_cPoint, c.m_bFly);
    const double sx = stage.m_ScrollX.m_dPos, sy = stage.m_ScrollY.m_dPos;
    switch (move.m_cCoord) {
        case CoordKind::Relative:
            if (c.m_nDirection == 1) {
                if (move.m_bMirrorX) X = -X;
                if (move.m_bMirrorY) Y = -Y;
            }
            if (onX) MoveByX(c, X);
            if (onY) MoveByY(c, Y);
            break;
        case CoordKind::Absolute:
            if (SwitchOn(Switch::Warp) || (mode == 1 && SwitchOn(Switch::StatusXY))) {
                if (onX) {
                    c.PlaceX(move.m_sTargetX);
                    MoveByX(c, move.m_sTargetDotX);
                }
                if (onY) {
                    c.PlaceY(move.m_sTargetY, 1);
                    MoveByY(c, move.m_sTargetDotY);
                }
                break;
            }
            if (onX) {
                c.m_dX = Whole(stage.m_ScrollX.m_nBlockOffset * 32 + X - c.m_nWidth / 2 + h + 0.5);
                c.AfterMoveX();
            }
            if (onY) {
                const double B = stage.m_ScrollY.m_nBlockOffset * 32 + Y;
                c.m_dY = Whole(bottom ? B - c.m_nHeight + 16 + h + 0.5 : B - c.m_nHeight / 2 + h + 0.5);
                c.AfterMoveY();
            }
            break;
        case CoordKind::Screen:
            if (SwitchOn(Switch::Warp)) {
                if (onX) {
                    c.m_dX = X + c.m_rcGraphic.x + sx;
                    c.AfterMoveX();
                }
                if (onY) {
                    c.m_dY = Y + c.m_rcGraphic.y + sy;
                    c.AfterMoveY();
                }
                break;
            }
            if (onX) {
                c.m_dX = Whole(X + sx - c.m_nWidth / 2 + h + 0.5);
                c.AfterMoveX();
            }
            if (onY) {
                const int lift = SwitchOn(Switch::WarpBottom) ? 32 : 16;
                c.m_dY = Whole(bottom ? Y + sy - c.m_nHeight + lift + h + 0.5 : Y + sy - c.m_nHeight / 2 + h + 0.5);
                c.AfterMoveY();
            }
            break;
        default: break;
    }
}

}  // namespace

int CmdWarpMode(cChara& c, cFlowCmd& command, int mode) {
    if (!command.m_spMove) return 0;
    const cEdMove& move = *command.m_spMove;
    const int warpMode = move.m_cMode;
    cChara* from = nullptr;
    if (warpMode >= WarpMode::FromTarget1 && warpMode <= WarpMode::FromTarget4) {
        from = c.m_vecTarget[warpMode - WarpMode::FromTarget1];
        if (!from) return 0;
    }
    c.m_bPinScreenX = c.m_bPinScreenY = 0;
    const double x = c.m_dX, y = c.m_dY, right = c.m_dRight, bottom = c.m_dBottom;
    if (warpMode == WarpMode::ByDirection) {
        MoveAlong(c, WarpDirection(c, move), WarpDistance(c, move));
    } else if (from) {
        FromTarget(c, *from, move);
    } else if (warpMode == WarpMode::ToCoordinates) {
        ToCoordinates(c, move, mode);
    }
    UpdateTiles(c);
    if (!c.IsInStage(0) || IsPlaceBlocked(c)) {
        c.m_dY = y;
        c.m_dBottom = bottom;
        c.AfterMoveY();
        c.m_dX = x;
        c.m_dRight = right;
        c.AfterMoveX();
        UpdateTiles(c);
        return 1;
    }
    if (c.IsWalking()) c.m_dSpeedY = 0.0;
    if (warpMode == WarpMode::ToCoordinates && move.m_cCoord == CoordKind::Screen) {
        c.UpdateScreenRect();
        c.m_nPinScreenX = c.m_rcScreen.left;
        c.m_nPinScreenY = c.m_rcScreen.top;
        c.m_bPinScreenX = c.m_bPinScreenY = 1;
    }
    return 1;
}

int CmdWarp(cChara& c, cCmdInst& cmd) { return cmd.m_lpCmd ? CmdWarpMode(c, *cmd.m_lpCmd, 0) : 0; }
