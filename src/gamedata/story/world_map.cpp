#include "gamedata/story/world_map.h"

#include <algorithm>
#include <cstring>

#include "foundation/report.h"

namespace {

// Smallest power of two not below the width, as a shift.
int PitchShiftFor(int width) {
    int shift = 0;
    for (int w = width - 1; w > 0; w /= 2) ++shift;
    return shift;
}

// The stage text a link leads to: the file name without its extension, with
// the part-1 tag "-1" (the last one) turned into the closing dot.
std::string LinkStageText(const std::string& stage) {
    std::string text = stage;
    auto dot = text.rfind('.');
    if (dot != std::string::npos) text.resize(dot);
    auto tag = text.rfind("-1");
    if (tag != std::string::npos) text.resize(tag);
    return text + '.';
}

}  // namespace

// ---- cStageLink ------------------------------------------------------------

cStageLink::cStageLink() { UseFields(DataVersion); }

void cStageLink::RegisterFields(int version) {
    ClearFieldLists();
    for (int* m : {&m_nKind, &m_nPointIcon, &m_nClearFlag, &m_bAlwaysOpen, &m_bReenter, &m_nAfterClear, &m_nNeedFlag,
                   &m_nVariable, &m_nCompare, &m_nOp}) {
        AddField(m);
    }
    if (version >= 209) AddField(&m_nMinScore);
    if (version >= 758) {
        AddField(&m_nLinkA);
        AddField(&m_nLinkB);
        AddField(&m_nLinkC);
    }
    AddString(&m_strTitle);
    AddString(&m_strStage);
}

bool cStageLink::Load(cDataFile& file) {
    bool ok = cDataRecord::Load(file);
    if (FileVersion <= 208) m_nMinScore = 0;
    return ok;
}

// ---- cWorldPoint -----------------------------------------------------------

cWorldPoint::cWorldPoint() { UseFields(DataVersion); }

void cWorldPoint::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nX);
    AddField(&m_nY);
    AddString(&m_strName);
}

bool cWorldPoint::Load(cDataFile& file) {
    bool ok = cDataRecord::Load(file);
    return ReadRecordList(file, m_vLink) && ok;
}

void cWorldPoint::Save(cDataFile& file) {
    cDataRecord::Save(file);
    SaveRecordList(file, m_vLink);
}

void cWorldPoint::OnLoadRefused() {
    Reset();
    m_vLink.clear();
}

// ---- cWorldChip ------------------------------------------------------------

cWorldChip::cWorldChip() { UseFields(DataVersion); }

void cWorldChip::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nKind);
    AddField(&m_bBlocked);
    AddField(&m_nPicture);
    AddString(&m_strName);
    AddString(&m_strNote);
}

// ---- cWorldMapData ---------------------------------------------------------

cWorldMapData::cWorldMapData() {
    UseFields(DataVersion);
    SetDefaults();
}

void cWorldMapData::RegisterFields(int) {
    ClearFieldLists();
    for (int* m :
         {&m_nWidth, &m_nHeight, &m_nPitch, &m_nPitchShift, &m_nStartX, &m_nStartY, &m_nBackColor, &m_bBackPicture}) {
        AddField(m);
    }
    AddString(&m_strName);
    AddString(&m_strNote);
}

void cWorldMapData::SetDefaults() {
    Reset();
    m_strName = "ワールド";
    m_nStartX = 9;
    m_nStartY = 7;
    m_nBackColor = 16;
    m_bBackPicture = 0;
    SetSize(20, 15);
    m_vPoint.clear();
    cWorldPoint point;
    point.Reset();
    point.m_vLink.assign(1, cStageLink());
    point.m_strName = "デフォルト";
    m_vPoint2.assign(1, point);
}

int cWorldMapData::SetSize(int width, int height) {
    // A negative size would turn into a huge cell list; it is refused like 0.
    if (width <= 0 || height <= 0) {
        DebugErrorBoxF("SetSize()で 0 を指定しました！");
        return 0;
    }
    const bool keep = !m_vCell.empty();
    const int oldWidth = m_nWidth, oldHeight = m_nHeight, oldShift = m_nPitchShift;
    cVector<int> old;
    if (keep) {
        DebugErrorBoxF("nBeforeWidth = %d,nBeforePitch = %d,nBeforePitch_Shift = %d", m_nWidth, m_nPitch,
                       m_nPitchShift);
        old.swap(m_vCell);
    }
    m_nWidth = width;
    m_nHeight = height;
    m_nPitchShift = PitchShiftFor(width);
    m_nPitch = 1 << m_nPitchShift;
    m_vCell.assign(static_cast<std::size_t>(height) << m_nPitchShift, 0);
    if (keep) {
        const int rows = std::min(oldHeight, height), cols = std::min(oldWidth, width);
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < cols; ++x) {
                // The old list may be shorter than its own size claimed.
                const int from = x + (y << oldShift);
                if (from < old.Count()) m_vCell[x + (y << m_nPitchShift)] = old[from];
            }
        }
    }
    return 1;
}

