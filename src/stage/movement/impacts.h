#pragma once
// The impact speeds of a strength split along a direction: each axis gets
// the speed that, decaying by 1/n per sub-step, carries the object 16 x |u|
// pixels, u being the axis's share of the strength (|ux| + |uy| = |e|).
// Without the old projects' rule `previous` (the share already in the
// vertical speed) is reset to 0.
void ImpactSpeeds(double& x, double& y, int strength, double dx, double dy, double& previous);
