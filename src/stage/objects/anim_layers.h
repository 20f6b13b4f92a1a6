#pragma once
// Animations a character plays over its base animation (sword animations of
// its flows, the run-animation command), each tagged with the serial of the
// flow instance that started it so flow operations can pause, resume and
// remove the layers of one flow.
#include <vector>

#include "draw/anim_sequencer.h"
#include "foundation/checked_containers.h"

class cAnime;

// The serial of a layer started outside any flow (an item command).
constexpr int kNoFlowSerial = -1;

class cAnimLayer {
public:
    cAnimLayer() = default;
    cAnimLayer(int anim, int timed, int remain, int duration, int serial)
        : m_nAnim(anim), m_bTimed(timed), m_nRemain(remain), m_nDuration(duration), m_nSerial(serial) {}

    cAnimSequencer m_Seq;
    int m_nAnim = 0;
    int m_bTimed = 0;  // 1 a scheduled sword animation
    int m_nRemain = 0;
    int m_nDuration = 0;
    int m_nSerial = kNoFlowSerial;
    int m_bPaused = 0;
};

// Newest layer first.
using AnimLayerList = cList<cAnimLayer>;

// The sequencer records of a database animation: each frame for its time
// in frames (locked), then `closing` (a control code of the sequencer).
std::vector<ANIMRECORD> AnimRecordsOf(const cAnime& anim, int closing);
// Loads a layer's sequencer with `anim`, holding its last frame; the first
// locking frame lasts `stretch` frames longer. The sequencer stands on its
// first frame.
void BuildLayerSequence(cAnimLayer& layer, const cAnime& anim, int stretch);
