#include "gamedata/definitions/definition_base.h"

void cDefinition::ResetInheritFlags(int groupCount) { m_vbInherit.assign(static_cast<std::size_t>(groupCount), 0); }

bool cDefinition::LoadCell(cDataFile& f) { return f.Read(&m_sCellX, 2) && f.Read(&m_sCellY, 2); }

void cDefinition::SaveCell(cDataFile& f) const {
    f.Write(&m_sCellX, 2);
    f.Write(&m_sCellY, 2);
}

bool cDefinition::LoadInheritFlags(cDataFile& f) { return ReadValueList(f, m_vbInherit, StoredCount::NoneKeeps); }

void cDefinition::SaveInheritFlags(cDataFile& f) const {
    f.WriteInt(m_vbInherit.Count());
    if (!m_vbInherit.empty()) f.Write(m_vbInherit.data(), m_vbInherit.size());
}

bool cDefinition::LoadConditions(cDataFile& f) { return ReadRecordList(f, m_vCond, {kMinCondBytes}); }

void cDefinition::SaveConditions(cDataFile& f) { SaveRecordList(f, m_vCond); }

void cDefinition::CheckBaseReference(int commonCount, int stageCount) {
    const bool bad = (m_cBaseSource == BaseSource::Common && !IndexBelow(m_sBaseIndex, commonCount)) ||
                     (m_cBaseSource == BaseSource::Stage && !IndexBelow(m_sBaseIndex, stageCount));
    if (bad) {
        m_cBaseSource = BaseSource::None;
        m_sBaseIndex = 0;
    }
}

void CopyDefinitionName(cDefinition& d, const cDefinition& b) { d.m_strName = b.m_strName; }

void CopyDefinitionConditions(cDefinition& d, const cDefinition& b) {
    d.m_vCond = b.m_vCond;
    d.m_cCondMode = b.m_cCondMode;
    d.m_bCondLatch = b.m_bCondLatch;
}
