#include "gamedata/stage_file/stage_records.h"

cStageSetting::cStageSetting() { Reset(); }

void cStageSetting::RegisterFields(int version) {
    ClearFieldLists();
    AddField(&m_bLeft);
    if (version >= 125) {
        AddField(&m_bRight);
        AddField(&m_bTop);
        AddField(&m_bBottom);
    }
    for (auto* m : {&m_nLeft, &m_nRight, &m_nTop, &m_nBottom}) AddField(m);
}

void cStageSetting::SetFlagsAndMargins(std::int32_t flag, std::int32_t margin) {
    m_bLeft = m_bRight = m_bTop = m_bBottom = flag;
    m_nLeft = m_nRight = m_nTop = m_nBottom = margin;
}

cStageLayer::cStageLayer() {
    Reset();
    m_bShow = 1;
    m_nFillColor = 16;
    m_dRatioX = 0.1;
    m_dRatioY = 0.1;
}

void cStageLayer::RegisterFields(int version) {
    ClearFieldLists();
    if (version >= 62) AddField(&m_bShow);
    AddField(&m_bFill);
    AddField(&m_nFillColor);
    AddField(&m_nFront);
    if (version >= 61) {
        AddField(&m_dRatioX);
        AddField(&m_dRatioY);
        AddField(&m_bAutoX);
        AddField(&m_bAutoY);
    } else {
        // Two 4-byte values stood where the ratios are now.
        AddField(&DiscardedField);
        AddField(&DiscardedField);
    }
    if (version >= 876) {
        AddField(&m_dAutoSpeedX);
        AddField(&m_dAutoSpeedY);
    }
    AddString(&m_strPicture);
    if (version >= 62) {
        AddField(&m_dAutoPosX);
        AddField(&m_dAutoPosY);
    } else if (version == 61) {
        AddField(&DiscardedField);
        AddField(&DiscardedField);
    }
}

void cStageLayer::UpgradeAutoSpeed(int fileVersion) {
    if (fileVersion >= 876) return;
    if (m_bAutoX) {
        m_dAutoSpeedX = m_dRatioX;
        m_dRatioX = 1.0;
    }
    if (m_bAutoY) {
        m_dAutoSpeedY = m_dRatioY;
        m_dRatioY = 1.0;
    }
}

cStageName::cStageName() { Reset(); }

void cStageName::RegisterFields(int) {
    ClearFieldLists();
    AddString(&m_strName);
}
