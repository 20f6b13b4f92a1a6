#include "stage/flow/sight_range.h"

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "stage/objects/stage_object.h"

SightSpan SightRange(int position, int size, int before, int after, bool whole) {
    const int extent = 2 * (size / 2);
    if (whole && before == 0 && after == 0) return {position, position + extent};
    const int centre = position + size / 2;
    return {before != 0 ? position - before : centre, after != 0 ? position + extent + after : centre};
}

bool RangeOverlap(int position, int size, int otherLow, int otherHigh, int otherMargin, int before, int after,
                  bool whole, bool vertical, const cObject& other) {
    const SightSpan span = SightRange(position, size, before, after, whole);
    int highEdge = otherHigh - otherMargin;
    if (vertical && !SwitchOn(Switch::RangeTest) && other.m_nHeight + otherMargin >= other.m_rcGraphic.h) {
        highEdge = otherHigh;
    }
    return span.low <= highEdge && otherLow + otherMargin <= span.high;
}
