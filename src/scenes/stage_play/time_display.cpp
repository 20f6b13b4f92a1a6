#include "scenes/stage_play/time_display.h"

#include "draw/device/surface_table.h"
#include "draw/text/numbers.h"
#include "foundation/frame_timer.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/requests/sound_requests.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kDigitSize = 32;
constexpr int kDigitRow = 160;
constexpr int kTimeX = 272;
constexpr int kTimeY = 24;
constexpr int kTimeDigits = 3;
constexpr int kFramesPerSecond = 60;

}  // namespace

void DrawTimeDisplay(DDSURFACEDATA* dst, const cStageState& state, int showTime) {
    if (state.m_bNoTimeLimit) return;
    DrawNumber(dst, kTimeX, kTimeY, kDigitSize, kDigitSize, &SurfaceArray[kWordPicture], 0, kDigitRow, 1, state.m_nTime,
               kTimeDigits, 0, 0);
    const bool low = state.m_nTime >= 1 && state.m_nTime <= LoadedStage.m_nTimeWarning;
    if (low && showTime && EveryNth(2, kFramesPerSecond)) PlaySystemSound(kTimeWarningSound);
}
