#pragma once
// A running effect of the effect table: a short animation of cells of the
// effect's picture, played once at a stage position (a spark at a hit, an
// explosion asked for by a flow).
#include <cstdint>

#include "draw/anim_sequencer.h"
#include "draw/device/surface.h"
#include "foundation/checked_containers.h"

struct CharaBox;

class cEffectInst {
public:
    // An effect number outside the effect table reports the bad index and
    // plays entry 0.
    cEffectInst(int number, double x, double y, int width, int height, int runWhileFrozen);
    // Centred on the overlap of two boxes (on (0, 0) when they do not
    // overlap), jittered by up to 4 pixels (4 x scale when the effect grows
    // with the hit) each way with the stage's generator.
    static cEffectInst FromHit(int number, const CharaBox& a, const CharaBox& b, int scale);

    // Steps the animation (unless the frame is frozen and the effect does
    // not run while frozen) and draws the frame from the effect's pictures
    // (two per effect, effect n at 2n - 2 and 2n - 1). 1 when the effect is
    // over: its entry has no frames, or its animation ended.
    int Update(DDSURFACEDATA* dst, int frozen, cVector<DDSURFACEDATA>& pictures);

    std::int16_t m_sNumber = 0;
    double m_dX = 0.0, m_dY = 0.0;  // top-left corner, stage pixels
    int m_nWidth = 0, m_nHeight = 0;
    int m_bStretched = 0;
    cAnimSequencer m_Anim;
    int m_bRunWhileFrozen = 0;

private:
    cEffectInst() = default;
    void SetUpAnim();
};

// The stage-play scene installs this as the engine's hit-effect routine:
// an effect from the hit, added to the running stage's effects.
struct HitEffectRequest;
void AddHitEffect(const HitEffectRequest& request);

// Updates and draws every effect of the running stage in list order and
// removes the ones that ended.
class cStageState;
void UpdateEffects(DDSURFACEDATA* dst, cStageState& state, int frozen, cVector<DDSURFACEDATA>& pictures);
