#include "scenes/fading_scene.h"

#include "foundation/abort.h"
#include "shell/game.h"

namespace {
constexpr double kFadeEnd = 90.0;
}

void cFadingScene::Run() {
    if (AbortFlag.load() != 0) return;
    switch (m_nState) {
        case -1: Init(); break;
        case kStateFadeIn: FadeIn(); break;
        case kStateRun: RunState(); break;
        case kStateFadeOut: FadeOut(); break;
        default: break;
    }
}

void cFadingScene::Init() {
    m_nState = kStateFadeIn;
    m_nSubStep = 0;
    m_dFadeAngle = 0.0;
}

void cFadingScene::FadeIn() {
    m_dFadeAngle += static_cast<double>(Game.FadeLength);
    if (Game.FadeLength <= 0 || m_dFadeAngle >= kFadeEnd) {
        m_dFadeAngle = kFadeEnd;
        m_nState = kStateRun;
    }
}

void cFadingScene::RunState() {
    if (Game.RequestedMode != m_nMode) m_nState = kStateFadeOut;
}

void cFadingScene::FadeOut() {
    m_dFadeAngle -= static_cast<double>(Game.FadeLength);
    if (Game.FadeLength > 0 && m_dFadeAngle > 0.0) return;
    m_dFadeAngle = 0.0;
    Game.CurrentMode = Game.RequestedMode;
    Game.PreviousMode = m_nMode;
}
