#pragma once
// The scroll of one axis of the stage view: its position, the limits the
// view may show, the stage area, the grid geometry and the auto-scroll.

class cScrollAxis {
public:
    // Stops the view at the inner limits.
    void Clamp();
    // One sub-step of auto-scroll, then Clamp.
    void Advance();
    // `value` in tenths of a pixel per frame.
    void SetAutoScroll(int on, int value);
    // First and last scroll block of the stage, each used only when enabled.
    void SetInnerLimits(int first, int last, int useFirst, int useLast);
    // The grid of a stage `blocks` wide (or high): `view` is 640 or 480;
    // `pitched` lays the axis out as the row pitch of the block map.
    void SetGrid(int axis, int blocks, int view, bool pitched);

    // What the auto-scroll carries on this axis per sub-step: its speed,
    // or 0 while the view stands at its limit.
    double CarrySpeed() const { return m_bAtLimit ? 0.0 : m_dAutoSpeed; }

    double m_dPos = 0.0;
    int m_bAtLimit = 0;
    int m_nAxis = 0;  // 0 x, 1 y
    int m_nView = 0;
    int m_nMin = 0, m_nMax = 0;            // inner scroll limits
    int m_nOuterMin = 0, m_nOuterMax = 0;  // the stage area
    int m_nBlockOffset = 0;
    int m_nGridPixels = 0;
    int m_nGridCells = 0;
    int m_nPitch = 0;
    int m_nPitchShift = 0;
    double m_dAutoSpeed = 0.0;  // pixels per sub-step
    int m_bAutoScroll = 0;
};
