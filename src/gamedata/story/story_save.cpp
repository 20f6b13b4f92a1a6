#include "gamedata/story/story_save.h"

#include <algorithm>

#include "gamedata/project/global_data.h"
#include "gamedata/story/story_rules.h"

namespace {

// An int list whose stored count of 0 or less leaves the list as it was.
bool LoadIntListKeepingEmpty(cDataFile& file, cVector<int>& list) {
    return ReadValueList(file, list, StoredCount::NoneKeeps);
}

void PadTo(cVector<int>& list, int count) {
    if (list.Count() < count) list.resize(static_cast<std::size_t>(count), 0);
}

// The registered ints after member 4, with the first version that stores
// each; member 4 itself has an old twin and is registered by hand.
struct StoredInt {
    int from;
    int cStorySave::*member;
};

constexpr StoredInt kIntsAfterMember4[] = {
    {0, &cStorySave::m_nRounds},
    {915, &cStorySave::m_nStartMode},
    {758, &cStorySave::m_nLinkA},
    {758, &cStorySave::m_nLinkB},
    {758, &cStorySave::m_nLinkC},
    {0, &cStorySave::m_nStageNo},
    {0, &cStorySave::m_nPart},
    {0, &cStorySave::m_nStartLives},
    {0, &cStorySave::m_nLives},
    {0, &cStorySave::m_nStageScore},
    {0, &cStorySave::m_nScore},
    {0, &cStorySave::m_nClearedScore},
    {0, &cStorySave::m_nTimeLeftTotal},
    {0, &cStorySave::m_nClearTimeTotal},
    {182, &cStorySave::m_nHpTotal},
    {182, &cStorySave::m_nSpTotal},
    {0, &cStorySave::m_bMultiPart},
    {915, &cStorySave::m_nNextPart},
    {0, &cStorySave::m_nBgm},
    {166, &cStorySave::m_bBgmLoop},
    {194, &cStorySave::m_nMapValue1},
    {190, &cStorySave::m_nMapValue2},
    {191, &cStorySave::m_nMapValue3},
    {191, &cStorySave::m_nMapValue4},
    {0, &cStorySave::m_nChallengeOpened},
    {915, &cStorySave::m_nStageStartLives},
    {915, &cStorySave::m_nStageStartScore},
    {0, &cStorySave::m_nSlot},
    {169, &cStorySave::m_bAutoSave},
    {0, &cStorySave::m_bRankingShown},
    {0, &cStorySave::m_nRankingGenre},
    {678, &cStorySave::m_nStageValue1},
    {678, &cStorySave::m_nStageValue2},
    {678, &cStorySave::m_nStageValue3},
    {679, &cStorySave::m_nStageValue4},
};

}  // namespace

// ---- cStoryChara -----------------------------------------------------------

cStoryChara::cStoryChara() { UseFields(DataVersion); }

void cStoryChara::RegisterFields(int) {
    ClearFieldLists();
    for (int* m : {&m_nHp, &m_nSp, &m_nValueB, &m_nLives, &m_nValueD}) AddField(m);
}

bool cStoryChara::Load(cDataFile& file) {
    bool ok = cDataRecord::Load(file);
    return m_Def.Load(file) && ok;
}

void cStoryChara::Save(cDataFile& file) {
    cDataRecord::Save(file);
    m_Def.Save(file);
}

// ---- cClearedStage ---------------------------------------------------------

cClearedStage::cClearedStage() { UseFields(DataVersion); }

cClearedStage::cClearedStage(const std::string& name, const std::string& file, int a, int b, int c, int score)
    : m_nLinkA(a), m_nLinkB(b), m_nLinkC(c), m_nScore(score), m_strName(name), m_strFile(file) {
    UseFields(DataVersion);
}

void cClearedStage::RegisterFields(int version) {
    ClearFieldLists();
    if (version >= 759) {
        AddField(&m_nLinkA);
        AddField(&m_nLinkB);
        AddField(&m_nLinkC);
    }
    AddField(&m_nScore);
    AddString(&m_strName);
    if (version >= 759) AddString(&m_strFile);
}

bool cClearedStage::Load(cDataFile& file) {
    bool ok = cDataRecord::Load(file);
    if (FileVersion < 759) m_strFile = m_strName;
    return ok;
}

// ---- cChallengeRecord ------------------------------------------------------

cChallengeRecord::cChallengeRecord() { UseFields(DataVersion); }

void cChallengeRecord::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_bCleared);
    AddField(&m_nBest);
}

// ---- cStorySave: record and file -------------------------------------------

cStorySave::cStorySave() {
    UseFields(DataVersion);
    Reset(0);
}

