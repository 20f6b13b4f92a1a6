// The world map: a small island whose roads link the four story stages.
#include <string_view>

#include "game_folder.h"
#include "gamedata/project/player_files.h"
#include "gamedata/story/world_map.h"
#include "project_content.h"

namespace {

struct ChipRow {
    char c;
    int blocked;
    const char* name;
};

// Chip i is picture i of the chip sheet.
const ChipRow kChips[] = {{'~', 1, "海"}, {'^', 1, "山"}, {'.', 0, "草原"}, {'-', 0, "道"}, {'=', 0, "橋"}};

// clang-format off
const std::string_view kMap[] = {
    "~~~~~~~~~~~~~~~~~~~~",
    "~~~~~~~~~~~~~~~~~~~~",
    "~~......^^^.....~~~~",
    "~~.1----.^^..4..~~~~",
    "~~.....-..^^.-..~~~~",
    "~~..^^.-.....-..~~~~",
    "~~..^^.2-----3..~~~~",
    "~~.....-....^^..~~~~",
    "~~~~~~~=~~~~~~~~~~~~",
    "~~~~~~~=~~~~~~~~~~~~",
    "~~~~~..-..~~~~~~~~~~",
    "~~~~~..-..~~~~~~~~~~",
    "~~~~~.....~~~~~~~~~~",
    "~~~~~~~~~~~~~~~~~~~~",
    "~~~~~~~~~~~~~~~~~~~~",
};
// clang-format on

struct PointPlan {
    char c;
    const char* name;
    const char* stage;
    const char* title;
    int icon;
};

const PointPlan kPoints[] = {
    {'1', "草原", "data\\stg4\\w1-1.stg4", "はじまりの草原", 0},
    {'2', "洞窟", "data\\stg4\\w2-1.stg4", "ベルトの洞窟", 1},
    {'3', "塔", "data\\stg4\\w3-1.stg4", "カギの塔", 1},
    {'4', "城", "data\\stg4\\w4-1.stg4", "魔王の城", 2},
};

int ChipOf(char c) {
    int i = 0;
    for (const ChipRow& chip : kChips) {
        if (chip.c == c) return i;
        ++i;
    }
    return 3;  // points stand on the road
}

cWorldPoint Point(const PointPlan& plan, int number, int x, int y) {
    cWorldPoint p;
    p.m_nX = x;
    p.m_nY = y;
    p.m_strName = plan.name;
    cStageLink link;
    link.m_nKind = 0;
    link.m_nPointIcon = plan.icon;
    link.m_nClearFlag = number;
    link.m_bReenter = 1;
    // Each stage opens when the one before it is cleared.
    link.m_nNeedFlag = number - 1;
    link.m_strTitle = plan.title;
    link.m_strStage = plan.stage;
    p.m_vLink.push_back(link);
    return p;
}

void BuildWorldMap(cWorldMapData& map) {
    map.SetDefaults();
    map.m_strName = "スター島";
    map.m_vChip.clear();
    for (const ChipRow& row : kChips) {
        cWorldChip chip;
        chip.m_bBlocked = row.blocked;
        chip.m_nPicture = static_cast<int>(map.m_vChip.size());
        chip.m_strName = row.name;
        map.m_vChip.push_back(chip);
    }
    map.m_nBackColor = 16 + 9 * 16 + 4;
    map.m_bBackPicture = 1;
    map.m_vPoint.clear();
    int y = 0;
    for (std::string_view row : kMap) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            const char c = row[static_cast<std::size_t>(x)];
            map.m_vCell[x + (y << map.m_nPitchShift)] = ChipOf(c);
            for (const PointPlan& plan : kPoints) {
                if (plan.c != c) continue;
                map.m_vPoint.push_back(Point(plan, c - '0', x, y));
                if (c == '1') {
                    map.m_nStartX = x;
                    map.m_nStartY = y;
                }
            }
        }
        ++y;
    }
}

}  // namespace

void WriteWorldMap(GameFolder& folder) {
    cWorldMapData map;
    BuildWorldMap(map);
    folder.WriteRecord(PathTable[kPathWorldMap], map);
}
