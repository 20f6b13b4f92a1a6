#include "gamedata/live_data_limits.h"

#include "gamedata/base/data_limits.h"
#include "gamedata/database/database.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"

namespace {

// Only the thread that reads a data file asks for the limits (files are read
// one at a time), so one snapshot rebuilt per call is enough.
const DataLimits& LiveLimits() {
    static DataLimits live;
    live.testPlay = StoredDataLimits().testPlay;
    int t = 0;
    Database.ForEachTable([&](auto& table, const char*) {
        live.dbCount[static_cast<std::size_t>(t++)] = table.Count();
        return true;
    });
    live.swordFrameTimes.resize(Database.SwordType.size());
    for (std::size_t i = 0; i < Database.SwordType.size(); ++i) {
        auto& times = live.swordFrameTimes[i];
        times.clear();
        for (const auto& frame : Database.SwordType.at(i).m_vFrames) times.push_back(frame.m_nTime);
    }
    live.common = {CommonPalette.m_vPaletteBlocks.Count(), CommonPalette.m_vPaletteCharas.Count(),
                   CommonPalette.m_vPaletteItems.Count()};
    live.stage = {LoadedStage.m_vPaletteBlocks.Count(), LoadedStage.m_vPaletteCharas.Count(),
                  LoadedStage.m_vPaletteItems.Count()};
    live.testFlowSwitch = SystemData.m_bKeepTestFlows;
    return live;
}

}  // namespace

void InstallLiveDataLimits() { SetDataLimitsSource(&LiveLimits); }