void cStorySave::RegisterFields(int version) {
    ClearFieldLists();
    AddField(&m_bKeptStatus);
    AddField(&m_nMapX);
    AddField(&m_nMapY);
    AddField(version < 916 ? &m_nAfterClearOld : &m_nAfterClear);
    for (const StoredInt& s : kIntsAfterMember4) {
        if (version >= s.from) AddField(&(this->*s.member));
    }
    AddString(&m_strStage);
    if (version >= 724) AddString(&m_strStageKey);
    if (version >= 915) AddString(&m_strNextStage);
    AddString(&m_strRankingName);
}

void cStorySave::Reset(int challengeCount) {
    cDataRecord::Reset();
    m_nAfterClearOld = 0;
    m_vCarry.assign(kCarryItemCount, 0);
    m_vKept.assign(1, cStoryChara());
    m_vMapPoint.assign(kMapPointFlagCount, 0);
    m_vMapPoint[0] = 1;
    m_vVar.assign(kCommonVariableCount, 0);
    m_vCleared.clear();
    m_vChallenge.assign(static_cast<std::size_t>(std::clamp(challengeCount, 0, kMaxChallengeStages)),
                        cChallengeRecord());
    m_nChallengeOpened = 1;
    m_nSlot = -1;
    m_strRankingName = "aaa";
}

bool cStorySave::Load(cDataFile& file) {
    cStorySave before(*this);
    if (LoadBody(file)) return true;
    *this = before;
    return false;
}

// What a refused file leaves is already restored by Load.
void cStorySave::OnLoadRefused() {}

bool cStorySave::LoadBody(cDataFile& file) {
    bool ok = cDataRecord::Load(file);
    ok = ok && file.Read(&m_SaveTime, sizeof(m_SaveTime));
    if (ok && FileVersion > 500) ok = LoadIntListKeepingEmpty(file, m_vCarry);
    ok = ok && ReadRecordList(file, m_vKept) && ReadRecordList(file, m_vCleared) &&
         ReadRecordList(file, m_vChallenge, {8});
    ok = ok && LoadIntListKeepingEmpty(file, m_vMapPoint) && LoadIntListKeepingEmpty(file, m_vVar);
    if (ok && FileVersion > 914) ok = LoadIntListKeepingEmpty(file, m_vStageStartVar);
    if (!ok) return false;
    // The twin of member 4 belongs to old files only.
    if (FileVersion >= 916) m_nAfterClearOld = 0;
    Upgrade();
    Validate();
    return true;
}

void cStorySave::Upgrade() {
    if (FileVersion >= 920) return;
    if (FileVersion < 166) m_bBgmLoop = 1;
    if (FileVersion < 169) m_bAutoSave = 0;
    if (FileVersion < 182) m_nHpTotal = m_nSpTotal = 0;
    if (FileVersion < 190) m_nMapValue2 = 0;
    if (FileVersion < 191) m_nMapValue3 = m_nMapValue4 = 0;
    if (FileVersion < 194) m_nMapValue1 = 0;
    if (FileVersion < 501) m_vCarry.assign(kCarryItemCount, 1);
    if (FileVersion < 754) {
        // Variable 1000 is valid too, so old lists grow to 1,001.
        m_vVar.resize(kCommonVariableCount, 0);
        m_vStageStartVar.assign(kCommonVariableCount, 0);
    }
    if (FileVersion < 804) m_vMapPoint[0] = 1;
}

void cStorySave::Validate() {
    if (m_nMapX >= WorldMap.m_nWidth || m_nMapX < 0) m_nMapX = WorldMap.m_nStartX;
    if (m_nMapY >= WorldMap.m_nHeight || m_nMapY < 0) m_nMapY = WorldMap.m_nStartY;
    const int challenges = ChallengeStageCount();
    m_vChallenge.resize(static_cast<std::size_t>(challenges));
    m_nChallengeOpened = std::min(m_nChallengeOpened, challenges);
    // Lists that the file stored shorter than the progress indexes them are
    // padded, so a stored count never makes a later index fail.
    PadTo(m_vCarry, kCarryItemCount);
    PadTo(m_vMapPoint, kMapPointFlagCount);
    PadTo(m_vVar, kCommonVariableCount);
    if (m_vKept.empty()) m_vKept.resize(1);
}

void cStorySave::Save(cDataFile& file) {
    Validate();
    cDataRecord::Save(file);
    file.Write(&m_SaveTime, sizeof(m_SaveTime));
    SaveValueList(file, m_vCarry);
    SaveRecordList(file, m_vKept);
    SaveRecordList(file, m_vCleared);
    SaveRecordList(file, m_vChallenge);
    SaveValueList(file, m_vMapPoint);
    SaveValueList(file, m_vVar);
    SaveValueList(file, m_vStageStartVar);
}
