#pragma once
// A drawing sink that keeps every call of the stage's drawing, in order,
// and can pass each one on to the drawing layer as well (for tests that
// also look at pixels). Lines() gives one readable line per call, so that a
// test compares a draw against a table of expected lines:
//   "Blt Back 10,20 32x32 <- #4 0,0 32x32 key tint=ff808080/4"
//   "Wave Back 10,20 32x32 <- #4 0,0 key p=2,5,0,2,0"
// Surfaces are named "Back" (the back buffer), "#n" (entry n of the
// surface table) or "?"; the parameters p0..p4 are printed up to the last
// non-zero one.
#include <string>
#include <vector>

#include "stage/drawing/draw_sink.h"

class RecordingDrawSink : public cDrawSink {
public:
    void Draw(const DrawCall& call) override;

    const std::vector<DrawCall>& Calls() const { return m_Calls; }
    std::vector<std::string> Lines() const;
    void Clear() { m_Calls.clear(); }
    void SetForward(bool on) { m_bForward = on; }

private:
    std::vector<DrawCall> m_Calls;
    bool m_bForward = false;
};

std::string DescribeDrawCall(const DrawCall& call);
std::string DrawSurfaceName(const DDSURFACEDATA* sd);
