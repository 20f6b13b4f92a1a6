#pragma once
// The ranges of the distance condition, one axis at a time in screen
// pixels: how far an object sees before and after itself, and whether that
// reaches another object.
class cObject;

struct SightSpan {
    int low = 0, high = 0;
};

// From the object's centre (or its edges when before/after are non-zero)
// out by `before` and `after`; with `whole` and no distances, the object
// itself.
SightSpan SightRange(int position, int size, int before, int after, bool whole);

// Whether the sight range reaches the other object's edges, each shrunk by
// `otherMargin` (its graphic offset). Vertically an object whose hit box
// with the margin fills its graphic is reached down to its bottom edge.
bool RangeOverlap(int position, int size, int otherLow, int otherHigh, int otherMargin, int before, int after,
                  bool whole, bool vertical, const cObject& other);
