#include <cmath>
#include <limits>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/chara.h"

namespace {

// A double as an int, saturated at the int range (a NaN gives 0), so no
// conversion of an out-of-range value is ever undefined.
int SaturatedInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

}  // namespace

double cChara::StopToDecay(std::int16_t s) { return s * 0.01 / LoadedStage.m_dSubStepsSq; }

double cChara::JumpSpeedForHeight(double height) const {
    const double g = LoadedStage.m_dGravityStep;
    // Without a downward gravity no speed gives a height that is reached
    // and left again: the jump does not start.
    if (!(g > 0.0)) return 0.0;
    if (!(height > 0.0)) height = 0.0;
    // Gravity is added before each move, so starting at -v the rise is
    // v (v - g) / 2g; this is the root of that for the asked height.
    double v = (-g - std::sqrt(g * (g + 8.0 * height))) * 0.5;
    if (SwitchOn(Switch::JumpSpeed) && m_nCharaKind == 0) v *= 0.99 - 0.025 * LoadedStage.m_dGravity;
    return v;
}

int cChara::SpeedToFrames(double v) {
    const double g = LoadedStage.m_dGravityStep;
    const double n = LoadedStage.m_dSubSteps;
    if (!(g > 0.0)) return SaturatedInt(n);
    return SaturatedInt(n - v / g);
}

int cChara::JumpTimeForHbl(int hbl) const {
    const int n = LoadedStage.m_nSubSteps > 0 ? LoadedStage.m_nSubSteps : 1;
    return SpeedToFrames(JumpSpeedForHbl(hbl)) / n / 6 + 1;
}
