#include "stage/stage_objects.h"

cVector<cPlayer> PlayerList;
cList<cStageChara> CharaList;
cList<cItem> ItemList;
cVector<cTileCell> StageBlockDefs;

void CopyFrameRect(FrameRect& dst, const FrameRect& src) { dst.v = src.v; }

void CopyWords16(Words16& dst, const Words16& src) { dst.w = src.w; }

void CopyRecordWithVector(RecordWithVector& dst, const RecordWithVector& src) {
    dst.values.assign(src.values.begin(), src.values.end());
}

void cObject::CopyFrom(const cObject& src) { *this = src; }

void cChara::SetFlows(const cVector<cFlow>& flows) {
    m_vFlow = flows;
    m_vFlowInst.assign(flows.size(), cFlowInst{});
}

cPlayer::cPlayer(const cPlayer& src) : cChara() { CopyMembers(src); }

cPlayer& cPlayer::operator=(const cPlayer& src) {
    if (this != &src) CopyMembers(src);
    return *this;
}

void cPlayer::CopyMembers(const cPlayer& src) {
    cObject::CopyFrom(src);
    m_Def.Assign(src.m_Def);
    // The copy starts its flows afresh: run states are never shared.
    SetFlows(src.m_vFlow);
    for (std::size_t i = 0; i < m_HitBox.size(); ++i) CopyFrameRect(m_HitBox[i], src.m_HitBox[i]);
    CopyWords16(m_Input, src.m_Input);
    CopyRecordWithVector(m_KeyRuns, src.m_KeyRuns);
    m_nTarget = src.m_nTarget;
    m_dImpactX = src.m_dImpactX;
    m_dImpactY = src.m_dImpactY;
    m_bSideContact = src.m_bSideContact;
    m_nLife = src.m_nLife;
    m_nInvincible = src.m_nInvincible;
    m_nPlayerNo = src.m_nPlayerNo;
}
