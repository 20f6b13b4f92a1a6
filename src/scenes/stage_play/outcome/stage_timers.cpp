// The pause key and the two clocks of a stage: the time limit counting
// down in seconds and the clear time counting up in hundredths.
#include <algorithm>

#include "foundation/frame_timer.h"
#include "gamedata/global_data.h"
#include "platform/keyboard.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "shell/requests/sound_requests.h"

namespace {

constexpr int kPauseSound = 4;
constexpr int kMaxTime = 999;
constexpr int kFramesPerSecond = 60;
constexpr int kMaxClearTime = 599999;  // 99:59.99

}  // namespace

int cSceneStage::CheckPauseKey() {
    if (!SystemData.m_bSpacePause || GetAsyncKeyState(VK_SPACE) >= 0) return 0;
    PlaySystemSound(kPauseSound);
    m_nResumeState = m_nState;
    m_nResumeSubStep = m_nSubStep;
    return 1;
}

int cSceneStage::CountDownTime(int delta) {
    if (m_bNoTimeLimit) return 0;
    // One step a second at the normal rate: the count is of frames.
    if (!EveryNth(1, kFramesPerSecond)) return 0;
    int& time = m_nTime;
    time += delta;
    if (time > kMaxTime) {
        time = kMaxTime;
        return 0;
    }
    if (time <= 0) {
        time = 0;
        return 1;
    }
    return 0;
}

void cSceneStage::CountClearTime() {
    if (m_nClearTime >= kMaxClearTime) return;
    ++m_nFrames;
    m_nClearTime = std::min(m_nFrames * 100 / kFramesPerSecond, kMaxClearTime);
}
