#include "gamedata/database/database_entries.h"

#include <utility>

#include "gamedata/database/effect_kinds.h"

namespace {

// Motion lists: every element is a record of at least its two counts,
// which bounds the count by the bytes left.
constexpr std::size_t kMinRecordBytes = 8;

// Files before this version stored an attribute that the editor no longer
// keeps, so it is cleared on load.
constexpr int kAttributeKeptFrom = 153;

void ClearOldAttribute(int& attribute) {
    if (FileVersion < kAttributeKeptFrom) attribute = 0;
}

const char* const kDefaultMotionNames[] = {"立ち", "立ち移動", "飛行", "飛行移動"};
constexpr int kMotionCount = 4;

}  // namespace

// --- animation frames and animations -------------------------------------

cAnimeFrame::cAnimeFrame() {
    UseFields(kDataVersion);
    Reset();
    m_nTime = 1;
}

void cAnimeFrame::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nCell);
    AddField(&m_nTime);
    AddField(&m_nLock);
}

cAnime::cAnime() : cAnime(std::string()) {}

cAnime::cAnime(const std::string& name) {
    UseFields(kDataVersion);
    Reset();
    m_cFlag = 1;
    m_strName = name;
    m_vFrames.resize(1);
}

void cAnime::RegisterFields(int version) {
    ClearFieldLists();
    if (version >= 55) {
        AddField(&m_sValue1);
        AddField(&m_cFlag);
        AddField(&m_sValue2);
    }
    AddString(&m_strName);
}

// --- animation sets -------------------------------------------------------

cAnimeSet::cAnimeSet() {
    UseFields(kDataVersion);
    Reset();
    m_nCellOffset1 = 4;
    m_nCellOffset2 = 8;
    for (const char* name : kDefaultMotionNames) m_vMotions.emplace_back(name);
}

void cAnimeSet::RegisterFields(int version) {
    ClearFieldLists();
    AddField(&m_nCellOffset1);
    AddField(&m_nCellOffset2);
    if (version >= 119) AddField(&m_nCellOffset3);
    AddString(&m_strName);
}

bool cAnimeSet::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    if (!ReadRecordList(file, m_vMotions, {kMinRecordBytes})) return false;
    // Old sets had exactly the four basic motions; the flying ones got their
    // names only in 128.
    if (FileVersion < 119) m_vMotions.resize(kMotionCount);
    if (FileVersion < 128) {
        m_vMotions.resize(kMotionCount);
        m_vMotions[2].m_strName = kDefaultMotionNames[2];
        m_vMotions[3].m_strName = kDefaultMotionNames[3];
    }
    return true;
}

void cAnimeSet::Save(cDataFile& file) {
    cDataRecord::Save(file);
    SaveRecordList(file, m_vMotions);
}

void cAnimeSet::OnLoadRefused() { *this = cAnimeSet(); }

// --- effects --------------------------------------------------------------

cEffectFrame::cEffectFrame() {
    UseFields(kDataVersion);
    Reset();
    m_nTime = 1;
}

void cEffectFrame::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nCell);
    AddField(&m_nTime);
}

cEffect::cEffect() {
    UseFields(kDataVersion);
    Reset();
    m_nCellWidth = 32;
    m_nCellHeight = 32;
    m_vFrames.resize(1);
}

void cEffect::RegisterFields(int version) {
    ClearFieldLists();
    if (version >= 151) AddField(&m_nAttribute);
    AddField(&m_nCellWidth);
    AddField(&m_nCellHeight);
    AddField(&m_nFollowScale);
    AddString(&m_strName);
    AddString(&m_strFile);
}

bool cEffect::AfterLoad() {
    ClearOldAttribute(m_nAttribute);
    return true;
}

// --- swords ---------------------------------------------------------------

cSwordFrame::cSwordFrame() {
    UseFields(kDataVersion);
    Reset();
    m_nMirrorX = 1;
}

void cSwordFrame::RegisterFields(int version) {
    ClearFieldLists();
    AddField(&m_nOffsetX);
    AddField(&m_nOffsetY);
    if (version >= 138) {
        AddField(&m_nMirrorX);
        AddField(&m_nMirrorY);
    }
    AddField(&m_nPlacement);
    AddField(&m_nSrcX);
    AddField(&m_nSrcY);
    AddField(&m_nWidth);
    AddField(&m_nHeight);
    AddField(&m_nTime);
}

cSwordType::cSwordType() {
    UseFields(kDataVersion);
    Reset();
    m_vFrames.resize(1);
    m_vFrames[0].m_nTime = 1;
}

void cSwordType::RegisterFields(int version) {
    ClearFieldLists();
    if (version >= 151) AddField(&m_nAttribute);
    AddString(&m_strName);
    AddString(&m_strLeftFile);
    AddString(&m_strRightFile);
}

bool cSwordType::AfterLoad() {
    ClearOldAttribute(m_nAttribute);
    return true;
}

// --- entries that name a file ---------------------------------------------

bool cFileEntry::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    ClearOldAttribute(m_nAttribute);
    return true;
}

