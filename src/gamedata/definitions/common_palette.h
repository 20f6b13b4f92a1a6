#pragma once
// The project-wide palette of block, character and item definitions that
// every stage may take as base entries ("data\CommonPalette.cplt4").
#include "gamedata/definitions/block_def.h"
#include "gamedata/definitions/chara_def.h"
#include "gamedata/definitions/item_def.h"
#include "gamedata/stage_file/stage_load_runner.h"

class cCommonPalette : public cDataRecord {
public:
    cCommonPalette();

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    // Pads every list to 2 entries and normalises every entry.
    void Validate();

    cVector<cBlockDef> m_vPaletteBlocks;
    cVector<cCharaDef> m_vPaletteCharas;
    cVector<cItemDef> m_vPaletteItems;
};

// Entry 0 of a palette list is a fixed default; usable entries start at 1.
constexpr int kMinPaletteEntries = 2;

// Built with the other global objects (gamedata/global_data.h).
extern cCommonPalette& CommonPalette;

// Loads a palette list of one definition class: every entry resolves its
// inheritance while the list is being built, so earlier entries serve as
// bases for later ones. Entry 0 is then made a default again.
template <class Def>
bool LoadPaletteList(cDataFile& f, cVector<Def>& list) {
    if (!ReadRecordList(f, list, {8, StoredCount::Replaces, ListGrowth::MadeFirst})) return false;
    if (!list.empty()) list[0].ResetDefinition();
    return true;
}

template <class Def>
void NormalizeDefinitions(cVector<Def>& list) {
    int n = 0;
    for (auto& def : list) {
        // A large stage takes a while: let a loader thread be suspended or
        // stopped on the way.
        if (++n % 1024 == 0) StageLoaderGate();
        def.Normalize();
        def.NormalizeRefs();
    }
}

// Pads the three lists of a palette to their least size and normalises every
// entry against both palettes.
void ValidatePaletteLists(cVector<cBlockDef>& blocks, cVector<cCharaDef>& charas, cVector<cItemDef>& items);
