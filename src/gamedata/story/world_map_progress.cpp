// What the world map's links mean for a given progress.
#include "foundation/strings.h"
#include "gamedata/story/story_save.h"
#include "gamedata/story/world_map.h"

namespace {

// A value of a progress list, or nothing when the index names no entry: the
// index comes from the map file.
bool ValueAt(const cVector<int>& list, int index, int& value) {
    if (index < 0 || index >= list.Count()) return false;
    value = list[index];
    return true;
}

}  // namespace

bool cStageLink::IsActive(const cStorySave& progress) const {
    int value = 0;
    if (m_nNeedFlag > 0 && (!ValueAt(progress.m_vMapPoint, m_nNeedFlag, value) || value == 0)) return false;
    if (m_nVariable != 0 && (!ValueAt(progress.m_vVar, m_nVariable, value) || !CompareByOp(value, m_nCompare, m_nOp))) {
        return false;
    }
    return progress.m_nClearedScore >= m_nMinScore;
}

bool cStageLink::IsCleared(const cStorySave& progress) const {
    int value = 0;
    return ValueAt(progress.m_vMapPoint, m_nClearFlag, value) && value != 0;
}

const cStageLink* cWorldPoint::ActiveLink(const cStorySave& progress) const {
    for (const auto& link : m_vLink) {
        if (link.IsActive(progress)) return &link;
    }
    return nullptr;
}
