#include <gtest/gtest.h>

#include "gamedata/base/data_limits.h"
#include "gamedata/database/database.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/live_data_limits.h"
#include "gamedata/project/system_data.h"

// Normalisation must see the project as loaded: a table that grows or a
// switch that changes shows at once, and the stored test-play flag stays.
TEST(LiveDataLimits, FollowTheLoadedProject) {
    DataLimits stored;
    stored.testPlay = 1;
    SetDataLimits(stored);
    InstallLiveDataLimits();

    Database.SetDefaults();
    int before = GetDataLimits().Count(DbTable::Effect);
    EXPECT_EQ(before, Database.Effect.Count());
    Database.Effect.resize(Database.Effect.size() + 3);
    EXPECT_EQ(GetDataLimits().Count(DbTable::Effect), before + 3);
    EXPECT_EQ(GetDataLimits().Count(DbTable::Bgm), Database.Bgm.Count());
    EXPECT_EQ(GetDataLimits().common.charas, CommonPalette.m_vPaletteCharas.Count());
    EXPECT_EQ(static_cast<int>(GetDataLimits().swordFrameTimes.size()), Database.SwordType.Count());

    int keep = SystemData.m_bKeepTestFlows;
    SystemData.m_bKeepTestFlows = 1;
    EXPECT_EQ(GetDataLimits().testFlowSwitch, 1);
    EXPECT_EQ(GetDataLimits().testPlay, 1);
    EXPECT_FALSE(ShouldPurgeTestFlows());

    SystemData.m_bKeepTestFlows = keep;
    Database.SetDefaults();
    SetDataLimitsSource(nullptr);
    SetDataLimits(DataLimits{});
}
