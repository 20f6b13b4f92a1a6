#include "stage/core/status_values.h"

#include <array>
#include <type_traits>

#include "stage/code/code_host.h"
#include "stage/objects/chara.h"

namespace {

struct CharaVarAccess {
    int (*read)(const cChara&);
    void (*write)(cChara&, int);
};

template <auto Member>
constexpr CharaVarAccess DefField() {
    return {
        [](const cChara& c) { return static_cast<int>(c.m_Def.*Member); },
        [](cChara& c, int v) { c.m_Def.*Member = static_cast<std::remove_reference_t<decltype(c.m_Def.*Member)>>(v); }};
}

template <int Index>
constexpr CharaVarAccess CharaVarSlot() {
    return {[](const cChara& c) { return c.m_vecVar[Index]; }, [](cChara& c, int v) { c.m_vecVar[Index] = v; }};
}

constexpr CharaVarAccess kNoField{nullptr, nullptr};

// Storage of every character variable but the positions, by number.
const std::array<CharaVarAccess, CharaVar::Count> kCharaVarAccess{
    CharaVarSlot<1>(),
    CharaVarSlot<2>(),
    CharaVarSlot<3>(),
    CharaVarSlot<4>(),
    CharaVarSlot<5>(),
    CharaVarSlot<6>(),
    CharaVarSlot<7>(),
    CharaVarSlot<8>(),
    CharaVarAccess{[](const cChara& c) { return c.m_nLife; }, [](cChara& c, int v) { c.m_nLife = v; }},
    CharaVarAccess{[](const cChara& c) { return c.m_nSP; }, [](cChara& c, int v) { c.m_nSP = v; }},
    DefField<&cCharaDef::m_nMaxHp>(),
    DefField<&cCharaDef::m_nMaxSp>(),
    DefField<&cCharaDef::m_cCharaId>(),
    kNoField,
    kNoField,
    kNoField,
    kNoField,
    kNoField,
    kNoField,
    DefField<&cCharaDef::m_cZ>(),
    DefField<&cCharaDef::m_sIconNo>(),
    DefField<&cCharaDef::m_cSight>(),
    DefField<&cCharaDef::m_nPower>(),
    DefField<&cCharaDef::m_cImpact>(),
    DefField<&cCharaDef::m_nDefence>(),
    DefField<&cCharaDef::m_cImpactResist>(),
    DefField<&cCharaDef::m_sStopEase>(),
    DefField<&cCharaDef::m_nScore>(),
};

}  // namespace

int ReadCharaValue(const cChara& chara, int var) {
    return kCharaVarAccess.at(static_cast<std::size_t>(var)).read(chara);
}
void WriteCharaValue(cChara& chara, int var, int value) {
    kCharaVarAccess.at(static_cast<std::size_t>(var)).write(chara, value);
}

int CharaVarOfStatus(int kind) {
    static constexpr std::array<int, StatusKind::Count> kVars{
        CharaVar::V1,      CharaVar::Hp,       CharaVar::Sp,     CharaVar::MaxHp,   CharaVar::MaxSp,
        CharaVar::CharaId, CharaVar::XScr,     CharaVar::YScr,   CharaVar::Z,       CharaVar::Mark,
        CharaVar::Sight,   CharaVar::Power,    CharaVar::Impact, CharaVar::Defence, CharaVar::ImpactResist,
        CharaVar::Stop,    CharaVar::KillScore};
    return kVars.at(static_cast<std::size_t>(kind));
}
