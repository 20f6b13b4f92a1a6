// Key conditions: a sequence of input steps matched backwards in time over
// the run lists of the hero's input record, like a command input.
#include <array>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "shell/input/key_state.h"
#include "stage/core/flow_inst.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"

namespace {

constexpr int kTriggerAlways = 0;
constexpr int kLists = kDirectionStates + kButtonStates;

namespace KeyWant {
enum : int { Ignored = 0, Held = 1, Released = 2 };
}

// A position in time on every run list: the run at the cursor and how long
// it had lasted at that point.
class KeyCursor {
public:
    explicit KeyCursor(const cKeyState& keys) {
        for (int i = 0; i < kLists; ++i) {
            m_Lists[i] = &ListOf(keys, i);
            m_Elapsed[i] = RunAt(i, 0).nFrames;
        }
    }

    const cKeyRun& Run(int list) const { return RunAt(list, m_Run[list]); }
    int Elapsed(int list) const { return m_Elapsed[list]; }

    void Back(int frames) {
        for (int i = 0; i < kLists; ++i) BackOne(i, frames);
    }
    void Forward(int frames) {
        for (int i = 0; i < kLists; ++i) ForwardOne(i, frames);
    }

private:
    static const KeyRunList& ListOf(const cKeyState& keys, int list) {
        return list < kDirectionStates ? keys.m_vDirectionRuns[list] : keys.m_vButtonRuns[list - kDirectionStates];
    }
    int Last(int list) const { return static_cast<int>(m_Lists[list]->size()) - 1; }
    const cKeyRun& RunAt(int list, int run) const {
        static const cKeyRun none;
        return run >= 0 && run <= Last(list) ? (*m_Lists[list])[run] : none;
    }

    void BackOne(int i, int frames) {
        int& e = m_Elapsed[i];
        int& r = m_Run[i];
        e -= frames;
        while (e < 0 && r < Last(i)) e += RunAt(i, ++r).nFrames;
        // On the boundary the point belongs to the older run.
        if (e == 0 && r < Last(i)) e = RunAt(i, ++r).nFrames;
    }
    void ForwardOne(int i, int frames) {
        int& e = m_Elapsed[i];
        int& r = m_Run[i];
        e += frames;
        while (r > 0 && e > RunAt(i, r).nFrames) e -= RunAt(i, --r).nFrames;
    }

    std::array<const KeyRunList*, kLists> m_Lists{};
    std::array<int, kLists> m_Run{};
    std::array<int, kLists> m_Elapsed{};
};

// The list of a key entry for a character facing left when the step is
// written for one facing right: left and right swap.
int MirroredList(int entry) {
    switch (entry) {
        case 1: return 2;
        case 2: return 1;
        case 5: return 7;
        case 7: return 5;
        case 6: return 8;
        case 8: return 6;
        default: return entry;
    }
}

struct StepMatch {
    bool matched = false;
    int duration = 0;
};

StepMatch MatchKeyStep(const cKeyCond& step, const KeyCursor& at, bool facingLeft) {
    int matching = 0, failing = 0, duration = 0;
    const bool mirror = step.m_bRelative == 1 && facingLeft;
    for (int entry = 0; entry < step.m_vKeyState.Count() && entry < kLists; ++entry) {
        const int want = step.m_vKeyState[entry];
        if (want == KeyWant::Ignored) continue;
        const int list = mirror ? MirroredList(entry) : entry;
        const cKeyRun& run = at.Run(list);
        const int e = at.Elapsed(list);
        bool ok = false;
        if (want == KeyWant::Held) {
            ok = run.nState != 0 && (step.m_bAnyLength ? e > 0 : step.m_sMinFrames <= e && e <= step.m_sMaxFrames);
        } else if (want == KeyWant::Released) {
            ok = run.nState == 0 && e > 0;
        }
        if (!ok) {
            ++failing;
            continue;
        }
        ++matching;
        switch (step.m_cMode) {
            case 0:
                if (duration == 0 || e < duration) duration = e;
                break;
            case 1:
                if (duration == 0 || e > duration) duration = e;
                break;
            case 2: duration = e; break;
            default: break;
        }
    }
    bool matched = true;
    if (step.m_cMode == 0) matched = failing == 0;
    if (step.m_cMode == 1) matched = matching >= 1;
    if (step.m_cMode == 2) matched = matching == 1;
    return {matched, duration};
}

bool MatchKeySequence(const cFlowInst& flow, const cKeyState& keys, bool facingLeft) {
    const cVector<cKeyCond*>& steps = flow.m_vecKeyCond;
    const int allowance = flow.m_lpFlow->m_cKeyWindow;
    KeyCursor at(keys);
    int k = steps.Count() - 1;
    StepMatch last = MatchKeyStep(*steps[k], at, facingLeft);
    if (!last.matched) return false;
    if (flow.m_lpFlow->m_bKeyHold && flow.m_bKeyHeld) return true;
    for (--k; k >= 0; --k) {
        at.Back(last.duration);
        StepMatch now = MatchKeyStep(*steps[k], at, facingLeft);
        if (!now.matched) {
            if (allowance <= 0) return false;
            int tries = 0;
            while (!now.matched && tries < allowance) {
                at.Back(1);
                ++tries;
                now = MatchKeyStep(*steps[k], at, facingLeft);
            }
            if (!now.matched) {
                at.Forward(tries + 1);
                now = MatchKeyStep(*steps[k], at, facingLeft);
                if (!now.matched) return false;
                if (!SwitchOn(Switch::KeyRetry) && MatchKeyStep(*steps[k + 1], at, facingLeft).matched) return false;
            }
        }
        last = now;
    }
    return true;
}

// The input record key conditions read: the hero's.
const cKeyState* HeroKeys() {
    if (!PlayerList.empty() && PlayerList[0].m_lpKeyState) return PlayerList[0].m_lpKeyState;
    return KeyStates.empty() ? nullptr : &KeyStates[0];
}

}  // namespace

bool cChara::CheckKeyConds(cFlowInst& flow) {
    if (flow.m_vecKeyCond.empty() || !flow.m_lpFlow) return true;
    const cKeyState* keys = HeroKeys();
    const bool facingLeft = m_nDirection == 0;
    if (flow.m_lpFlow->m_bKeyHold) {
        const bool held = keys && MatchKeySequence(flow, *keys, facingLeft);
        flow.m_bKeyHeld = held ? 1 : 0;
        return held;
    }
    flow.m_bKeyHeld = 0;
    if (!keys || !MatchKeySequence(flow, *keys, facingLeft)) {
        flow.m_bKeyWasMet = 0;
        return false;
    }
    bool result = true;
    if (flow.m_bKeyWasMet) {
        // Still held from an earlier test: not a new press. A group of
        // always-running flows stays shut for this step.
        const int group = flow.m_lpFlow->m_cGroup;
        if (flow.m_lpFlow->m_cTrigger == kTriggerAlways && group > 0 && group < kFlowGroupSlots) {
            m_vecGroupLock[group] = 1;
            m_vecGroupRelease[group] = 1;
            m_bGroupReleasePending = 1;
        }
        result = false;
    }
    flow.m_bKeyWasMet = 1;
    return result;
}
