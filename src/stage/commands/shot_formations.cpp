#include <cmath>
#include <numbers>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "stage/commands/shot_placement.h"
#include "stage/flow/current_input.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double K = std::numbers::sqrt2 / 2;

bool Diagonal(int code) { return code >= DirCode::UpLeft && code <= DirCode::DownRight; }

// The velocity of speed s at `angle` degrees: 0 left, 90 up.
void FlyAt(cShotPlacement& p, double angle) {
    p.dVelX = -p.dSpeed * std::cos(angle * kDegree);
    p.dVelY = -p.dSpeed * std::sin(angle * kDegree);
}

void FlyAlong(cShotPlacement& p, int code) {
    const double s = p.dSpeed, k = K * s;
    switch (code) {
        case DirCode::Left: p.dVelX = -s, p.dVelY = 0; break;
        case DirCode::Right: p.dVelX = s, p.dVelY = 0; break;
        case DirCode::Up: p.dVelX = 0, p.dVelY = -s; break;
        case DirCode::Down: p.dVelX = 0, p.dVelY = s; break;
        case DirCode::UpLeft: p.dVelX = -k, p.dVelY = -k; break;
        case DirCode::DownLeft: p.dVelX = -k, p.dVelY = k; break;
        case DirCode::UpRight: p.dVelX = k, p.dVelY = -k; break;
        case DirCode::DownRight: p.dVelX = k, p.dVelY = k; break;
        default: p.dVelX = p.dVelY = 0; break;
    }
}

// The first object touching the shooter's drawn box on the side it flies
// to, centred across the flight.
void StartByDirection(cShotPlacement& p, const ShooterBox& s) {
    const int w = p.nWidth, h = p.nHeight;
    const double cx = s.CentreX(), cy = s.CentreY();
    const double diagUpY = cy - K * (s.gh / 2 + h / 2) - h / 2;
    const double diagDownY = cy + K * (s.b - s.t + 1 - s.gh / 2 + h / 2) - h / 2;
    const double diagLeftX = cx + K * (1 - s.gw / 2 - w / 2) - w / 2;
    const double diagRightX = cx + K * (s.r - s.l + 1 - s.gw / 2 + w / 2) - w / 2;
    double x = 0, y = 0;
    switch (p.nDir) {
        case DirCode::Left: x = s.sx + s.l + 1 - w, y = cy - h / 2; break;
        case DirCode::Right: x = s.sx + s.r + 1, y = cy - h / 2; break;
        case DirCode::Up: x = cx - w / 2, y = s.sy + s.t - h; break;
        case DirCode::Down: x = cx - w / 2, y = s.sy + s.b + 1; break;
        case DirCode::UpLeft: x = diagLeftX, y = diagUpY; break;
        case DirCode::DownLeft: x = diagLeftX, y = diagDownY; break;
        case DirCode::UpRight: x = diagRightX, y = diagUpY; break;
        case DirCode::DownRight: x = diagRightX, y = diagDownY; break;
        default: x = s.CentreX() - w / 2, y = s.CentreY() - h / 2; break;
    }
    p.nStartX = static_cast<int>(x);
    p.nStartY = static_cast<int>(y);
}

// A row of n objects across the direction, centred on the single start.
void RowAcross(cShotPlacement& p, int sp, int n) {
    const int w = p.nWidth, h = p.nHeight;
    const int across = (n - 1) * (sp / 2 + w / 2), down = (n - 1) * (sp / 2 + h / 2);
    int mx = 0, my = 0;
    p.nRowDx = p.nRowDy = 0;
    switch (p.nDir) {
        case DirCode::Left:
        case DirCode::Right: p.nRowDy = sp + h, my = -down; break;
        case DirCode::Up:
        case DirCode::Down: p.nRowDx = sp + w, mx = -across; break;
        case DirCode::UpLeft:
        case DirCode::DownRight:
            p.nRowDx = sp + w, p.nRowDy = -(sp + h);
            mx = static_cast<int>(-K * across), my = static_cast<int>(K * down);
            break;
        case DirCode::DownLeft:
        case DirCode::UpRight:
            p.nRowDx = sp + w, p.nRowDy = sp + h;
            mx = static_cast<int>(-K * across), my = static_cast<int>(-K * down);
            break;
        default: break;
    }
    p.nStartX += mx;
    p.nStartY += my;
}

