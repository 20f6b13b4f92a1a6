#pragma once
// An item definition: a palette entry or an item placed on the stage, with
// the commands that run on the character that takes it.
#include <cstdint>

#include "gamedata/definitions/definition_base.h"
#include "gamedata/flows/flow_cmd.h"

class cItemDef : public cDefinition {
public:
    static constexpr int kGroupCount = 13;

    cItemDef();
    cItemDef(const cItemDef&) = default;
    cItemDef(cItemDef&&) noexcept = default;
    cItemDef& operator=(const cItemDef&) = default;
    void Assign(const cItemDef& src) { *this = src; }

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;

    // A new definition's values; cell, conditions and commands stay.
    void ResetDefinition() override;
    void ApplyInheritance() override;
    void Normalize() override;
    void NormalizeRefs() override;

    std::int16_t m_sOffsetX = 0;
    std::int16_t m_sOffsetY = 0;
    std::int16_t m_sCell = 0;
    std::int8_t m_cSheet = 2;
    std::int16_t m_sSheetSub = 0;
    std::int8_t m_cZ = 6;
    std::int8_t m_bNoDraw = 0;
    std::int8_t m_bNoIcon = 0;
    std::int16_t m_sIconNo = 0;
    std::int8_t m_bPickEffect = 1;
    std::int8_t m_cPickRule = 0;
    std::int8_t m_cScale = 1;
    std::int16_t m_sPickSound = 0;
    cVector<cFlowCmd> m_vCmd;
};

// An item definition of the common palette (source 1) or of the loaded
// stage's palette (source 2); null for a bad source or index.
cItemDef* GetItemDef(int source, int index);
