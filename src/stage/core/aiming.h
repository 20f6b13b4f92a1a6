#pragma once
// Steering toward a point at a given speed, with the view's automatic
// scroll taken into account. Directions written: 1 left, 2 right, 0 none.
class cChara;

struct AimResult {
    double vx = 0.0, vy = 0.0;
    int direction = 0;
};

// The velocity from (fromX, fromY) toward (toX, toY) at `speed` (a negative
// one moves away; without `noFlee` it flees at 45 degrees). `target` (may
// be null) decides how the automatic scroll is compensated; when the
// target is carried by the scroll the velocity is solved so that, seen
// from the scrolling view, it heads for the point while its magnitude stays
// |speed|. `out.direction` is written only when the aim is complete.
// Returns 1 when `arriveTest` is set and the point is within |speed| on
// both axes.
int AimVelocity(AimResult& out, const cChara* target, double fromX, double fromY, double toX, double toY, double speed,
                bool scrollRule, bool noFlee, bool arriveTest);
// One axis only: AimX moves and faces along x, AimY moves along y without
// facing. They arrive only strictly within |speed|.
int AimX(AimResult& out, const cChara* target, double from, double to, double speed, bool noScroll, bool arriveTest);
int AimY(AimResult& out, const cChara* target, double from, double to, double speed, bool noScroll, bool arriveTest);
