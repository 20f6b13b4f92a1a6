#include "gamedata/definitions/palette_lists.h"

#include "gamedata/base/data_limits.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/stage_file/stage_data.h"

template <>
cVector<cBlockDef>* PaletteListOf<cBlockDef>(int source) {
    if (source == BaseSource::Common) return &CommonPalette.m_vPaletteBlocks;
    if (source == BaseSource::Stage) return &LoadedStage.m_vPaletteBlocks;
    return nullptr;
}

template <>
cVector<cCharaDef>* PaletteListOf<cCharaDef>(int source) {
    if (source == BaseSource::Common) return &CommonPalette.m_vPaletteCharas;
    if (source == BaseSource::Stage) return &LoadedStage.m_vPaletteCharas;
    return nullptr;
}

template <>
cVector<cItemDef>* PaletteListOf<cItemDef>(int source) {
    if (source == BaseSource::Common) return &CommonPalette.m_vPaletteItems;
    if (source == BaseSource::Stage) return &LoadedStage.m_vPaletteItems;
    return nullptr;
}

void SyncPaletteLimits() {
    DataLimits limits = GetDataLimits();
    limits.common = {CommonPalette.m_vPaletteBlocks.Count(), CommonPalette.m_vPaletteCharas.Count(),
                     CommonPalette.m_vPaletteItems.Count()};
    limits.stage = {LoadedStage.m_vPaletteBlocks.Count(), LoadedStage.m_vPaletteCharas.Count(),
                    LoadedStage.m_vPaletteItems.Count()};
    SetDataLimits(limits);
}
