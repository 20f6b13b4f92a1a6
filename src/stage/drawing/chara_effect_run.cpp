#include "stage/core/chara_effect_run.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "gamedata/database/effect_tables.h"
#include "gamedata/global_data.h"
#include "shell/startup/startup.h"

cVector<cCharaEffectRun> CharaEffectTemplates;
cVector<cCharaEffectRun> CharaEffectTemplatesRev;

namespace {

// A frame is a sixth of a tenth of a second.
constexpr double kTenthsPerFrame = 1.0 / 6.0;

// Kinds whose first parameter after the time is a blink interval, not the
// start of a tweened value: they count their time up from 0.
bool IsBlinkKind(int kind) { return kind == 6 || kind == 14; }

bool IsTweenKind(int kind) { return kind >= 1 && kind <= cCharaEffect::kKindCount && !IsBlinkKind(kind); }

const cVector<cCharaEffectRun>& TemplatesFor(int reversed) {
    return reversed ? CharaEffectTemplatesRev : CharaEffectTemplates;
}

}  // namespace

void PrepareCharaEffect(cCharaEffectRun& run, int number, int reversed) {
    const cCharaEffect& entry = PrepareCharaEffectSource(number, reversed);
    run.lpEntry = &entry;
    const int kind = entry.m_nKind;
    const int* p = entry.m_nParam;
    run.nTime = p[0];
    if (IsBlinkKind(kind)) {
        run.nStart = 0;
        run.nEnd = p[0];
        run.dValue = 0.0;
        run.dStep = kTenthsPerFrame;
        run.nPhase = 0;
        run.bVisible = 0;
    } else if (IsTweenKind(kind)) {
        run.nStart = p[1];
        run.nEnd = p[2];
        run.dValue = p[1];
        // A time of 0 or less from data runs as the shortest the editor
        // offers, a tenth of a second, rather than dividing by it.
        const int tenths = p[0] > 0 ? p[0] : 1;
        run.dStep = std::abs(static_cast<double>(p[2]) - p[1]) / (tenths * 6.0);
        if (kind == 4 || kind == 5) run.nPhase = 0;
    }
    if (kind != 0 && run.nStart == run.nEnd) {
        run.dStep = kTenthsPerFrame;
        run.dElapsed = 0.0;
    }
}

bool BuildCharaEffectTemplates() {
    BuildEffectTemplates(CharaEffectTemplates, CharaEffectTemplatesRev, Database.CharaEffect.Count(),
                         [](cCharaEffectRun& run, int i, int reversed) { PrepareCharaEffect(run, i, reversed); });
    return true;
}

void cCharaEffectRun::Start(int effect, int mode, int loop) {
    const int reversed = mode == 1 ? 1 : 0;
    const cVector<cCharaEffectRun>& table = TemplatesFor(reversed);
    // Without templates (no project loaded) the run stays a plain draw.
    *this = table.empty() ? cCharaEffectRun{} : table[effect];
    nEffect = effect;
    nMode = mode;
    bLoop = loop;
    bReversedNow = reversed;
}

void cCharaEffectRun::Restart() {
    if (nMode == 2) bReversedNow = bReversedNow ? 0 : 1;
    const cVector<cCharaEffectRun>& table = TemplatesFor(bReversedNow);
    if (table.empty()) return;
    const cCharaEffectRun kept = *this;
    *this = table[kept.nEffect];
    nEffect = kept.nEffect;
    nMode = kept.nMode;
    bLoop = kept.bLoop;
    bReversedNow = kept.bReversedNow;
}

int cCharaEffectRun::Step() {
    bool running = false;
    if (nStart == nEnd) {
        dElapsed += dStep;
        running = dElapsed <= nTime;
    } else if (nEnd < nStart) {
        dValue -= dStep;
        running = dValue >= nEnd;
    } else {
        dValue += dStep;
        running = dValue <= nEnd;
    }
    if (running) return 0;
    if (!bLoop && (nMode != 2 || bReversedNow)) return 1;
    Restart();
    return 0;
}

void RegisterCharaEffectStartup() {
    AddStartupStepAfter("effect tables", StartupStep{"character effect templates", BuildCharaEffectTemplates});
}
