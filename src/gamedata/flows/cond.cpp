#include "gamedata/flows/cond.h"

cCond::cCond() {
    UseFields(DataVersion);
    Reset();
}

void cCond::RegisterFields(int version) {
    ClearFieldLists();
    AddField(&m_cKind);
    AddField(&m_nValue);
    if (version >= 110) {
        AddField(&m_nRandMin);
        AddField(&m_nRandMax);
        AddField(&m_cOwner);
        AddField(&m_cStatus);
    } else {
        // The two 16-bit values that stood here before are dropped.
        AddField(&DiscardedField16);
        AddField(&DiscardedField16);
    }
    if (version >= 110) {
        AddField(&m_cLeftKind);
        AddField(&m_cLeftScope);
        AddField(&m_sIndex);
        AddField(&m_cRightKind);
        AddField(&m_cRightOwner);
        AddField(&m_cRightStatus);
        AddField(&m_cRightScope);
        AddField(&m_sRightIndex);
    }
    AddField(&m_cOp);
    if (version >= 43) AddField(&m_bPercent);
    if (version >= 883) {
        AddField(&m_cLeftCoord);
        AddField(&m_cRightCoord);
    }
    if (version >= 893) {
        AddField(&m_cLeftPoint);
        AddField(&m_cRightPoint);
    }
    AddField(&m_cDirection);
}

bool cCond::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    if (FileVersion < DataVersion) Upgrade(FileVersion);
    return true;
}

void cCond::Save(cDataFile& file) { cDataRecord::Save(file); }

namespace {

// Raises a status index of a status comparison when it stands at or above
// the index where new statuses were inserted. `systemOwner` is the owner
// number of the system at that version; system statuses keep their numbers.
void ShiftStatus(std::int8_t side, std::int8_t sideValue, std::int8_t owner, std::int8_t& status, int systemOwner,
                 int from, int by) {
    if (side == sideValue && owner != systemOwner && status >= from) status = static_cast<std::int8_t>(status + by);
}

}  // namespace

void cCond::Upgrade(int v) {
    auto add = [](std::int8_t& m, int by) { m = static_cast<std::int8_t>(m + by); };
    // Status conditions 2 and 3 were inserted before the distance kind.
    if (v < 160 && m_cKind >= 5) add(m_cKind, 2);
    if (v < 161 && m_cKind == CondKind::Status3 && m_cStatus == 2) m_cOp = static_cast<std::int8_t>(m_cOp ^ 1);
    if (m_cKind == CondKind::Status) {
        if (v < 168) {
            ShiftStatus(m_cLeftKind, 0, m_cOwner, m_cStatus, 2, 10, 1);
            ShiftStatus(m_cRightKind, 2, m_cRightOwner, m_cRightStatus, 2, 10, 1);
        }
        if (v < 203) {
            ShiftStatus(m_cLeftKind, 0, m_cOwner, m_cStatus, 2, 5, 1);
            ShiftStatus(m_cRightKind, 2, m_cRightOwner, m_cRightStatus, 2, 5, 1);
        }
    }
    if (v < 210 && m_cKind == CondKind::Status2 && m_cOwner != 2 && m_cStatus >= 6) add(m_cStatus, 1);
    if (m_cKind == CondKind::Distance) {
        if (v < 657) m_cOwner = 0;
        if (v < 745) m_cLeftKind = 0;
        if (v < 746) {
            m_cRightKind = 1;
            m_cRightOwner = 1;
        }
    }
    // Target slots 2 to 4 were inserted; the old system owner 2 became 5.
    if (v < 767 && (m_cKind == CondKind::Status || m_cKind == CondKind::Status2)) {
        if (m_cOwner >= 2) add(m_cOwner, 3);
        if (m_cRightOwner >= 2) add(m_cRightOwner, 3);
    }
    if (m_cKind == CondKind::Status) {
        if (v < 883) {
            m_cLeftCoord = 0;
            m_cRightCoord = 0;
            // X and Y were inserted as statuses 6 and 7.
            ShiftStatus(m_cLeftKind, 0, m_cOwner, m_cStatus, 5, 6, 2);
            ShiftStatus(m_cRightKind, 2, m_cRightOwner, m_cRightStatus, 5, 6, 2);
        }
        if (v < 892) {
            m_cLeftPoint = 0;
            m_cRightPoint = 0;
        }
    }
}

cCondList::cCondList() {
    UseFields(DataVersion);
    Reset();
}

void cCondList::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_bEnabled);
    AddField(&m_cMode);
}

bool cCondList::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    // Versions 764 and 765 stored the two bytes only.
    if (FileVersion < 766) return true;
    return ReadRecordList(file, m_vCond, {kMinCondBytes});
}

void cCondList::Save(cDataFile& file) {
    cDataRecord::Save(file);
    SaveRecordList(file, m_vCond);
}

void cCondList::OnLoadRefused() {
    Reset();
    m_vCond.clear();
}