void cFileEntry::RegisterEntry(int version, int attributeFrom, std::initializer_list<Block> blocks) {
    ClearFieldLists();
    if (version >= attributeFrom) AddField(&m_nAttribute);
    for (const Block& b : blocks) {
        if (version >= b.from) AddField(b.member);
    }
    AddString(&m_strName);
    AddString(&m_strFile);
}

cBmpCharaExc::cBmpCharaExc() {
    UseFields(kDataVersion);
    Reset();
    m_nCellSize = 2;
}

void cBmpCharaExc::RegisterFields(int version) {
    RegisterEntry(version, 152, {{172, &m_nSizeFlag}, {172, &m_nCellSize}});
}

cPicture::cPicture() {
    UseFields(kDataVersion);
    Reset();
}

void cPicture::RegisterFields(int version) { RegisterEntry(version, 151, {}); }

cSound::cSound() {
    UseFields(kDataVersion);
    Reset();
}

void cSound::RegisterFields(int version) { RegisterEntry(version, 151, {}); }

cBgm::cBgm() {
    UseFields(kDataVersion);
    Reset();
    m_nVolume = 100;
}

void cBgm::RegisterFields(int version) { RegisterEntry(version, 151, {{814, &m_nVolume}}); }

// --- character and screen effects ----------------------------------------

namespace {

// Files before this version lacked the roughness parameters of the wave and
// circle kinds; they get the editor's defaults.
constexpr int kRoughnessFrom = 511;

// How a kind's parameters run: from a start (index 1) to an end (index 2),
// from a start point (1, 2) to an end point (3, 4), or neither.
enum class Ends { None, StartEnd, Points };

constexpr Ends kCharaEnds[cCharaEffect::kKindCount + 1] = {
    Ends::None,                                                                      // 0 none
    Ends::StartEnd, Ends::StartEnd, Ends::StartEnd, Ends::StartEnd, Ends::StartEnd,  // 1-5
    Ends::None,                                                                      // 6 blink
    Ends::StartEnd, Ends::StartEnd, Ends::StartEnd, Ends::StartEnd, Ends::StartEnd,  // 7-11
    Ends::StartEnd, Ends::StartEnd,                                                  // 12-13
    Ends::None,                                                                      // 14 blink
    Ends::StartEnd, Ends::StartEnd,                                                  // 15-16
};

constexpr Ends kScreenEnds[cScrEffect::kKindCount + 1] = {
    Ends::None,                                                                      // 0 none
    Ends::Points,                                                                    // 1 move
    Ends::None,     Ends::None,                                                      // 2-3 shakes
    Ends::StartEnd, Ends::StartEnd, Ends::StartEnd, Ends::StartEnd,                  // 4-7
    Ends::None,                                                                      // 8 blink
    Ends::StartEnd, Ends::StartEnd, Ends::StartEnd, Ends::StartEnd, Ends::StartEnd,  // 9-13
};

// A kind read from a file may be anything; outside the table it has no ends.
template <std::size_t N>
Ends EndsOf(const Ends (&table)[N], int kind) {
    if (kind < 0 || static_cast<std::size_t>(kind) >= N) return Ends::None;
    return table[kind];
}

void SwapByEnds(int (&p)[cEffectKindEntry::kParamCount], Ends ends) {
    if (ends == Ends::StartEnd) {
        std::swap(p[1], p[2]);
    } else if (ends == Ends::Points) {
        std::swap(p[1], p[3]);
        std::swap(p[2], p[4]);
    }
}

}  // namespace

cEffectKindEntry::cEffectKindEntry() {
    UseFields(kDataVersion);
    Reset();
    m_nKind = 1;
}

void cEffectKindEntry::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nKind);
    AddField(m_nParam, kParamCount);
    AddString(&m_strName);
}

template <std::size_t N>
void cEffectKindEntry::ApplyAddedParams(const AddedParam (&rows)[N], const EffectKindInfo* (*kindInfo)(int)) {
    if (FileVersion >= kRoughnessFrom) return;
    for (const AddedParam& row : rows) {
        if (row.kind == m_nKind) m_nParam[row.param] = kindInfo(row.kind)->params[row.param].initial;
    }
}

bool cCharaEffect::Load(cDataFile& file) {
    static constexpr AddedParam kRows[] = {{4, 4}, {5, 4}, {10, 3}};
    if (!cDataRecord::Load(file)) return false;
    ApplyAddedParams(kRows, CharaEffectKind);
    return true;
}

void cCharaEffect::SwapEnds() { SwapByEnds(m_nParam, EndsOf(kCharaEnds, m_nKind)); }

bool cScrEffect::Load(cDataFile& file) {
    static constexpr AddedParam kRows[] = {{6, 4}, {7, 4}, {10, 3}};
    if (!cDataRecord::Load(file)) return false;
    ApplyAddedParams(kRows, ScrEffectKind);
    return true;
}

void cScrEffect::SwapEnds() { SwapByEnds(m_nParam, EndsOf(kScreenEnds, m_nKind)); }