void cWorldMapData::Validate() {
    if (m_nStartX >= m_nWidth) m_nStartX = m_nWidth - 1;
    if (m_nStartY >= m_nHeight) m_nStartY = m_nHeight - 1;
    // A negative start cell would index before the grid.
    m_nStartX = std::max(m_nStartX, 0);
    m_nStartY = std::max(m_nStartY, 0);
    const auto chips = static_cast<unsigned>(m_vChip.size());
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            const int i = x + (y << m_nPitchShift);
            if (i < m_vCell.Count() && static_cast<unsigned>(m_vCell[i]) >= chips) m_vCell[i] = 0;
        }
    }
    std::erase_if(m_vPoint, [this](const cWorldPoint& p) { return p.m_nX >= m_nWidth || p.m_nY >= m_nHeight; });
}

int cWorldMapData::CellAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return 0;
    const int i = x + (y << m_nPitchShift);
    return i < m_vCell.Count() ? m_vCell[i] : 0;
}

bool cWorldMapData::ReconcileGrid(cDataFile& file) {
    if (m_nWidth <= 0 || m_nHeight <= 0 || m_nWidth > kMaxWorldMapSide || m_nHeight > kMaxWorldMapSide) {
        file.Fail("world map size " + std::to_string(m_nWidth) + " x " + std::to_string(m_nHeight));
        return false;
    }
    // The stride always follows the width, and the list always holds the
    // whole grid, so no cell index can pass its end.
    m_nPitchShift = PitchShiftFor(m_nWidth);
    m_nPitch = 1 << m_nPitchShift;
    const std::size_t cells = static_cast<std::size_t>(m_nHeight) << m_nPitchShift;
    if (cells > static_cast<std::size_t>(kMaxWorldMapCells)) {
        file.Fail("world map cells " + std::to_string(cells));
        return false;
    }
    m_vCell.resize(cells, 0);
    return true;
}

void cWorldMapData::UpgradeChips() {
    m_vChip.resize(10);
    for (int i = 0; i < 10; ++i) {
        cWorldChip& chip = m_vChip[i];
        chip.m_nPicture = i;
        chip.m_bBlocked = i < 5 ? 1 : 0;
        chip.m_strName = i < 5 ? "移動不可" : "移動可";
        chip.m_strNote.clear();
    }
}

bool cWorldMapData::Load(cDataFile& file) {
    bool ok = cDataRecord::Load(file);
    ok = ok && ReadRecordList(file, m_vChip);
    ok = ok && ReadValueList(file, m_vCell, StoredCount::ZeroKeeps);
    const ListShape points{12};
    ok = ok && ReadRecordList(file, m_vPoint, points) && ReadRecordList(file, m_vPoint2, points);
    if (!ok) return false;
    if (FileVersion < 812) UpgradeChips();
    if (!ReconcileGrid(file)) return false;
    Validate();
    return true;
}

void cWorldMapData::Save(cDataFile& file) {
    Validate();
    cDataRecord::Save(file);
    SaveRecordList(file, m_vChip);
    SaveValueList(file, m_vCell);
    SaveRecordList(file, m_vPoint);
    SaveRecordList(file, m_vPoint2);
}

void cWorldMapData::OnLoadRefused() {
    m_vChip.clear();
    m_vCell.clear();
    SetDefaults();
}

cWorldPoint* cWorldMapData::PointAt(int x, int y) {
    for (auto& p : m_vPoint) {
        if (p.m_nX == x && p.m_nY == y) return &p;
    }
    return nullptr;
}

int cWorldMapData::LinksStage(const std::string& stage, int withValues, int b, int c) const {
    for (const auto& point : m_vPoint) {
        for (const auto& link : point.m_vLink) {
            if (link.m_nKind != 0 || LinkStageText(link.m_strStage) != stage) continue;
            const bool values =
                withValues ? (link.m_nLinkA != 0 && link.m_nLinkB == b && link.m_nLinkC == c) : link.m_nLinkA == 0;
            if (values) return 1;
        }
    }
    return 0;
}
