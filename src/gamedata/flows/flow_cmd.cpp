#include "gamedata/flows/flow_cmd.h"

#include "gamedata/base/data_limits.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow.h"

namespace {

// How deep the command being loaded sits in carried flows, per thread.
thread_local int CarriedFlowDepth = 0;

template <class T>
std::shared_ptr<T> CopyPart(const std::shared_ptr<T>& src, std::shared_ptr<T> dst) {
    if (!src) return nullptr;
    if (!dst) return std::make_shared<T>(*src);
    *dst = *src;
    return dst;
}

template <class T>
bool LoadPart(cDataFile& file, std::shared_ptr<T>& part) {
    std::int32_t present = 0;
    if (!file.ReadInt(present)) return false;
    part.reset();
    if (present == 0) return true;
    part = std::make_shared<T>();
    return part->Load(file);
}

template <class T>
void SavePart(cDataFile& file, const std::shared_ptr<T>& part) {
    file.WriteInt(part ? 1 : 0);
    if (part) part->Save(file);
}

// The fallback of a repaired reference is index 1; a table that has no
// entry 1 gets 0 instead.
int FallbackIndex(int count) { return count >= 2 ? 1 : 0; }

bool InRange(int index, int count) { return index >= 0 && index < count; }

struct KindTable {
    int flowKind;
    DbTable table;
};

// Commands whose first parameter names a database entry; an invalid entry
// becomes the fallback index.
constexpr KindTable kFirstParamTables[] = {
    {FlowKind::RunAnime, DbTable::Anime},
    {FlowKind::RunEffect, DbTable::Effect},
    {FlowKind::RunCharaEffect, DbTable::CharaEffect},
    {FlowKind::RunScreenEffect, DbTable::ScrEffect},
    {FlowKind::ShowPicture, DbTable::Picture},
    {FlowKind::PlaySound, DbTable::Sound},
    {FlowKind::PlayBgm, DbTable::Bgm},
};

}  // namespace

cFlowCmd::cFlowCmd() {
    UseFields(DataVersion);
    ResetParts();
}

cFlowCmd::~cFlowCmd() = default;
cFlowCmd::cFlowCmd(cFlowCmd&& src) noexcept = default;

cFlowCmd::cFlowCmd(const cFlowCmd& src) : cDataRecord(src) { CopyContent(src); }

cFlowCmd& cFlowCmd::operator=(const cFlowCmd& src) {
    if (this != &src) {
        cDataRecord::operator=(src);
        CopyContent(src);
    }
    return *this;
}

void cFlowCmd::CopyContent(const cFlowCmd& src) {
    m_cTable = src.m_cTable;
    m_cKind = src.m_cKind;
    m_vParam = src.m_vParam;
    m_strText = src.m_strText;
    m_spMove = CopyPart(src.m_spMove, std::move(m_spMove));
    m_spShot = CopyPart(src.m_spShot, std::move(m_spShot));
    m_spCondList = CopyPart(src.m_spCondList, std::move(m_spCondList));
    m_sTime = src.m_sTime;
    m_sTimeStep = src.m_sTimeStep;
    m_bNoWait = src.m_bNoWait;
    m_sSound = src.m_sSound;
    m_bSoundInView = src.m_bSoundInView;
    m_sAnime = src.m_sAnime;
    m_vFlow = src.m_vFlow;
}

void cFlowCmd::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_cTable);
    AddField(&m_cKind);
    AddField(&m_sTime);
    AddField(&m_sTimeStep);
    AddField(&m_bNoWait);
    AddField(&m_sSound);
    AddField(&m_bSoundInView);
    AddField(&m_sAnime);
    AddString(&m_strText);
}

void cFlowCmd::ResetParts() {
    Reset();
    m_spMove.reset();
    m_spShot.reset();
    m_spCondList.reset();
    m_bSoundInView = 1;
}

void cFlowCmd::OnLoadRefused() {
    ResetParts();
    m_vParam.clear();
    m_vFlow.clear();
}

bool cFlowCmd::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    if (!LoadPart(file, m_spMove) || !LoadPart(file, m_spShot)) return false;
    if (FileVersion >= 764 && !LoadPart(file, m_spCondList)) return false;
    if (!LoadCarriedFlows(file) || !LoadParams(file)) return false;
    if (FileVersion < DataVersion) UpgradeFlowCmd(*this, FileVersion);
    if (ShouldPurgeTestFlows()) PurgeTestFlows(m_vFlow);
    Normalize();
    return true;
}

