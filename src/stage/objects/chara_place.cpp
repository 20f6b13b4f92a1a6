#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

void cChara::PlaceAtCell(int column, int row, int flag) {
    PlaceX(column);
    PlaceY(row, flag);
}

void cChara::PlaceX(int column) {
    m_dX = (column + StageState().m_ScrollX.m_nBlockOffset) * kBlockPixels + m_rcGraphicBase.x + 0.5;
    const int s = Scale();
    if (s != 1) {
        m_dX -= (m_nBaseWidth / 2) * (s - 1);
        ClampX(BoundMode::Grid);
    }
    AfterMoveX();
}

void cChara::PlaceY(int row, int flag) {
    m_dY = (row + StageState().m_ScrollY.m_nBlockOffset) * kBlockPixels + m_rcGraphicBase.y;
    AnchorOnScale(Scale(), 1, flag);
    AfterMoveY();
}

void cChara::AnchorOnScale(int scale, int oldScale, int flag) {
    const int d = scale - oldScale;
    if (d == 0) return;
    // Keep the bottom of the graphic cell (cell rule) or of the hit box.
    const bool cellRule =
        SwitchOn(Switch::ScaleAnchorSetting) == 0 ? flag != 0 : SwitchOn(Switch::ScaleAnchorHitBox) == 0;
    if (cellRule) {
        m_dY += (m_rcGraphicBase.y - m_rcGraphicBase.h) * d;
    } else {
        m_dY -= m_nBaseHeight * d;
    }
    AfterMoveY();
}

void cChara::SetCenter(int x, int y) {
    SetCenterX(x);
    SetCenterY(y);
}

void cChara::SetCenterX(int x) {
    const int c = m_rcScreen.left + m_rcGraphic.w / 2;
    m_dX += x - c;
    AfterMoveX();
}

void cChara::SetCenterY(int y) {
    const int c = m_rcScreen.top + m_rcGraphic.h / 2;
    m_dY += y - c;
    AfterMoveY();
}

namespace {

void StopWorkSpeed(cCmdInst* cmd) {
    if (!cmd) return;
    cmd->m_dWorkSpeedX = 0.0;
    cmd->m_dWorkSpeedY = 0.0;
}

}  // namespace

void cChara::ArriveAt(int x, int y, cCmdInst* cmd) {
    SetCenter(x, y);
    StopWorkSpeed(cmd);
}

void cChara::ArriveAtX(int x, cCmdInst* cmd) {
    SetCenterX(x);
    StopWorkSpeed(cmd);
}

void cChara::ArriveAtY(int y, cCmdInst* cmd) {
    SetCenterY(y);
    StopWorkSpeed(cmd);
}

void cChara::SetBoxOffsets(int bottomAligned, int width, int height) {
    PlaceBox(m_rcBodyBox, bottomAligned, width, height);
}

void cChara::PlaceBox(CharaBox& box, int bottomAligned, int width, int height) const {
    const int x = 16 - m_rcGraphic.x - (width >> 1);
    const int y = bottomAligned ? 32 - m_rcGraphic.y - height : 16 - m_rcGraphic.y - (height >> 1);
    box.rc = {x, y, width, height};
    box.rcBase = box.rc;
}

void cChara::ChooseBodyBox(int source, const BoxSize& body, const BoxSize& shot, const BoxSize& second) {
    switch (source) {
        case 0: PlaceBox(m_rcBodyBox, body.bottom, body.w, body.h); break;
        case 1: PlaceBox(m_rcBodyBox, 0, shot.w, shot.h); break;
        case 2: PlaceBox(m_rcBodyBox, 0, second.w, second.h); break;
        case 3: PlaceBox(m_rcBodyBox, 0, kBlockPixels, kBlockPixels); break;
        default: break;
    }
}

void SetBoxEdgesX(CharaBox& box, double x) {
    box.dLeft = static_cast<int>(x) + box.rc.x;
    box.dRight = box.dLeft + box.rc.w - 1;
}

void SetBoxEdgesY(CharaBox& box, double y) {
    box.dTop = static_cast<int>(y) + box.rc.y;
    box.dBottom = box.dTop + box.rc.h - 1;
}

void ScaleBox(CharaBox& box, int scale) {
    const OffsetRect& b = box.rcBase;
    box.rc = {b.x * scale, b.y * scale, b.w * scale, b.h * scale};
}

void cChara::UpdateBoxEdgesX() {
    SetBoxEdgesX(m_rcBodyBox, m_dX);
    SetBoxEdgesX(m_rcShotBox, m_dX);
}

void cChara::UpdateBoxEdgesY() {
    SetBoxEdgesY(m_rcBodyBox, m_dY);
    SetBoxEdgesY(m_rcShotBox, m_dY);
}
