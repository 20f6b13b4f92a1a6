#include "scenes/stage_play/status_panel.h"

#include <algorithm>
#include <string>

#include "draw/blit.h"
#include "draw/device/surface_table.h"
#include "draw/text/font.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/story/story_save.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kPanelWidth = 640;
constexpr int kPanelHeight = 20;
constexpr int kRoom = 638;
constexpr int kItemY = 3;
constexpr int kCharWidth = 16;
constexpr int kIconSize = 16;
constexpr int kGaugeWidth = 50;
constexpr int kGaugeHeight = 16;
constexpr int kIconRow = 32;
constexpr int kGaugeRow = 128;
constexpr int kFillRow = 144;
constexpr int kWarningFillRow = 160;
constexpr int kGaugeNumberY = 6;

bool IsGauge(int item) { return item == StatusItem::Life || item == StatusItem::SP; }

int LabelWidth(const cStatusItem& s) { return s.m_bIcon ? kIconSize : CountChars(s.m_strLabel) * kCharWidth; }

int ItemWidth(int item, const cStatusItem& s) {
    return LabelWidth(s) + (IsGauge(item) ? kGaugeWidth : s.m_nDigits * kCharWidth);
}

void DrawIcon(DDSURFACEDATA* dst, int x, int item) {
    DDBlt(dst, x, kItemY, kIconSize, kIconSize, &SurfaceArray[kAccessoryPicture], kIconSize * item, kIconRow, 1);
}

void DrawCount(DDSURFACEDATA* dst, int x, int item, const cStatusItem& s, int value) {
    if (s.m_bIcon) DrawIcon(dst, x, item);
    const std::string text = StatusCountText(item, s, value);
    Fonts[1].DrawText(dst, s.m_bIcon ? x + kIconSize : x, kItemY, text.c_str());
}

void DrawGauge(DDSURFACEDATA* dst, int x, int item, const cStatusItem& s, int value, int maximum) {
    if (s.m_bIcon) DrawIcon(dst, x, item);
    else Fonts[1].DrawTextF(dst, x, kItemY, "%s", s.m_strLabel.c_str());
    const int gx = x + LabelWidth(s);
    const int sourceX = item == StatusItem::Life ? 0 : 64;
    DDSURFACEDATA* accessory = &SurfaceArray[kAccessoryPicture];
    DDBlt(dst, gx, kItemY, kGaugeWidth, kGaugeHeight, accessory, sourceX, kGaugeRow, 1);
    // A value beyond its maximum (or below 0) fills the gauge, never more.
    const long long fill = maximum == 0 ? 0 : static_cast<long long>(value) * kGaugeWidth / maximum;
    const int width = static_cast<int>(std::clamp(fill, 0LL, static_cast<long long>(kGaugeWidth)));
    const int row = SystemData.CheckThreshold(item, value, maximum) ? kWarningFillRow : kFillRow;
    if (width > 0) DDBlt(dst, gx, kItemY, width, kGaugeHeight, accessory, sourceX, row, 1);
    if (s.m_bGaugeNumber) Fonts[0].DrawTextF(dst, gx, kGaugeNumberY, "%d", value);
}

}  // namespace

std::string StatusCountText(int item, const cStatusItem& s, int value) {
    const bool unlimited = item == StatusItem::Lives && value == kInfiniteLives;
    const std::string number = unlimited ? "-" : std::to_string(value);
    return s.m_bIcon ? number : s.m_strLabel + number;
}

StatusPanelLayout LayOutStatusPanel() {
    StatusPanelLayout layout;
    std::array<bool, StatusItem::Count> shown{};
    int total = 0;
    int item = 0;
    for (const cStatusItem& s : SystemData.StatusItems) {
        if (item >= StatusItem::Count) break;
        if (s.m_bShow) {
            shown[item] = true;
            layout.width[item] = ItemWidth(item, s);
            total += layout.width[item];
            ++layout.shown;
        }
        ++item;
    }
    if (layout.shown == 0) return layout;
    const int gap = (kRoom - total) / (layout.shown + 1);
    int x = gap;
    for (item = 0; item < StatusItem::Count; ++item) {
        if (!shown[item]) continue;
        layout.x[item] = x;
        x += layout.width[item] + gap;
    }
    return layout;
}

void DrawStatusPanel(DDSURFACEDATA* dst, const cStageState& state) {
    if (!state.m_bShowStatus) return;
    const StatusPanelLayout layout = LayOutStatusPanel();
    if (layout.shown == 0) return;
    DDBlt(dst, 0, 0, kPanelWidth, kPanelHeight, &SurfaceArray[kStatusWindowPicture], 0, 0, 1);
    const cPlayer* hero = PlayerList.empty() ? nullptr : &PlayerList[0];
    int item = 0;
    for (const cStatusItem& s : SystemData.StatusItems) {
        if (item >= StatusItem::Count) break;
        const int x = layout.x[item];
        if (s.m_bShow) {
            switch (item) {
                case StatusItem::TotalScore: DrawCount(dst, x, item, s, StoryData.m_nScore); break;
                case StatusItem::Score: DrawCount(dst, x, item, s, StoryData.m_nStageScore); break;
                case StatusItem::Lives: DrawCount(dst, x, item, s, StoryData.m_nLives); break;
                case StatusItem::Life:
                    if (hero) DrawGauge(dst, x, item, s, hero->m_nLife, hero->m_Def.m_nMaxHp);
                    break;
                case StatusItem::SP:
                    if (hero) DrawGauge(dst, x, item, s, hero->m_nSP, hero->m_Def.m_nMaxSp);
                    break;
                default: break;
            }
        }
        ++item;
    }
}