bool cFlowCmd::LoadCarriedFlows(cDataFile& file) {
    if (CarriedFlowDepth >= kMaxCarriedFlowDepth) {
        file.Fail("carried flows nested too deeply");
        return false;
    }
    struct DepthGuard {
        DepthGuard() { ++CarriedFlowDepth; }
        ~DepthGuard() { --CarriedFlowDepth; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;
    } guard;
    return ReadRecordList(file, m_vFlow, {kMinFlowBytes});
}

bool cFlowCmd::LoadParams(cDataFile& file) {
    // A count of 0 or less stores no parameters and keeps the list.
    return ReadValueList(file, m_vParam, StoredCount::NoneKeeps);
}

void cFlowCmd::Save(cDataFile& file) {
    Normalize();
    cDataRecord::Save(file);
    SavePart(file, m_spMove);
    SavePart(file, m_spShot);
    SavePart(file, m_spCondList);
    SaveRecordList(file, m_vFlow);
    file.WriteInt(m_vParam.Count());
    for (std::int32_t p : m_vParam) file.WriteInt(p);
}

int cFlowCmd::FlowKindNumber() const { return FlowNumbering(m_cTable, m_cKind); }

int cFlowCmd::ParamCount() const { return KindParamCount(m_cTable, m_cKind); }

void cFlowCmd::SizeParams(int n) { m_vParam.resize(static_cast<std::size_t>(n < 0 ? 0 : n), 0); }

void cFlowCmd::Normalize() {
    // A table or kind the tables do not know is the empty command: its
    // number is never used as a row.
    if (m_cTable != 0 && m_cTable != 1) m_cTable = 0;
    if (!IsKnownKind(m_cTable, m_cKind)) m_cKind = 0;
    const DataLimits& lim = GetDataLimits();
    if (!lim.IsValid(DbTable::Anime, m_sAnime)) m_sAnime = 0;
    if (!lim.IsValid(DbTable::Sound, m_sSound)) m_sSound = 0;
    SizeParams(ParamCount());
    NormalizeDatabaseRefs();
    for (auto& f : m_vFlow) f.Normalize();
}

void cFlowCmd::NormalizeDatabaseRefs() {
    const DataLimits& lim = GetDataLimits();
    const int kind = FlowKindNumber();
    for (const KindTable& k : kFirstParamTables) {
        if (k.flowKind == kind && !lim.IsValid(k.table, m_vParam[0])) {
            m_vParam[0] = FallbackIndex(lim.Count(k.table));
        }
    }
    switch (kind) {
        case FlowKind::ChangeGraphic:
            if (m_vParam[0] == 4 && !lim.IsValid(DbTable::BmpCharaExc, m_vParam[1])) {
                m_vParam[1] = FallbackIndex(lim.Count(DbTable::BmpCharaExc));
            }
            break;
        case FlowKind::ChangeAnimeSet:
            if (!lim.IsValid(DbTable::AnimeSet, m_vParam[0])) m_vParam[0] = 0;
            break;
        case FlowKind::Sword:
            if (!m_spShot) break;
            if (!lim.IsValid(DbTable::SwordType, m_spShot->m_cMoveKind)) m_spShot->m_cMoveKind = 0;
            // Without any sword type there are no frames to time.
            if (lim.IsValid(DbTable::SwordType, m_spShot->m_cMoveKind)) {
                m_sTime = static_cast<std::int16_t>(lim.SwordTime(m_spShot->m_cMoveKind));
            }
            break;
        default: break;
    }
}

void cFlowCmd::NormalizePaletteRefs() {
    const DataLimits& lim = GetDataLimits();
    const int kind = FlowKindNumber();
    if ((kind == FlowKind::Shot || kind == FlowKind::Sword) && m_spShot) {
        cEdShot& s = *m_spShot;
        if (s.m_cItemPalette == 1 || s.m_cItemPalette == 2) {
            if (!InRange(s.m_sItem, lim.PaletteCount(s.m_cItemPalette - 1, PaletteList::Item))) {
                s.m_cItemPalette = 0;
                s.m_sItem = 0;
            }
        }
    }
    if (kind >= FlowKind::SummonBlock && kind <= FlowKind::SummonItem && m_spShot) {
        static constexpr PaletteList kSummoned[] = {PaletteList::Block, PaletteList::Chara, PaletteList::Item};
        cEdShot& s = *m_spShot;
        int count = lim.PaletteCount(s.m_cSummonPalette, kSummoned[kind - FlowKind::SummonBlock]);
        if (count >= 0 && !InRange(s.m_sSummon, count)) s.m_sSummon = static_cast<std::int16_t>(FallbackIndex(count));
    }
    if (kind == FlowKind::GetItem && m_vParam.Count() >= 2) {
        int count = lim.PaletteCount(m_vParam[0], PaletteList::Item);
        if (count >= 0 && !InRange(m_vParam[1], count)) m_vParam[1] = FallbackIndex(count);
    }
    for (auto& f : m_vFlow) f.NormalizePaletteRefs();
}

int AnimeSelectorMap(int selector, int flag, int facingRight, int replayVersion) {
    static constexpr int kSlots[] = {-1, 2, 3, 6, 7, 8, 9, 10, 11, 0};
    const int facingSlot = facingRight ? 3 : 2;
    if (selector <= 0 || selector > 9) return facingSlot;
    bool strict = flag == 0;
    if (replayVersion != kNoReplay && replayVersion <= 777) strict = false;
    if (replayVersion == 778 || replayVersion == 779) strict = true;
    if (selector == 9 && strict) return facingSlot;
    return kSlots[selector];
}

void InitRequest(PauseRequest& request, int kind, int value, int argument, int flag) {
    request[0] = kind;
    request[1] = kind == 1 && value != 0 && flag == 0 ? 10 : 0;
    request[2] = value;
    request[3] = argument;
    request[4] = 0;
}