void AddClone(cShotPlacement& p) {
    p.nStartX += p.nCloneX;
    p.nStartY += p.nCloneY;
}

// n objects from the start along the row step, each with the velocity set.
void CreateRow(const FormationCall& call, cShotPlacement& p, int n) {
    p.nX = p.nStartX;
    p.nY = p.nStartY;
    for (int j = 0; j < n; ++j) {
        PlaceFormationObject(call, p);
        p.nX += p.nRowDx;
        p.nY += p.nRowDy;
    }
}

double CentreOfStartX(const cShotPlacement& p) { return p.nStartX + p.nWidth / 2; }
double CentreOfStartY(const cShotPlacement& p) { return p.nStartY + p.nHeight / 2; }

void FormStraightA(const FormationCall& call, cShotPlacement& p) {
    const cEdShot& param = call.param;
    const int sp = param.m_sFormParam[0] * 16, n = param.m_cCount;
    const ShooterBox s = BoxOf(call.shooter);
    if (!param.m_cShotOption1 || (p.nAngle == 0 && !param.m_bAim)) {
        StartByDirection(p, s);
        RowAcross(p, sp, n);
        AddClone(p);
        if (p.nAngle == 0 && !param.m_bAim) {
            FlyAlong(p, p.nDir);
        } else {
            const int c =
                param.m_bAim ? AngleToTarget(CentreOfStartX(p), CentreOfStartY(p), call, p) : DirectionAngle(p.nDir);
            FlyAt(p, c + p.nAngle);
        }
        CreateRow(call, p, n);
        return;
    }
    // The row turns with the angle around the shooter.
    int c = (param.m_bAim ? AngleToTarget(s.CentreX() + p.nCloneX, s.CentreY() + p.nCloneY, call, p)
                          : DirectionAngle(p.nDir)) +
            p.nAngle;
    RotatedStart(p, call.shooter, c);
    if (param.m_bAim) {
        c = AngleToTarget(CentreOfStartX(p) + p.nCloneX, CentreOfStartY(p) + p.nCloneY, call, p) + p.nAngle;
    }
    const double sn = std::sin(c * kDegree), cs = std::cos(c * kDegree);
    const int w = p.nWidth, h = p.nHeight;
    const double half = sp / 2;
    const double sign = (sn >= 0) == (cs >= 0) ? 1.0 : -1.0;
    p.nStartX += static_cast<int>(-sign * sn * (half + w / 2) * (n - 1));
    p.nStartY += static_cast<int>(sign * cs * (half + h / 2) * (n - 1));
    p.nRowDx = static_cast<int>(sign * sn * (sp + w));
    p.nRowDy = static_cast<int>(-sign * cs * (sp + h));
    AddClone(p);
    FlyAt(p, c);
    CreateRow(call, p, n);
}

// A column standing on the shooter's floor line, growing upward.
void FormStraightB(const FormationCall& call, cShotPlacement& p) {
    const cEdShot& param = call.param;
    const int sp = param.m_sFormParam[0] * 16;
    const ShooterBox s = BoxOf(call.shooter);
    const bool leftSide = p.nDir == DirCode::Left || p.nDir == DirCode::UpLeft || p.nDir == DirCode::DownLeft ||
                          ((p.nDir == DirCode::Up || p.nDir == DirCode::Down) && !call.shooter.m_nDirection);
    p.nStartX = leftSide ? s.sx + s.l + 1 - p.nWidth : s.sx + s.r + 1;
    p.nStartY = s.sy + s.b - p.nHeight + 1;
    p.nRowDx = 0;
    p.nRowDy = -(sp + p.nHeight);
    AddClone(p);
    if (p.nAngle != 0 || param.m_bAim) {
        const int c =
            param.m_bAim ? AngleToTarget(CentreOfStartX(p), CentreOfStartY(p), call, p) : DirectionAngle(p.nDir);
        FlyAt(p, c + p.nAngle);
    } else {
        FlyAlong(p, p.nDir);
    }
    CreateRow(call, p, param.m_cCount);
}

