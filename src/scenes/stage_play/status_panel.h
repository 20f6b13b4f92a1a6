#pragma once
// The status panel across the top of the stage: total score, score, life
// gauge, SP gauge and lives, each shown or not by the project, laid out
// with equal gaps.
#include <array>
#include <string>

#include "draw/device/surface.h"

class cStageState;
class cStatusItem;

// Panel pictures: its background, the icons (at y 32) and gauges (from
// y 128).
constexpr int kStatusWindowPicture = 47;
constexpr int kAccessoryPicture = 50;

namespace StatusItem {
enum : int { TotalScore = 0, Score = 1, Life = 2, SP = 3, Lives = 4, Count = 5 };
}

// Where each item stands: its left edge and width (both 0 for a hidden
// item), and whether any is shown.
struct StatusPanelLayout {
    std::array<int, StatusItem::Count> x{};
    std::array<int, StatusItem::Count> width{};
    int shown = 0;
};
StatusPanelLayout LayOutStatusPanel();

// The text of a score or lives item: its label (unless it shows its icon)
// and the value; an unlimited count of lives reads "-".
std::string StatusCountText(int item, const cStatusItem& s, int value);

// Draws the panel while the stage shows it.
void DrawStatusPanel(DDSURFACEDATA* dst, const cStageState& state);
