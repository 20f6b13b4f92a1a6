#include "stage/flow/current_input.h"

#include <array>

#include "foundation/data_record.h"
#include "shell/loop/game.h"

namespace {

// Whether the newest run of key entry `entry` (0 to 9 the direction
// states, 10 to 18 the button states) is held.
bool NewestRunHeld(const cKeyState& keys, int entry) {
    const bool isDirection = entry < kDirectionStates;
    const cVector<KeyRunList>& lists = isDirection ? keys.m_vDirectionRuns : keys.m_vButtonRuns;
    const KeyRunList& runs = lists[isDirection ? entry : entry - kDirectionStates];
    return !runs.empty() && runs.front().nState != 0;
}

}  // namespace

int KeyCondMatches(const cKeyState& keys, const cKeyCond& step) {
    int matched = 0;
    bool failed = false;
    int entry = 0;
    for (const std::int8_t want : step.m_vKeyState) {
        const int index = entry++;
        if (index >= kKeyCondKeys) break;
        if (want == 0) continue;
        const bool held = NewestRunHeld(keys, index);
        if ((want == 1 && held) || (want == 2 && !held)) {
            ++matched;
            if (step.m_cMode == KeyStepMode::Any) break;
        } else {
            failed = true;
        }
    }
    switch (step.m_cMode) {
        case KeyStepMode::All: return failed ? 0 : 1;
        case KeyStepMode::Any: return matched >= 1 ? 1 : 0;
        case KeyStepMode::ExactlyOne: return matched == 1 ? 1 : 0;
        default: return 1;
    }
}

int CurrentDirectionState(const cKeyState& keys) {
    for (int state = 0; state < kDirectionStates; ++state) {
        if (NewestRunHeld(keys, state)) return state;
    }
    return 0;
}

namespace {

constexpr int kPlayTypeReplay = 4;

// Whether a combination of directions reads as no direction.
bool MixedIsNone(int noneForMixed) {
    if (Game.PlayType == kPlayTypeReplay) {
        // Replays play back by the rule of the version that recorded them.
        if (FileVersion <= 777) return true;
        if (FileVersion <= 779) return false;
    }
    return noneForMixed != 0;
}

}  // namespace

int InputDirToCode(int state, int noneForMixed, int facing) {
    static constexpr std::array<int, 9> kCodes = {0,
                                                  DirCode::Left,
                                                  DirCode::Right,
                                                  DirCode::Up,
                                                  DirCode::Down,
                                                  DirCode::UpLeft,
                                                  DirCode::DownLeft,
                                                  DirCode::UpRight,
                                                  DirCode::DownRight};
    if (state >= 1 && state <= 8) return kCodes[static_cast<std::size_t>(state)];
    if (state == 9 && MixedIsNone(noneForMixed)) return DirCode::None;
    return facing ? DirCode::Right : DirCode::Left;
}
