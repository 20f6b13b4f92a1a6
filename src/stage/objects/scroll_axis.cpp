#include "stage/objects/scroll_axis.h"

#include <algorithm>

#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/stage_object.h"

void cScrollAxis::Clamp() {
    if (m_dPos <= m_nMin) {
        m_dPos = m_nMin;
        m_bAtLimit = 1;
    } else if (m_dPos + m_nView < m_nMax) {
        m_bAtLimit = 0;
    } else {
        m_dPos = m_nMax - m_nView;
        if (m_dPos < m_nMin) m_dPos = m_nMin;
        m_bAtLimit = 1;
    }
}

void cScrollAxis::Advance() {
    m_dPos += m_dAutoSpeed;
    Clamp();
}

void cScrollAxis::SetAutoScroll(int on, int value) {
    if (on) {
        m_dAutoSpeed = value * 0.1 / LoadedStage.m_dSubSteps;
        m_bAutoScroll = 1;
    } else {
        m_dAutoSpeed = 0.0;
        m_bAutoScroll = 0;
    }
}

void cScrollAxis::SetInnerLimits(int first, int last, int useFirst, int useLast) {
    m_nMin = useFirst ? m_nOuterMin + first * kBlockPixels : m_nOuterMin;
    if (useLast) {
        m_nMax = m_nOuterMin + (last + 1) * kBlockPixels;
        if (m_nMax < m_nMin) m_nMax = m_nMin;
    } else {
        m_nMax = m_nOuterMax;
    }
}

namespace {

// Bits needed to write v (0 for 0).
int BitLength(unsigned v) {
    int bits = 0;
    while (v) {
        ++bits;
        v >>= 1;
    }
    return bits;
}

}  // namespace

void cScrollAxis::SetGrid(int axis, int blocks, int view, bool pitched) {
    m_nAxis = axis;
    m_nView = view;
    m_nBlockOffset = kGridMarginBlocks;
    m_nGridCells = blocks + 2 * kGridMarginBlocks;
    m_nGridPixels = blocks * kBlockPixels + 2 * kGridMarginPixels;
    if (pitched) {
        // A row of the block map is the smallest power of two above the
        // last column index.
        m_nPitchShift = BitLength(static_cast<unsigned>(std::max(m_nGridCells - 1, 0)));
        m_nPitch = 1 << m_nPitchShift;
    } else {
        m_nPitchShift = 0;
        m_nPitch = m_nGridCells;
    }
    m_nOuterMin = kGridMarginPixels;
    m_nOuterMax = (blocks + kGridMarginBlocks) * kBlockPixels;
    if (m_nOuterMax < 0) m_nOuterMax = 0;
}
