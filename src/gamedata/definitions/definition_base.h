#pragma once
// What block, character and item definitions share: the grid cell of a
// placed object, the base entry in one of the two palettes with one inherit
// flag per property group, the name, and the conditions under which the
// object takes part in the stage. The stored layout of the shared pieces and
// the inheritance mechanism live here; each class brings its copy table.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/data_record.h"
#include "gamedata/flows/cond.h"

// Where a base entry is looked up.
namespace BaseSource {
enum : int { None = 0, Common = 1, Stage = 2 };
}

class cDefinition : public cDataRecord {
public:
    std::int16_t m_sCellX = 0;
    std::int16_t m_sCellY = 0;
    std::int8_t m_cBaseSource = 0;
    std::int16_t m_sBaseIndex = 0;
    cVector<std::uint8_t> m_vbInherit;
    std::string m_strName;
    cVector<cCond> m_vCond;
    std::int8_t m_cCondMode = 0;
    std::int8_t m_bCondLatch = 0;

protected:
    cDefinition() = default;
    cDefinition(const cDefinition&) = default;
    cDefinition(cDefinition&&) noexcept = default;
    cDefinition& operator=(const cDefinition&) = default;

    void ResetInheritFlags(int groupCount);

    bool LoadCell(cDataFile& f);
    void SaveCell(cDataFile& f) const;
    // A stored count of 0 or less leaves the flags as they were.
    bool LoadInheritFlags(cDataFile& f);
    void SaveInheritFlags(cDataFile& f) const;
    bool LoadConditions(cDataFile& f);
    void SaveConditions(cDataFile& f);

    // Drops a base reference that names no entry of its palette: source and
    // index become 0. The index counts as unsigned 16 bits.
    void CheckBaseReference(int commonCount, int stageCount);
};

// The two groups every class has: the name, and the conditions with their
// mode and latch (deep copies).
void CopyDefinitionName(cDefinition& d, const cDefinition& base);
void CopyDefinitionConditions(cDefinition& d, const cDefinition& base);

// An index stored as a 16-bit value is valid when below the count, taken
// unsigned, so a negative index never reaches a list. Base and item
// references are such indices: entries of a longer palette list are kept
// and written back, but nothing can name them.
inline bool IndexBelow(std::int16_t index, int count) {
    return count > 0 && static_cast<std::uint16_t>(index) < static_cast<unsigned>(count);
}

// One entry per property group: copies that group from the base entry.
template <class Def>
using GroupCopy = void (*)(Def& d, const Def& base);

// The list of the same class in a palette: source 1 the common palette,
// source 2 the stage palette of the stage being loaded; null for others.
template <class Def>
cVector<Def>* PaletteListOf(int source);
class cBlockDef;
class cCharaDef;
class cItemDef;
template <>
cVector<cBlockDef>* PaletteListOf<cBlockDef>(int source);
template <>
cVector<cCharaDef>* PaletteListOf<cCharaDef>(int source);
template <>
cVector<cItemDef>* PaletteListOf<cItemDef>(int source);

// Copies the flagged groups from the base entry. Entry 0 cannot be a base; a
// base index past the list drops the source; unknown sources change nothing.
template <class Def, std::size_t N>
void ApplyInheritanceWith(Def& d, const std::array<GroupCopy<Def>, N>& table) {
    if (d.m_sBaseIndex == 0 || d.m_cBaseSource == BaseSource::None) return;
    cVector<Def>* list = PaletteListOf<Def>(d.m_cBaseSource);
    if (!list) return;
    if (!IndexBelow(d.m_sBaseIndex, list->Count())) {
        // The index goes with the source: a reference that names nothing is
        // dropped whole.
        d.m_cBaseSource = BaseSource::None;
        d.m_sBaseIndex = 0;
        return;
    }
    const Def& base = (*list)[static_cast<std::uint16_t>(d.m_sBaseIndex)];
    if (&base == &d) return;
    const std::size_t n = std::min(d.m_vbInherit.size(), N);
    for (std::size_t i = 0; i < n; ++i) {
        if (d.m_vbInherit[static_cast<int>(i)]) table[i](d, base);
    }
}

template <class Def>
int PaletteCountOf(int source) {
    cVector<Def>* list = PaletteListOf<Def>(source);
    return list ? list->Count() : 0;
}
