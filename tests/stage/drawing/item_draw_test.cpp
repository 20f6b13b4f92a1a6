#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "stage/drawing/chara_graphic.h"
#include "support/stage/stage_harness.h"

namespace {

using Lines = std::vector<std::string>;

// Item graphic 17 (second column, third row of the item sheet) at screen
// (100, 200), with mark 17 unless hidden.
cItem ItemAt(int scale, int frame) {
    cItemDef entry;
    entry.m_sCell = 17;
    entry.m_cScale = static_cast<std::int8_t>(scale);
    entry.m_bNoIcon = 0;
    entry.m_sIconNo = 17;
    cItem item;
    item.CopyFromEntry(1, entry, 0);
    item.m_rcScreen = {100, 200, 100 + 32 * scale - 1, 200 + 32 * scale - 1};
    for (int t = 0; t < frame * 15; ++t) item.m_Anim.Advance();
    return item;
}

TEST(ItemDraw, CellFrameAndMark) {
    struct Case {
        const char* name;
        int scale, frame, noAdvance;
        Lines lines;
    };
    // Item cells are two frames wide: graphic 17 starts at x = 64, y = 64;
    // mark 17 is at (32, 64) of the Mark picture.
    const std::vector<Case> cases = {
        {"first frame",
         1,
         0,
         1,
         {"Blt Back 100,200 32x32 <- #40 64,64 32x32 key", "Blt Back 100,200 32x32 <- #43 32,64 32x32 key"}},
        {"second frame",
         1,
         1,
         1,
         {"Blt Back 100,200 32x32 <- #40 96,64 32x32 key", "Blt Back 100,200 32x32 <- #43 32,64 32x32 key"}},
        {"scale 2 stretches the cell and the mark",
         2,
         0,
         1,
         {"Blt Back 100,200 64x64 <- #40 64,64 32x32 key", "Blt Back 100,200 64x64 <- #44 32,64 32x32 key"}},
    };
    for (const Case& c : cases) {
        StageHarness stage({"...."});
        DDSETTING saved = DDSetting;
        DDSetting.bD3D = 0;
        DDSetting.nBpp = 32;
        SelectIconSheets();
        cItem item = ItemAt(c.scale, c.frame);
        item.Draw(&BackBuffer, c.noAdvance);
        EXPECT_EQ(stage.Drawing().Lines(), c.lines) << c.name;
        DDSetting = saved;
    }
}

TEST(ItemDraw, AdvancingAndHiding) {
    StageHarness stage({"...."});
    cItem item = ItemAt(1, 0);
    for (int t = 0; t < 14; ++t) item.Draw(&BackBuffer, 0);
    stage.Drawing().Clear();
    item.Draw(&BackBuffer, 0);
    ASSERT_FALSE(stage.Drawing().Lines().empty());
    EXPECT_EQ(stage.Drawing().Lines()[0], "Blt Back 100,200 32x32 <- #40 96,64 32x32 key") << "the 15th tick";
    stage.Drawing().Clear();
    item.m_Def.m_bNoIcon = 1;
    item.Draw(&BackBuffer, 1);
    EXPECT_EQ(stage.Drawing().Lines().size(), 1u) << "no mark";
    stage.Drawing().Clear();
    item.m_Def.m_bNoDraw = 1;
    item.Draw(&BackBuffer, 0);
    EXPECT_TRUE(stage.Drawing().Lines().empty());
}

TEST(ItemDraw, CarriedItemsIconAboveItsCarrier) {
    StageHarness stage({"a..."});
    cStageChara& a = stage.Chara('a');
    a.m_HeldItem = ItemAt(1, 0);
    a.m_HeldItem.m_bHeld = 1;
    a.m_bOnScreen = 1;
    a.m_rcScreen = {100, 200, 131, 231};
    a.m_rcGraphic = {0, 0, 32, 32};
    for (int frame = 1; frame < 64; ++frame) a.DrawHeldItemIcon(&BackBuffer);
    EXPECT_TRUE(stage.Drawing().Lines().empty()) << "hidden for the first 63 frames";
    a.DrawHeldItemIcon(&BackBuffer);
    // 16 x 16 from the small item picture: column 17 / 15 = 1 (32 pixels
    // a column), row 2 (16 pixels a row); at x 100 + 16 - 8, y 200 - 16.
    EXPECT_EQ(stage.Drawing().Lines(), (Lines{"Blt Back 108,184 16x16 <- #42 32,32 16x16 key"}));
}

}  // namespace
