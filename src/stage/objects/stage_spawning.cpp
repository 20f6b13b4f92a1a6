#include "stage/objects/stage_spawning.h"

#include <algorithm>
#include <cstring>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "stage/objects/stage_state.h"

namespace {

PlaceBlockedTest g_placeBlocked = nullptr;

// Moves the box and the saved position by the clone offset of copy `clone`.
void ShiftByCloneOffset(cChara& chara, const cCharaDef& def, int clone) {
    const double dx = def.GetSummonOffsetX(clone, def.m_cDirection);
    const double dy = def.GetSummonOffsetY(clone, def.m_cDirection);
    ShiftBox(chara, dx, dy);
    if (SwitchOn(Switch::SummonPrevPos)) return;
    chara.m_dSavedX += dx;
    chara.m_dSavedRight += dx;
    chara.m_dSavedY += dy;
    chara.m_dSavedBottom += dy;
}

void Settle(cChara& chara) {
    chara.AfterMoveX();
    chara.AfterMoveY();
    chara.UpdateScreenRect();
}

void Nudge(cChara& chara, double dx, double dy) {
    ShiftBox(chara, dx, dy);
    Settle(chara);
}

// Up, then left instead, then up-left: 1 when one of them is free.
bool NudgeFree(cChara& chara) {
    if (!IsPlaceBlocked(chara)) return true;
    Nudge(chara, 0, -1);
    if (!IsPlaceBlocked(chara)) return true;
    Nudge(chara, -1, 1);
    if (!IsPlaceBlocked(chara)) return true;
    Nudge(chara, 0, -1);
    return !IsPlaceBlocked(chara);
}

int Copies(const cCharaDef& def) { return std::max<int>(def.m_cCloneCount, 0) + 1; }

}  // namespace

void ShiftBox(cObject& object, double dx, double dy) {
    object.m_dX += dx;
    object.m_dRight += dx;
    object.m_dY += dy;
    object.m_dBottom += dy;
}

std::array<int, 4> PackPlacement(double x, double y) {
    std::array<int, 4> place{};
    std::memcpy(place.data(), &x, sizeof x);
    std::memcpy(place.data() + 2, &y, sizeof y);
    return place;
}

void UnpackPlacement(const std::array<int, 4>& place, double& x, double& y) {
    std::memcpy(&x, place.data(), sizeof x);
    std::memcpy(&y, place.data() + 2, sizeof y);
}

cVector<int> ShotPassTable(int subSteps, int passes) {
    const int n = std::max(subSteps, 0);
    // No pass count, or one that reaches every sub-step anyway: every one
    // tests (a negative or huge count from a stage file must not loop).
    if (passes <= 0 || passes >= n) return cVector<int>(static_cast<std::size_t>(n), 1);
    cVector<int> table(static_cast<std::size_t>(n), 0);
    const double step = static_cast<double>(n) / passes;
    double p = 0.0;
    int settings = 0;
    do {
        table[static_cast<int>(p)] = 1;
        ++settings;
        p += step;
    } while (static_cast<int>(p) < n);
    if (settings < passes) table[n - 1] = 1;
    return table;
}

void SpawnPlacedChara(cList<cStageChara>& list, int column, int row, int& id, const cCharaDef& def, const cItem* item) {
    cCharaDef copy = def;
    const double px = (column + kGridMarginBlocks) * kBlockPixels + kBlockPixels / 2;
    const double py = (row + kGridMarginBlocks) * kBlockPixels + kBlockPixels / 2;
    for (int j = 0; j < Copies(copy); ++j) {
        cStageChara& chara = list.emplace_back();
        chara.InitFromDef(id, copy, item, PackPlacement(px, py), j);
        chara.PlaceAtCell(column, row);
        ShiftByCloneOffset(chara, copy, j);
        if (!chara.IsInStage(1)) {
            list.pop_back();
            continue;
        }
        Settle(chara);
        ++id;
    }
}

void SpawnPlacedItem(cList<cItem>& list, int column, int row, int& id, const cItemDef& def) {
    cItem& item = list.emplace_back();
    item.CopyFromEntry(id, def, 0);
    item.PlaceAtCell(column, row, 1);
    ShiftBox(item, def.m_sOffsetX, def.m_sOffsetY);
    if (!item.IsInStage(1)) {
        list.pop_back();
        return;
    }
    item.ClampX(BoundMode::Grid);
    item.ClampY(BoundMode::Grid);
    item.UpdateScreenRect();
    ++id;
}

bool IsPlaceBlocked(cChara& chara) { return g_placeBlocked && g_placeBlocked(chara); }

void SetPlaceBlockedTest(PlaceBlockedTest test) { g_placeBlocked = test; }

void SpawnChara(cStageState& stage, cList<cStageChara>& list, double x, double y, const SummonRequest& request,
                const cCharaDef& def, int& id, cChara* parent) {
    cCharaDef copy = def;
    copy.m_cDirection = static_cast<std::int8_t>(request.nDirection);
    copy.m_cSide = static_cast<std::int8_t>(request.nForce);
    for (int j = 0; j < Copies(copy); ++j) {
        cStageChara& chara = list.emplace_back();
        chara.InitFromDef(id, copy, nullptr, PackPlacement(x + 16, y + 16), j);
        // The point is the top-left corner of the character's graphic cell.
        chara.m_dX = x + chara.m_rcGraphic.x;
        chara.m_dY = y + chara.m_rcGraphic.y;
        chara.m_dRight = chara.m_dX + chara.m_nWidth - 1;
        chara.m_dBottom = chara.m_dY + chara.m_nHeight - 1;
        ShiftByCloneOffset(chara, copy, j);
        if (!chara.IsInStage(1)) {
            list.pop_back();
            continue;
        }
        Settle(chara);
        if (!NudgeFree(chara)) {
            list.pop_back();
            continue;
        }
        chara.LinkToHero(parent);
        if (request.nLifeTime > 0) chara.m_nLifeTime = request.nLifeTime * LoadedStage.m_nSubStepsX6;
        chara.m_bParentAttack = request.bAttack;
        chara.m_cAttackFilter = static_cast<std::int8_t>(request.nAttackFilter);
        stage.AddToGroup(chara);
        ++id;
    }
}

cList<cStageChara>::iterator EraseStageChara(cStageState& stage, cList<cStageChara>& list,
                                             cList<cStageChara>::iterator node) {
    node->ReleaseLinks();
    stage.RemoveFromGroup(*node);
    return list.erase(node);
}

void SpawnItem(cList<cItem>& list, double x, double y, int lifeTime, const cItemDef& def, int& id) {
    cItem& item = list.emplace_back();
    item.CopyFromEntry(id, def, 0);
    item.m_dX = x + item.m_rcGraphic.x + def.m_sOffsetX;
    item.m_dY = y + item.m_rcGraphic.y + def.m_sOffsetY;
    item.m_dRight = item.m_dX + item.m_nWidth - 1;
    item.m_dBottom = item.m_dY + item.m_nHeight - 1;
    if (!item.IsInStage(1)) {
        list.pop_back();
        return;
    }
    item.ClampX(BoundMode::Grid);
    item.ClampY(BoundMode::Grid);
    if (lifeTime > 0) item.m_nLifeTime = lifeTime * LoadedStage.m_nSubStepsX6;
    item.UpdateScreenRect();
    ++id;
}
