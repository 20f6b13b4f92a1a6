#include "gamedata/flows/flow.h"

#include <algorithm>

cKeyCond::cKeyCond() {
    UseFields(DataVersion);
    Reset();
    m_vKeyState.assign(kKeyCondKeys, 0);
}

void cKeyCond::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_bRelative);
    AddField(&m_sMinFrames);
    AddField(&m_sMaxFrames);
    AddField(&m_bAnyLength);
    AddField(&m_cMode);
}

bool cKeyCond::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    if (!ReadValueList(file, m_vKeyState, StoredCount::NoneKeeps)) return false;
    // The flow engine reads all keys; a short list would close the game.
    if (m_vKeyState.Count() < kKeyCondKeys) m_vKeyState.resize(kKeyCondKeys, 0);
    return true;
}

void cKeyCond::Save(cDataFile& file) {
    cDataRecord::Save(file);
    file.WriteInt(m_vKeyState.Count());
    if (!m_vKeyState.empty()) file.Write(m_vKeyState.data(), m_vKeyState.size());
}

void cKeyCond::OnLoadRefused() {
    Reset();
    m_vKeyState.assign(kKeyCondKeys, 0);
}

cFlow::cFlow() {
    UseFields(DataVersion);
    Reset();
    m_cKeyWindow = 3;
}

void cFlow::RegisterFields(int version) {
    ClearFieldLists();
    if (version >= 676) AddString(&m_strName);
    AddField(&m_cId);
    AddField(&m_cGroup);
    AddField(&m_bTestOnly);
    AddField(&m_cCondMode);
    AddField(&m_bCondLatch);
    AddField(&m_cTrigger);
    if (version >= 762) AddField(&m_bPartnerTarget);
    if (version >= 767) AddField(&m_cPartnerSlot);
    AddField(&m_cKeyWindow);
    AddField(&m_bKeyHold);
}

bool cFlow::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    if (!ReadRecordList(file, m_vCond, {kMinCondBytes})) return false;
    if (!ReadRecordList(file, m_vKeyCond, {kMinKeyCondBytes})) return false;
    if (!ReadRecordList(file, m_vCmd, {kMinFlowCmdBytes})) return false;
    if (FileVersion < DataVersion) RenumberTrigger(FileVersion);
    m_strName.clear();
    Normalize();
    return true;
}

void cFlow::Save(cDataFile& file) {
    Normalize();
    cDataRecord::Save(file);
    SaveRecordList(file, m_vCond);
    SaveRecordList(file, m_vKeyCond);
    SaveRecordList(file, m_vCmd);
}

void cFlow::OnLoadRefused() { *this = cFlow(); }

void cFlow::RenumberTrigger(int v) {
    int t = m_cTrigger;
    if (v <= 131 && t >= 11) ++t;
    if (v < 163 && t != 0) m_cGroup = 0;
    if (v < 164 && t >= 5) t += 2;
    if (v < 762 && t >= 18) t += 3;
    if (v < 900) {
        for (int from : {2, 4, 21, 23}) {
            if (t >= from) ++t;
        }
    }
    m_cTrigger = static_cast<std::int8_t>(t);
}

void cFlow::Normalize() {
    for (auto& c : m_vCmd) c.Normalize();
}

void cFlow::NormalizePaletteRefs() {
    for (auto& c : m_vCmd) c.NormalizePaletteRefs();
}

void PurgeTestFlows(cVector<cFlow>& flows) {
    flows.erase(std::remove_if(flows.begin(), flows.end(), [](const cFlow& f) { return f.m_bTestOnly != 0; }),
                flows.end());
}