// A fan from one start, symmetric about the aimed direction.
void FormSpread(const FormationCall& call, cShotPlacement& p) {
    const cEdShot& param = call.param;
    const ShooterBox s = BoxOf(call.shooter);
    const int n = param.m_cCount;
    if (!param.m_cShotOption1 || (p.nAngle == 0 && !param.m_bAim)) {
        StartByDirection(p, s);
    } else {
        const int c = param.m_bAim ? AngleToTarget(s.CentreX() + p.nCloneX, s.CentreY() + p.nCloneY, call, p)
                                   : DirectionAngle(p.nDir);
        RotatedStart(p, call.shooter, c + p.nAngle);
    }
    AddClone(p);
    const int c = param.m_bAim ? AngleToTarget(CentreOfStartX(p), CentreOfStartY(p), call, p) : DirectionAngle(p.nDir);
    const double f = param.m_sFormParam[0];
    p.nX = p.nStartX;
    p.nY = p.nStartY;
    for (int j = 0; j < n; ++j) {
        FlyAt(p, c + p.nAngle - f * (n - 1) / 2 + j * f);
        PlaceFormationObject(call, p);
    }
}

// The object that 落雷 and 包囲 are laid out around; none for an empty slot.
cChara* BaseObject(const FormationCall& call) {
    switch (call.param.m_cOrigin) {
        case 0: return call.shooter.m_vecTarget[call.param.m_cFormTarget];
        case 1: return PlayerList.empty() ? nullptr : &PlayerList[0];
        default: return &call.shooter;
    }
}

struct EdgeStart {
    int x, y;          // top-left of the first object, screen pixels
    int rowDx, rowDy;  // row step
    int colDx, colDy;  // column step
};

// Where the first object of a 落雷 row stands: on the screen edge opposite
// to the flight, on the line through the base object's centre.
EdgeStart LightningEdge(int code, int cxs, int cys, int w, int h, int g, int cs) {
    const int kw = static_cast<int>(K * (w + g)), kh = static_cast<int>(K * (h + g)), kc = static_cast<int>(K * cs);
    switch (code) {
        case DirCode::Left: return {kViewWidth - w, cys - h / 2, -(w + g), 0, 0, cs};
        case DirCode::Right: return {0, cys - h / 2, w + g, 0, 0, cs};
        case DirCode::Up: return {cxs - w / 2, kViewHeight - h, 0, -(h + g), cs, 0};
        case DirCode::Down: return {cxs - w / 2, 0, 0, h + g, cs, 0};
        default: break;
    }
    const bool right = code == DirCode::UpLeft || code == DirCode::DownLeft;  // starts at the right
    const bool bottom = code == DirCode::UpLeft || code == DirCode::UpRight;  // starts at the bottom
    const int H = right ? kViewWidth - cxs : cxs;
    const int V = bottom ? kViewHeight - cys : cys;
    int px = 0, py = 0;
    if (H < V) {
        px = right ? kViewWidth : 0;
        py = bottom ? cys + H : cys - H;
    } else {
        px = right ? cxs + V : cxs - V;
        py = bottom ? kViewHeight : 0;
    }
    EdgeStart e{right ? px - w : px, bottom ? py - h : py, right ? -kw : kw, bottom ? -kh : kh, kc, 0};
    e.colDy = (code == DirCode::UpLeft || code == DirCode::DownRight) ? -kc : kc;
    return e;
}

