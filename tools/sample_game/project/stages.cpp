// The stage files, each drawn as a text map: one character per 32-pixel
// cell. Blocks, characters and items placed there take every property from
// their common-palette entry.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "game_folder.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "project_content.h"

namespace {

enum class Placed { Block, Chara, Item };

struct Legend {
    char c;
    Placed kind;
    int def;
};

// clang-format off
const Legend kLegend[] = {
    {'#', Placed::Block, BlockDef::Ground},      {'B', Placed::Block, BlockDef::Brick},
    {'=', Placed::Block, BlockDef::Cloud},       {'^', Placed::Block, BlockDef::Spring},
    {'<', Placed::Block, BlockDef::ConveyorLeft}, {'>', Placed::Block, BlockDef::ConveyorRight},
    {'?', Placed::Block, BlockDef::Question},    {'M', Placed::Block, BlockDef::Spikes},
    {'"', Placed::Block, BlockDef::Grass},       {'D', Placed::Block, BlockDef::Door},
    {'~', Placed::Block, BlockDef::Mud},         {'_', Placed::Block, BlockDef::Sticky},
    {'@', Placed::Chara, CharaDef::Hero},        {'s', Placed::Chara, CharaDef::Slime},
    {'b', Placed::Chara, CharaDef::Bat},         {'h', Placed::Chara, CharaDef::Hopper},
    {'t', Placed::Chara, CharaDef::Shooter},     {'x', Placed::Chara, CharaDef::Crate},
    {'W', Placed::Chara, CharaDef::Boss},
    {'o', Placed::Item, ItemDef::Coin},          {'+', Placed::Item, ItemDef::Heart},
    {'k', Placed::Item, ItemDef::Key},           {'G', Placed::Item, ItemDef::Goal},
    {'*', Placed::Item, ItemDef::Gem},           {'1', Placed::Item, ItemDef::OneUp},
    {'i', Placed::Item, ItemDef::Sign},
};
// clang-format on

struct StagePlan {
    const char* file;  // stage file without its number
    const char* title;
    int bgm;
    const char* background;
    int timeLimit;  // seconds, 0 for none
    std::vector<std::string_view> rows;
};

// clang-format off
const StagePlan kStages[] = {
    {"data\\stg4\\w1-1.stg4", "はじまりの草原", 2, "bmp\\back\\Sky.bmp", 0, {
        "                                                            ",
        "                                                            ",
        "                                                            ",
        "                                                            ",
        "                                o o o                       ",
        "                      ???      BBBBBBB                      ",
        "                                                 o o        ",
        "            o o                               =======       ",
        "           =====            s                               ",
        "                          BBBBB         h                   ",
        "   @     \"   s     \"     ^      \"   x   \"   s      \"    \" G",
        "MM##########################################################",
        "############################################################",
        "############################################################",
        "############################################################",
    }},
    {"data\\stg4\\w2-1.stg4", "ベルトの洞窟", 3, "bmp\\back\\Cave.bmp", 0, {
        "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB",
        "B                                                          B",
        "B                   b                     b                B",
        "B                                                          B",
        "B              o o o                  ?  ?                 B",
        "B             =======               BBBBBBB       o  o     B",
        "B                                                BBBBBB    B",
        "B      o                      t                            B",
        "B     BBB    >>>>>>>>     BBBBBBBB      <<<<<<<<         G B",
        "B                                                     BBBBBB",
        "B  @       h          s              ~~~~~        x        B",
        "B###########MMM#######____##################################",
        "B###########################################################",
        "############################################################",
        "############################################################",
    }},
    {"data\\stg4\\w3-1.stg4", "カギの塔", 2, "bmp\\back\\Sky.bmp", 150, {
        "                                        ",
        "                 o o o       k          ",
        "                BBBBBBB    BBBBB        ",
        "                                   D    ",
        "       ^                         * D    ",
        "     BBBBB      b        =====  BBBD    ",
        "                                   D    ",
        "  +           BBBBB             s  D    ",
        " BBBB                        BBBBBBD    ",
        "                  t                D    ",
        "  @     s      BBBBBBB     x       D  G ",
        "########################################",
        "########################################",
        "########################################",
        "########################################",
    }},
    {"data\\stg4\\w4-1.stg4", "魔王の城", 4, "bmp\\back\\Castle.bmp", 120, {
        "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB",
        "B                                      B",
        "B                                      B",
        "B                                      B",
        "B                                      B",
        "B         +                 +          B",
        "B       BBBBB             BBBBB        B",
        "B                                      B",
        "B                                      B",
        "B                 =====                B",
        "B  @                             W     B",
        "B######################################B",
        "B######################################B",
        "B######################################B",
        "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB",
    }},
    {"data\\stg4\\c01-1.stg4", "チャレンジ１：コイン集め", 2, "bmp\\back\\Sky.bmp", 60, {
        "                                        ",
        "                                        ",
        "      o o o o         o o o o           ",
        "     =========       =========          ",
        "                                        ",
        "  o o        ^   o o        ^   o o     ",
        " BBBBB     BBBB BBBBB     BBBB BBBBB    ",
        "                                        ",
        "        o o o             o o o         ",
        "       BBBBBBB           BBBBBBB        ",
        "  @          s      h          s      G ",
        "########################################",
        "########################################",
        "########################################",
        "########################################",
    }},
    {"data\\stg4\\c02-1.stg4", "チャレンジ２：トゲの道", 3, "bmp\\back\\Cave.bmp", 90, {
        "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB",
        "B                                      B",
        "B          b              b            B",
        "B                                      B",
        "B      o       o       o       o       B",
        "B     BBB     BBB     BBB     BBB      B",
        "B                                      B",
        "B  ^      ^       ^       ^        1   B",
        "B BBB    BBB     BBB     BBB     BBBBB B",
        "B                                      B",
        "Bi@                                  G B",
        "B####MMMMM####MMMMM####MMMMM####MMMM###B",
        "B######################################B",
        "B######################################B",
        "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB",
    }},
    {"data\\stg4\\free.stg4", "フリープレイ：練習場", 2, "bmp\\back\\Sky.bmp", 0, {
        "                                        ",
        "                                        ",
        "                                        ",
        "                                        ",
        "                                        ",
        "                                        ",
        "                                        ",
        "            o o o                       ",
        "           BB?BBB        x x            ",
        "                                        ",
        "  @     ^       s     BBB    h        G ",
        "MM######################################",
        "########################################",
        "########################################",
        "########################################",
    }},
};
// clang-format on

template <class Def>
Def PlacedFrom(const cVector<Def>& palette, int def, int x, int y) {
    Def d = palette[def];
    d.m_cBaseSource = BaseSource::Common;
    d.m_sBaseIndex = static_cast<std::int16_t>(def);
    std::fill(d.m_vbInherit.begin(), d.m_vbInherit.end(), 1);
    d.m_sCellX = static_cast<std::int16_t>(x);
    d.m_sCellY = static_cast<std::int16_t>(y);
    return d;
}

void Place(cStageData& stage, const Legend& l, int x, int y) {
    switch (l.kind) {
        case Placed::Block:
            stage.m_vPlacedBlocks.push_back(PlacedFrom(CommonPalette.m_vPaletteBlocks, l.def, x, y));
            break;
        case Placed::Chara:
            stage.m_vPlacedCharas.push_back(PlacedFrom(CommonPalette.m_vPaletteCharas, l.def, x, y));
            break;
        case Placed::Item:
            stage.m_vPlacedItems.push_back(PlacedFrom(CommonPalette.m_vPaletteItems, l.def, x, y));
            break;
    }
}

void BuildStage(const StagePlan& plan, cStageData& stage) {
    stage.Reset();
    stage.m_strTitle = plan.title;
    stage.m_nHeight = static_cast<std::int32_t>(plan.rows.size());
    std::size_t width = 0;
    for (std::string_view row : plan.rows) width = std::max(width, row.size());
    stage.m_nWidth = static_cast<std::int32_t>(width);
    stage.m_nBgm = plan.bgm;
    stage.m_bTimeLimit = plan.timeLimit > 0 ? 1 : 0;
    if (plan.timeLimit > 0) stage.m_nTimeLimit = plan.timeLimit;
    // A far sky and a near layer of the same picture, scrolled at two speeds.
    stage.m_vLayers.resize(2);
    // A new stage's first layer is a plain fill; these show their picture.
    stage.m_vLayers[0].m_bFill = 0;
    stage.m_vLayers[0].m_strPicture = plan.background;
    stage.m_vLayers[1].m_strPicture = plan.background;
    stage.m_vLayers[1].m_bShow = 0;
    stage.m_vLayers[1].m_dRatioX = 0.5;
    // Stage palette entries beyond entry 0: none, everything is common.
    stage.m_vPaletteBlocks.resize(kMinPaletteEntries);
    stage.m_vPaletteCharas.resize(kMinPaletteEntries);
    stage.m_vPaletteItems.resize(kMinPaletteEntries);
    int y = 0;
    for (std::string_view row : plan.rows) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            const char c = row[static_cast<std::size_t>(x)];
            for (const Legend& l : kLegend) {
                if (l.c == c) Place(stage, l, x, y);
            }
        }
        ++y;
    }
}

}  // namespace

std::vector<std::string> StageFileNames() {
    std::vector<std::string> names;
    for (const StagePlan& plan : kStages) names.emplace_back(plan.file);
    return names;
}

void WriteStages(GameFolder& folder) {
    for (const StagePlan& plan : kStages) {
        // The stage is built where the loader keeps it, so references are
        // checked against this stage's palette while it is written.
        BuildStage(plan, LoadedStage);
        std::string path = std::string(plan.file) + "_001";
        folder.WriteRecord(path, LoadedStage);
    }
    LoadedStage.Reset();
}
