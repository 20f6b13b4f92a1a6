#include "scenes/stage_play/presentation/screen_effect_run.h"

#include <algorithm>
#include <cmath>

#include "gamedata/database/effect_tables.h"
#include "shell/startup/startup.h"

namespace {

cVector<cScreenEffectRun>& ForwardTable() {
    static cVector<cScreenEffectRun> table;
    return table;
}
cVector<cScreenEffectRun>& ReversedTable() {
    static cVector<cScreenEffectRun> table;
    return table;
}

constexpr double kTenthPerFrame = 1.0 / 6.0;

// The kinds whose value counts tenths of a second from 0: the move, the
// two shakes and the blink. The others tween from p1 to p2.
bool CountsTime(int kind) { return kind == 1 || kind == 2 || kind == 3 || kind == 8; }
bool Tweens(int kind) { return kind >= 4 && kind <= 13 && kind != 8; }

}  // namespace

cVector<cScreenEffectRun>& ScreenEffectTemplates = ForwardTable();
cVector<cScreenEffectRun>& ScreenEffectTemplatesRev = ReversedTable();

double TimeDivisor(int tenths) { return std::max(tenths, 1) * 6.0; }

int cScreenEffectRun::Param(int n) const { return lpEntry ? lpEntry->m_nParam[n] : 0; }

void cScreenEffectRun::Start(int number, int mode, int loop) {
    const std::int16_t effect = static_cast<std::int16_t>(number);
    *this = mode == ScreenEffectMode::Reversed ? ScreenEffectTemplatesRev[effect] : ScreenEffectTemplates[effect];
    nEffect = effect;
    nMode = mode;
    bLoop = loop;
    bReversedNow = mode == ScreenEffectMode::Reversed ? 1 : 0;
}

void cScreenEffectRun::Restart() {
    const std::int16_t effect = nEffect;
    const int mode = nMode, loop = bLoop;
    int reversed = bReversedNow;
    if (mode == ScreenEffectMode::RoundTrip) reversed = !reversed;
    *this = reversed ? ScreenEffectTemplatesRev[effect] : ScreenEffectTemplates[effect];
    nEffect = effect;
    nMode = mode;
    bLoop = loop;
    bReversedNow = reversed;
}

int cScreenEffectRun::Step(int from, int to) {
    bool running;
    if (bTimeMode) {
        dElapsed += dStep;
        running = dElapsed <= nTime;
    } else if (from <= to) {
        dValue += dStep;
        running = static_cast<int>(dValue) <= to;
    } else {
        dValue -= dStep;
        running = static_cast<int>(dValue) >= to;
    }
    if (running) return 0;
    if (!bLoop && (nMode != ScreenEffectMode::RoundTrip || bReversedNow)) return 1;
    Restart();
    return 0;
}

void PrepareScreenEffect(cScreenEffectRun& run, int index, int direction, cDatabase& db) {
    const cScrEffect& entry = PrepareScrEffectSource(index, direction, db);
    const int* p = entry.m_nParam;
    run.lpEntry = &entry;
    run.bTimeMode = 0;
    const int kind = entry.m_nKind;
    if (CountsTime(kind)) {
        run.dValue = 0.0;
        run.dShake = 0.0;
        run.dStep = kTenthPerFrame;
        run.nWorkA = kind == 1 ? p[1] : 0;
        run.nWorkB = kind == 1 ? p[2] : 0;
        return;
    }
    if (!Tweens(kind)) return;
    run.dValue = p[1];
    run.dStep = std::abs(p[2] - p[1]) / TimeDivisor(p[0]);
    if (kind == 6 || kind == 7) run.nWorkA = 0;
    if (p[1] == p[2]) {
        run.bTimeMode = 1;
        run.dStep = kTenthPerFrame;
        run.dElapsed = 0.0;
        run.nTime = p[0];
    }
}

void BuildScreenEffectTemplates(cDatabase& db) {
    BuildEffectTemplates(
        ScreenEffectTemplates, ScreenEffectTemplatesRev, db.ScrEffect.Count(),
        [&db](cScreenEffectRun& run, int index, int direction) { PrepareScreenEffect(run, index, direction, db); });
}

void AddScreenEffectTemplateStep() {
    AddStartupStepAfter("effect tables", StartupStep{"screen effect templates", [] {
                                                         BuildScreenEffectTemplates();
                                                         return true;
                                                     }});
}
