#pragma once
// A flow: a character's small program of commands, started by a trigger when
// its conditions hold and its key-input sequence matches; and the key
// conditions that make up that sequence.
//
// Names used by the flow engine's texts for the same members:
//   m_cId         flow ID               m_cGroup       group
//   m_cCondMode   condition mode        m_bCondLatch   condition latch option
//   m_cTrigger    trigger kind          m_bPartnerTarget partner option
//   m_cPartnerSlot partner target slot  m_cKeyWindow   key allowance in frames
//   m_bKeyHold    key hold mode
//   cKeyCond: m_vKeyState key entries, m_bRelative mirror flag,
//   m_sMinFrames/m_sMaxFrames minimum/maximum hold time, m_bAnyLength
//   no-limit flag, m_cMode step mode.
#include <cstdint>
#include <string>

#include "foundation/data_record.h"
#include "gamedata/flows/cond.h"
#include "gamedata/flows/flow_cmd.h"

constexpr int kKeyCondKeys = 19;

class cKeyCond : public cDataRecord {
public:
    cKeyCond();

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    cVector<std::int8_t> m_vKeyState;  // per key: 0 not tested, 1 held, 2 released
    std::int8_t m_bRelative = 0;
    std::int16_t m_sMinFrames = 0;
    std::int16_t m_sMaxFrames = 0;
    std::int8_t m_bAnyLength = 0;
    std::int8_t m_cMode = 0;
};

class cFlow : public cDataRecord {
public:
    cFlow();

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    void Normalize();
    void NormalizePaletteRefs();
    void Assign(const cFlow& src) { *this = src; }

    std::string m_strName;
    std::int8_t m_cId = 0;
    std::int8_t m_cGroup = 0;
    std::int8_t m_bTestOnly = 0;
    cVector<cCond> m_vCond;
    std::int8_t m_cCondMode = 0;
    std::int8_t m_bCondLatch = 0;
    std::int8_t m_cTrigger = 0;
    std::int8_t m_bPartnerTarget = 0;
    std::int8_t m_cPartnerSlot = 0;
    std::int8_t m_cKeyWindow = 3;
    std::int8_t m_bKeyHold = 0;
    cVector<cKeyCond> m_vKeyCond;
    cVector<cFlowCmd> m_vCmd;

private:
    void RenumberTrigger(int version);
};

// Removes the flows marked test-only, keeping the order of the others.
void PurgeTestFlows(cVector<cFlow>& flows);

constexpr int kFlowTriggerCount = 27;
constexpr std::size_t kMinFlowBytes = 20;
constexpr std::size_t kMinKeyCondBytes = 12;
