#pragma once
// The base of every object of a running stage (characters, items, shots):
// the hit box in stage pixels with its edges and the block cells they touch,
// speeds and accelerations per sub-step, the graphic and its drawn rectangle,
// the move kind and the per-frame flags; the bound modes that keep an object
// inside the stage and report where it hit, and the screen, stage, range and
// block tests.
//
// Stage pixels: the stage grid is the stage surrounded by a margin of ten
// blocks on every side, so stage block (0, 0) starts at pixel (320, 320).
#include <algorithm>
#include <cstdint>

#include "draw/anim_sequencer.h"
#include "gamedata/stage_file/stage_records.h"

// The drawn rectangle in screen pixels; right and bottom inclusive.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A cell or box placed relative to an object's top-left corner.
struct OffsetRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// Codes of ClampX and ClampY: what the bound mode found.
namespace BoundCode {
enum : int {
    Inside = 0,
    OutOfScroll = 1,       // outside the scroll range (ClampY: above it)
    OutOfStage = 2,        // outside the stage area (ClampY: above it)
    ClampedToGrid = 3,     // pushed back into the grid (ClampY: at its top)
    BelowScroll = 4,       // ClampY: below the scroll range
    BelowStage = 5,        // ClampY: below the stage area
    ClampedToGridFoot = 6  // ClampY: pushed back up at the grid's bottom
};
}

// Bound modes of ClampX and ClampY.
namespace BoundMode {
// None only brings the box edges and tile indices up to date.
enum : int { None = -1, ScrollRange = 0, StageArea = 1, Grid = 2 };
}  // namespace BoundMode

constexpr int kBlockPixels = 32;
constexpr int kGridMarginBlocks = 10;
constexpr int kGridMarginPixels = kBlockPixels * kGridMarginBlocks;
constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;
// The life time of an object that never expires.
constexpr int kUnlimitedLifeTime = 2147483647;

// Block column or row of a stage coordinate: truncated toward zero, then an
// arithmetic shift (so -1.5 gives column -1).
inline int BlockOf(double coordinate) { return static_cast<int>(coordinate) >> 5; }
// The same kept inside a grid of `cells` blocks, when it has any: an object
// that hangs over the grid's edge (a tall one above its top) touches the
// edge cells, never a cell index before the first row or past the last
// column.
inline int GridBlockOf(double coordinate, int cells) {
    const int block = BlockOf(coordinate);
    return cells <= 0 ? block : std::clamp(block, 0, cells - 1);
}

class cCmdInst;

// The edges of an allowed range around the view at its current scroll
// position, worked out once for all the objects tested in a sub-step.
struct RangeEdges {
    bool left = false, right = false, top = false, bottom = false;
    int leftX = 0, rightX = 0, topY = 0, bottomY = 0;
    // The last pixel column and row of the grid.
    int lastX = 0, lastY = 0;
};
RangeEdges RangeEdgesOf(const cStageSetting& range);

class cObject {
public:
    cObject() = default;
    virtual ~cObject() = default;

    // Every member of the object part of `other`.
    virtual void CopyFrom(const cObject& other);
    virtual void SetScale(int scale, int oldScale, int flag);
    virtual void OnScaleChanged(int) {}
    virtual void AnchorOnScale(int, int, int) {}
    virtual void UpdateHitRectX() {}
    virtual void UpdateHitRectY() {}
    virtual void SetCenter(int, int) {}
    virtual void ArriveAt(int, int, cCmdInst*) {}
    virtual void SetCenterX(int) {}
    virtual void ArriveAtX(int, cCmdInst*) {}
    virtual void SetCenterY(int) {}
    virtual void ArriveAtY(int, cCmdInst*) {}

    // The spawner's set-up; position and decay stay as they are. `animSource`
    // may be null (no sequencer table).
    void Init(int id, int charaKind, int playerNo, int blockGroup, int graphic, const ANIMRECORD* const* animSource,
              int animNo, int gx, int gy, int width, int height, int gw, int gh, int direction, int moveKind,
              int clone);
    // 0 walking; 1 flying through blocks; 2 flying, stopped by blocks;
    // 3 flying, dies on a block. Other kinds change nothing.
    void SetMoveKind(int kind);
    // Keeps the horizontal centre of the box across a scale change.
    void ApplyScaleAnchor(int scale, int oldScale, int flag);

