#pragma once
// A stored condition and a list of them with an all/any mode. The members'
// meaning depends on the condition kind; members a kind does not use keep
// what they hold and are stored all the same.
//
// Names used by the flow engine's texts for the same members:
//   m_cLeftKind    value kind / target class      m_cRightKind  value source
//   m_cLeftScope   target variable scope          m_cRightScope source variable scope
//   m_cOwner       owner / target owner           m_cRightOwner source owner
//   m_cStatus      target kind / state / test     m_cRightStatus source kind
//   m_sIndex       16-bit index or constant       m_sRightIndex extra distance (px) / source index
//   m_nValue       32-bit constant / distance     m_nRandMin/Max random bounds a, b
//   m_cOp          operator                       m_bPercent    percent flag
//   m_cLeftCoord/m_cRightCoord   target/source coordinate kinds
//   m_cLeftPoint/m_cRightPoint   target/source reference points
//   m_cDirection   direction kind (area shape of a distance condition)
//   kind 7 display: m_cLeftKind show mode, m_cStatus colour, m_cRightKind
//   show-when-absent, m_cRightOwner show-when-hidden.
#include <cstdint>

#include "foundation/data_record.h"

namespace CondKind {
enum : int { None = 0, CommonVar = 1, StageVar = 2, CharaVar = 3, Status = 4, Status2 = 5, Status3 = 6, Distance = 7 };
}

class cCond : public cDataRecord {
public:
    cCond();

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;

    std::int8_t m_cKind = 0;
    std::int8_t m_cLeftKind = 0;
    std::int8_t m_cLeftScope = 0;
    std::int8_t m_cOwner = 0;
    std::int8_t m_cStatus = 0;
    std::int16_t m_sIndex = 0;
    std::int8_t m_cRightKind = 0;
    std::int32_t m_nValue = 0;
    std::int32_t m_nRandMin = 0;
    std::int32_t m_nRandMax = 0;
    std::int8_t m_cRightOwner = 0;
    std::int8_t m_cRightStatus = 0;
    std::int8_t m_cRightScope = 0;
    std::int16_t m_sRightIndex = 0;
    std::int8_t m_cOp = 0;
    std::int8_t m_bPercent = 0;
    std::int8_t m_cLeftCoord = 0;
    std::int8_t m_cRightCoord = 0;
    std::int8_t m_cLeftPoint = 0;
    std::int8_t m_cRightPoint = 0;
    std::int8_t m_cDirection = 0;

private:
    void Upgrade(int version);
};

class cCondList : public cDataRecord {
public:
    cCondList();

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    std::int8_t m_bEnabled = 0;
    std::int8_t m_cMode = 0;
    cVector<cCond> m_vCond;
};

// Smallest number of bytes a stored condition takes (its two block counts),
// used to bound list counts read from a file.
constexpr std::size_t kMinCondBytes = 8;
