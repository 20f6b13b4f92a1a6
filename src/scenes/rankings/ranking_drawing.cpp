#include "scenes/rankings/ranking_drawing.h"

#include <algorithm>
#include <string>

#include "draw/blit.h"
#include "draw/text/font.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "gamedata/story/story_rules.h"
#include "scenes/menu/menu_pictures.h"
#include "scenes/rankings/ranking_texts.h"
#include "shell/app_state.h"
#include "shell/loop/game.h"

namespace {

constexpr int kRow = 16;
constexpr int kFirstLabelText = 5;
constexpr int kGenreHintText = 25;
constexpr int kSignX = 16, kSignY = 48;

void DrawNewSign(DDSURFACEDATA* surface, int x, int y) {
    DDBlt(surface, x, y, kRow, kRow, &SurfaceArray[kPicAccessory], kSignX, kSignY, 1);
}

std::string ValueText(int table, int value) {
    std::string text;
    if (table == kClearTimeTable) TimeToText(text, value);
    else FormatString(text, "%d", value);
    return text;
}

}  // namespace

void DrawRanking(const cRanking& table, DDSURFACEDATA* surface, int x, int y, int tableIndex, int newRow) {
    Font& font = Fonts[1];
    font.DrawWindow(surface, x + 1, y + 1, 270, 350);
    const std::string& label = SystemData.SystemTexts[tableIndex + kFirstLabelText];
    const std::string heading = StrPrintf(SystemIni.English ? "Ranking     %s" : "ランキング    %s", label.c_str());
    // Letters of names and headings are text, never the font's symbols.
    font.DrawText(surface, x, y, heading.c_str(), 1);
    const int shown = std::min(table.m_vEntries.Count(), kRankEntries);
    const int d = shown > 0 ? DigitCount(table.m_vEntries[0].m_nScore) : 1;
    int i = 0;
    for (const cRankEntry& e : table.m_vEntries) {
        if (i >= shown) break;
        const int rowY = y + kRow * (i + 1);
        if (e.m_bShown) {
            font.DrawTextF(surface, x + 16, rowY, "%d", i + 1);
            font.DrawText(surface, x + 64, rowY, e.m_strName.c_str(), 1);
            const std::string value = ValueText(tableIndex, e.m_nScore);
            const int right = x + kRow * (9 + d);
            const int left = tableIndex == kClearTimeTable ? x + 144 : right - kRow * CountChars(value);
            font.DrawText(surface, left, rowY, value.c_str());
        }
        ++i;
    }
    if (SystemData.CountEnabled(Game.GameKind) >= 2) {
        const std::string& hint = SystemData.SystemTexts[kGenreHintText];
        font.DrawText(surface, x + 136 - kRow * CountChars(hint) / 2, y + 336, hint.c_str());
    }
    if (newRow != -1) DrawNewSign(surface, x, y + kRow * (newRow + 1));
}

void DrawRankingTable(const cRankingSet& set, DDSURFACEDATA* surface, int x, int y, int tableIndex, int newRow) {
    DrawRanking(set.m_vTables[tableIndex], surface, x, y, tableIndex, newRow);
}

std::vector<int> ResultPanelLines(const cVector<std::int32_t>& stageRanks) {
    std::vector<int> lines;
    for (int i = 0; i < kRankTables && i < stageRanks.Count(); ++i) {
        if (stageRanks[i] != 0 && (DirectStart || RankingGenreEnabled(Game.GameKind, i))) lines.push_back(i);
    }
    return lines;
}

void DrawResultPanel(DDSURFACEDATA* surface, int x, int y, const cVector<int>& rankSlots, const cVector<int>& values,
                     const cVector<std::int32_t>& stageRanks) {
    const std::vector<int> lines = ResultPanelLines(stageRanks);
    if (lines.empty()) return;
    int labelWidth = 1;
    int numberWidth = 0;
    for (int i : lines) {
        labelWidth = std::max(labelWidth, CountChars(SystemData.SystemTexts[i + kFirstLabelText]));
        numberWidth = std::max(numberWidth, i == kClearTimeTable ? 8 : DigitCount(values[i]));
    }
    Font& font = Fonts[1];
    font.DrawWindow(surface, x, y, (numberWidth + labelWidth + 3) * kRow, kRow * static_cast<int>(lines.size()));
    int lineY = y;
    for (int i : lines) {
        font.DrawText(surface, x + 16, lineY, SystemData.SystemTexts[i + kFirstLabelText].c_str());
        font.DrawText(surface, x + 32 + kRow * labelWidth, lineY, ValueText(i, values[i]).c_str());
        if (rankSlots[i] != -1) DrawNewSign(surface, x, lineY);
        lineY += kRow;
    }
}