void FormLightning(const FormationCall& call, cShotPlacement& p) {
    cChara* base = BaseObject(call);
    if (!base) return;
    const cEdShot& param = call.param;
    base->UpdateScreenRect();
    const ShooterBox b = BoxOf(*base);
    const int cxs = b.l + b.gw / 2, cys = b.t + b.gh / 2;
    const int g = SwitchOn(Switch::LightningNoGap) ? 0 : param.m_sFormParam[0] * 16;
    const int columns = std::max<int>(param.m_sFormParam[1], 1), cs = param.m_sFormParam[2] * 16;
    const EdgeStart e = LightningEdge(p.nDir, cxs, cys, p.nWidth, p.nHeight, g, cs);
    int startX = b.sx + e.x, startY = b.sy + e.y;
    int colDx = 0, colDy = 0;
    if (columns >= 2) {
        colDx = e.colDx;
        colDy = e.colDy;
        // Columns centred on the base object's line.
        if (Diagonal(p.nDir)) {
            const int back = static_cast<int>(K * (columns - 1) * cs / 2);
            startX -= colDx > 0 ? back : colDx < 0 ? -back : 0;
            startY -= colDy > 0 ? back : colDy < 0 ? -back : 0;
        } else {
            startX -= colDx * (columns - 1) / 2;
            startY -= colDy * (columns - 1) / 2;
        }
    }
    p.nStartX = startX + p.nCloneX;
    p.nStartY = startY + p.nCloneY;
    if (p.nAngle != 0) {
        FlyAt(p, DirectionAngle(p.nDir) + p.nAngle);
    } else {
        FlyAlong(p, p.nDir);
    }
    for (int row = 0; row < param.m_cCount; ++row) {
        for (int column = 0; column < columns; ++column) {
            p.nX = p.nStartX + row * e.rowDx + column * colDx;
            p.nY = p.nStartY + row * e.rowDy + column * colDy;
            PlaceFormationObject(call, p);
        }
    }
}

// Every object from the shooter's centre, evenly around the circle.
void FormExplosion(const FormationCall& call, cShotPlacement& p) {
    const ShooterBox s = BoxOf(call.shooter);
    const int n = call.param.m_cCount;
    p.nX = p.nStartX = s.CentreX() - p.nWidth / 2 + p.nCloneX;
    p.nY = p.nStartY = s.CentreY() - p.nHeight / 2 + p.nCloneY;
    for (int j = 0; j < n; ++j) {
        FlyAt(p, DirectionAngle(p.nDir) + p.nAngle + j * 360.0 / n);
        PlaceFormationObject(call, p);
    }
}

// A ring around the base object, every object flying at its centre.
void FormEncircle(const FormationCall& call, cShotPlacement& p) {
    cChara* base = BaseObject(call);
    if (!base) return;
    base->UpdateScreenRect();
    const ShooterBox b = BoxOf(*base);
    const int n = call.param.m_cCount;
    const double d = call.param.m_sFormParam[0] * 16;
    p.nStartX = b.CentreX() - p.nWidth / 2 + p.nCloneX;
    p.nStartY = b.CentreY() - p.nHeight / 2 + p.nCloneY;
    for (int j = 0; j < n; ++j) {
        const double u = DirectionAngle(p.nDir) + p.nAngle + j * 360.0 / n;
        p.nX = p.nStartX + static_cast<int>(d * std::cos(u * kDegree) + 0.5);
        p.nY = p.nStartY + static_cast<int>(d * std::sin(u * kDegree) + 0.5);
        FlyAt(p, u);
        PlaceFormationObject(call, p);
    }
}

using FormationRoutine = void (*)(const FormationCall&, cShotPlacement&);

}  // namespace

void RunFormation(const FormationCall& call, cShotPlacement& placement) {
    static const cVector<FormationRoutine> table = {FormStraightA, FormStraightB, FormSpread,
                                                    FormLightning, FormExplosion, FormEncircle};
    table[call.param.m_cFormation](call, placement);
}
