#pragma once
// A block definition: a common or stage palette entry, or a block placed on
// the stage grid.
//
// Names used by the stage engine's texts for the same members:
//   m_cContact     solidity (0 passable, 1 solid, 2 deadly for the hero)
//   m_cPassGroup   pass-through group
//   m_cFootEffect  ground kind      m_nFootValue  ground value
//   m_cItemSource  item palette     m_sItemIndex  item index
//   m_sCell        block value (0 = no block)
//   m_bNoReplace   protected cell
//   m_cSheet       graphic kind     m_sSheetSub   graphic column
//   m_cDrawPass    drawing layer (0 behind the objects, 1 in front)
//   m_bNoDraw      hidden flag      m_bShowIcon   mark flag
//   m_sIconNo      mark number
#include <cstdint>

#include "gamedata/definitions/definition_base.h"

class cBlockDef : public cDefinition {
public:
    static constexpr int kGroupCount = 11;

    cBlockDef();
    cBlockDef(const cBlockDef&) = default;
    cBlockDef(cBlockDef&&) noexcept = default;
    cBlockDef& operator=(const cBlockDef&) = default;
    void Assign(const cBlockDef& src) { *this = src; }

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;

    // A new definition's values; cell and conditions stay.
    void ResetDefinition() override;
    void ApplyInheritance() override;
    void Normalize() override;
    void NormalizeRefs() override;

    std::int16_t m_sCell = 0;
    std::int8_t m_cSheet = 0;
    std::int16_t m_sSheetSub = 0;
    std::int8_t m_cDrawPass = 0;
    std::int8_t m_bNoDraw = 0;
    std::int8_t m_bShowIcon = 0;
    std::int16_t m_sIconNo = 0;
    std::int8_t m_cContact = 1;
    std::int8_t m_cPassGroup = -1;
    std::int8_t m_cFootEffect = 0;
    std::int32_t m_nFootValue = 0;
    std::int8_t m_cItemSource = 0;
    std::int16_t m_sItemIndex = 0;
    std::int8_t m_bNoReplace = 0;
};

// Picture sheets of blocks, items and characters.
namespace SheetKind {
enum : int { Block = 0, Chara = 1, Item = 2, Shot = 3, CharaExc = 4 };
}

// The shot sheet gained a new first cell in version 219; a sheet has 120.
void UpgradeShotSheetCell(std::int8_t sheet, std::int16_t& cell);