    int ClampX(int mode);
    int ClampY(int mode);
    // Speed limited to the stage's maximum per sub-step, then moved and
    // clamped; the clamp's code is returned.
    int MoveStepX(int mode);
    int MoveStepY(int mode);
    void DecayAccel(double& accel, int flag) const;
    void ApplyGravity();
    int DirSign() const { return m_nDirection ? 1 : -1; }

    void UpdateScreenRect();
    bool IsOnScreen() const { return IsOnScreenAxes(false, false); }
    bool IsOnScreenAxes(bool skipX, bool skipY) const;
    // Mode 0 the stage area, any other mode the whole grid.
    bool IsInStage(int mode) const;
    bool IsOutOfRange(const cStageSetting& range) const { return IsOutOfRange(RangeEdgesOf(range)); }
    bool IsOutOfRange(const RangeEdges& edges) const {
        if (m_bOnScreen) return false;
        if (edges.left && m_dRight <= edges.leftX) return true;
        if (edges.right && m_dX >= edges.rightX) return true;
        if (edges.bottom && m_dY >= edges.bottomY) return true;
        if (edges.top && m_dBottom <= edges.topY) return true;
        return m_dX <= 0 || m_dRight >= edges.lastX || m_dY <= 0 || m_dBottom >= edges.lastY;
    }
    // Whether one of the four corner cells of the box is solid for the
    // object's block group.
    bool TouchesSolidTile() const;
    bool TouchesSolidTileAt(double) const { return TouchesSolidTile(); }

    int m_nId = 0;
    int m_nLifeTime = 0;
    int m_nDirection = 0;  // 0 left, non-zero right
    std::int16_t m_nClone = 0;
    int m_nGraphic = 0;
    // The graphic kind a flow last gave the object; the drawing reads the
    // definition copy's.
    int m_nGraphicKind = 0;
    cAnimSequencer m_Anim;
    ScreenRect m_rcScreen;
    OffsetRect m_rcGraphic;      // the graphic cell at the current scale
    OffsetRect m_rcGraphicBase;  // the same at scale 1
    int m_nGraphicExtra2 = 0;
    int m_nCharaKind = 0;  // 0 the hero, non-zero every other character
    int m_nPlayerNo = 0;
    int m_nBlockGroup = 0;
    double m_dX = 0.0, m_dY = 0.0;
    double m_dRight = 0.0, m_dBottom = 0.0;
    int m_nColLeft = 0, m_nRowTop = 0, m_nColRight = 0, m_nRowBottom = 0;
    double m_dSpeedX = 0.0, m_dSpeedY = 0.0;
    double m_dAccelX = 0.0, m_dAccelY = 0.0;
    double m_dAccelDecay = 0.0;
    double m_dExtra = 0.0;
    int m_bDecayX = 0, m_bDecayY = 0;
    int m_bScrollFollow = 0;
    int m_nWidth = 0, m_nHeight = 0;
    int m_nBaseWidth = 0, m_nBaseHeight = 0;
    int m_bFly = 0;
    std::int8_t m_cFlyKind = 0;  // flying: 0 passes blocks, 1 collides, 2 dies
    int m_bExists = 0;
    int m_bOnScreen = 0;
    std::int8_t m_bCondMet = 0;

protected:
    cObject(const cObject&) = default;
    cObject& operator=(const cObject&) = default;
};

// A value per second as a value per sub-step of the running stage.
double StepFromPerSecond(double v);
// Wave movement: velocity and acceleration of a sine of `amplitude` pixels
// and `period` degrees per frame at phase counter `phase` (sub-steps); both
// advance the phase by `step`, wrapping at 360 frames.
double WaveVelocity(double amplitude, double period, double& phase, double step, double offset);
double WaveAccel(double amplitude, double period, double& phase, double step, double offset);
