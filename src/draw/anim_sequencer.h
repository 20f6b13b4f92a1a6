#pragma once
// Turns an owner's fixed table of animations into the frame to draw at each
// tick. An animation is a list of (frame, duration, lock) entries closed by a
// control entry: -1 hold the last frame, -2 loop, -3 jump to another
// animation; any other negative code (owners use -4) ends the animation and
// is handed back as the frame.
#include <cstdint>

#include "foundation/checked_containers.h"

// One record of an owner's table, laid out as the owners store it.
struct ANIMRECORD {
    std::int32_t nFrame;     // frame number >= 0, or a control code < 0
    std::int32_t nDuration;  // ticks for a frame; the target for -3
    bool bLock;              // refuses non-forced changes while current
};

constexpr int ANIM_HOLD = -1;
constexpr int ANIM_LOOP = -2;
constexpr int ANIM_JUMP = -3;
constexpr int ANIM_END = -4;

class cAnimSequencer {
public:
    struct Entry {
        int nFrame = 0;
        int nDuration = 0;
        int nLock = 0;
    };

    // table: null-terminated array of animations. A null table changes nothing.
    void Build(const ANIMRECORD* const* table);
    int SetAnim(int anim, int force);
    int ChangeAnim(int anim, int force);
    int Advance();
    int GetFrame();

    int GetAnim() const { return m_nAnim; }
    int GetEntry() const { return m_nEntry; }
    int AnimCount() const { return m_Anims.Count(); }

private:
    Entry Current();
    void Moved() { m_bPlayingKnown = false; }

    cVector<cVector<Entry>> m_Anims;
    int m_nAnim = 0;
    int m_nEntry = 0;
    int m_nTick = 0;
    // A copy of the entry being played: a tick then reads only this object
    // instead of two scattered table blocks, which matters with a thousand
    // shots stepping each frame. Kept only for a position inside the tables,
    // so a bad position still goes through the checked lookup each time.
    Entry m_Playing;
    bool m_bPlayingKnown = false;
};
