// The upgrade steps of commands stored by older versions. Each row applies
// to files older than its version and to the command kind it tests, in the
// numbering stored at that time: up to the renumbering at 734, flow kinds
// above 23 (item kinds above 8) were one lower than today. Rows for flow
// kinds of 17 or more apply to item commands too, with the kind lowered by
// 15.
#include <algorithm>
#include <initializer_list>

#include "foundation/saturating.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"

namespace {

using Params = cVector<std::int32_t>;

struct UpgradeRow {
    int below;
    int storedKind;   // flow numbering as stored then; kAnyKind for every command
    int presentKind;  // flow numbering today, which gives the parameter count
    void (*apply)(cFlowCmd& cmd);
};

constexpr int kAnyKind = -1;

// Moves a stored number up; one already at the top of the range stays there.
void Raise(std::int32_t& v, int by = 1) { v = SaturatedAdd(v, by); }

// Shifts entries i to n - 2 one place up (the last entry is lost) and sets
// entry i, after sizing the list to n.
void Insert(cFlowCmd& c, int n, int i, int v) {
    c.SizeParams(n);
    Params& p = c.m_vParam;
    for (int k = n - 1; k > i; --k) p[k] = p[k - 1];
    p[i] = v;
}

void Set(cFlowCmd& c, std::initializer_list<int> indexes, int v) {
    for (int i : indexes) c.m_vParam[i] = v;
}

// Status indexes of a status operation above `above` move up by `by`,
// on the left side (a status) and on the right side (a status), unless the
// owner is the system (whose number was `systemOwner` then).
void ShiftStatusOperation(cFlowCmd& c, int systemOwner, int above, int by) {
    Params& p = c.m_vParam;
    if (p[0] == 0 && p[3] != systemOwner && p[4] > above) Raise(p[4], by);
    if (p[6] == 2 && p[12] != systemOwner && p[13] > above) Raise(p[13], by);
}

void RenumberKinds(cFlowCmd& c) {
    // 消滅 was inserted as flow kind 24 (item kind 9).
    const int firstMoved = IsItemTable(c.m_cTable) ? 9 : 24;
    if (c.m_cKind >= firstMoved) c.m_cKind = static_cast<std::int8_t>(c.m_cKind + 1);
    if (c.FlowKindNumber() == FlowKind::Arrange) {
        c.SizeParams(c.ParamCount());
        if (c.m_vParam[0] > 23) Raise(c.m_vParam[0]);
    }
}

const UpgradeRow kUpgradeRows[] = {
    {145, 17, 17, [](cFlowCmd&) {}},
    {166, 35, 36, [](cFlowCmd& c) { Set(c, {1}, 1); }},
    {168, 22, 22, [](cFlowCmd& c) { ShiftStatusOperation(c, 2, 9, 1); }},
    {189, 21, 21, [](cFlowCmd& c) { Insert(c, 16, 2, 0); }},
    {194, 31, 32, [](cFlowCmd& c) { Insert(c, 16, 6, 1); }},
    {195, 29, 30, [](cFlowCmd& c) { Insert(c, 3, 1, 0); }},
    {195, 30, 31, [](cFlowCmd& c) { Insert(c, 3, 1, 0); }},
    {203, 14, 14, [](cFlowCmd& c) { c.m_vParam.clear(); }},
    {203, 15, 15, [](cFlowCmd& c) { c.m_vParam.clear(); }},
    {203, 16, 16, [](cFlowCmd&) {}},
    {203, 22, 22, [](cFlowCmd& c) { ShiftStatusOperation(c, 2, 4, 1); }},
    {210, 23, 23,
     [](cFlowCmd& c) {
         if (c.m_vParam[0] != 2 && c.m_vParam[1] > 5) Raise(c.m_vParam[1]);
     }},
    {219, 25, 26,
     [](cFlowCmd& c) {
         if (c.m_vParam[0] == 3) c.m_vParam[1] = std::min(SaturatedAdd(c.m_vParam[1], 1), 119);
     }},
    {220, 11, 11,
     [](cFlowCmd& c) {
         if (c.m_spShot) c.m_spShot->m_sGraphic = static_cast<std::int16_t>(std::min(c.m_spShot->m_sGraphic + 1, 119));
     }},
    {514, 5, 5,
     [](cFlowCmd& c) {
         if (!c.m_spMove) return;
         c.m_spMove->m_sAngle = 0;
         c.m_spMove->m_sAngleStep = 0;
         c.m_spMove->m_bMirrorAngle = 1;
     }},
    {545, 19, 19, [](cFlowCmd& c) { Set(c, {10}, 1); }},
    {545, 31, 32, [](cFlowCmd& c) { Set(c, {11}, 0); }},
    {546, 19, 19, [](cFlowCmd& c) { c.m_vParam[10] = c.m_vParam[0] == 0 || c.m_vParam[0] == 7 ? 1 : 0; }},
    {547, 19, 19,
     [](cFlowCmd& c) {
         Set(c, {11, 12, 13, 15}, 0);
         Set(c, {14}, 1);
     }},
    {547, 31, 32,
     [](cFlowCmd& c) {
         Set(c, {12, 13}, 0);
     }},
    {556, 19, 19, [](cFlowCmd& c) { Set(c, {16}, 1); }},
    {722, 17, 17,
     [](cFlowCmd& c) {
         // パスで指定 was inserted as 2.
         if (c.m_vParam[0] > 1) Raise(c.m_vParam[0]);
     }},
    {723, 19, 19, [](cFlowCmd& c) { Set(c, {17}, 0); }},
    {723, 31, 32, [](cFlowCmd& c) { Set(c, {14}, 0); }},
    {726, 37, 38, [](cFlowCmd& c) { Set(c, {0}, 11); }},
    {727, 37, 38,
     [](cFlowCmd& c) {
         if (c.m_vParam[0] != 11) return;
         for (int at : {1, 2, 3, 13, 14, 15, 16}) {
             if (c.m_vParam[1] > at) Raise(c.m_vParam[1]);
         }
     }},
    {734, kAnyKind, kAnyKind, RenumberKinds},
    {747, 21, 21,
     [](cFlowCmd& c) {
         Set(c, {10, 14}, 0);
         Set(c, {11}, 1);
     }},
    {760, 16, 16, [](cFlowCmd& c) { Set(c, {3}, 0); }},
    {764, 16, 16, [](cFlowCmd& c) { c.m_spCondList = std::make_shared<cCondList>(); }},
    {767, 9, 9,
     [](cFlowCmd& c) {
         // Targets 2 to 4 were inserted before the block-contact facings.
         if (c.m_vParam[0] > 3) Raise(c.m_vParam[0], 6);
     }},
    {767, 20, 20,
     [](cFlowCmd& c) {
         if (c.m_spMove && c.m_spMove->m_cMode >= 2)
             c.m_spMove->m_cMode = static_cast<std::int8_t>(c.m_spMove->m_cMode + 3);
     }},
    {767, 21, 21, [](cFlowCmd& c) { Insert(c, 16, 0, 0); }},
    {767, 22, 22,
     [](cFlowCmd& c) {
         Params& p = c.m_vParam;
         if (p[0] == 0 && p[3] > 1) Raise(p[3], 3);
         if (p[6] == 2 && p[12] > 1) Raise(p[12], 3);
     }},
    {767, 23, 23,
     [](cFlowCmd& c) {
         if (c.m_vParam[0] > 1) Raise(c.m_vParam[0], 3);
     }},
    {820, 23, 23, [](cFlowCmd&) {}},
    {879, 28, 28, [](cFlowCmd& c) { Set(c, {1}, 0); }},
    {882, 20, 20,
     [](cFlowCmd& c) {
         if (!c.m_spMove) return;
         c.m_spMove->m_bUseX = 1;
         c.m_spMove->m_bUseY = 1;
     }},
    {882, 22, 22,
     [](cFlowCmd& c) {
         Set(c, {18, 19}, 0);
         ShiftStatusOperation(c, 5, 5, 2);
     }},
    {891, 19, 19,
     [](cFlowCmd& c) {
         if (c.m_vParam[0] == 8) c.m_vParam[0] = 9;
     }},
    {891, 29, 29,
     [](cFlowCmd& c) {
         if (c.m_vParam[1] == 4) c.m_vParam[1] = 5;
     }},
    {891, 32, 32,
     [](cFlowCmd& c) {
         if (c.m_vParam[1] == 4) c.m_vParam[1] = 5;
     }},
    {892, 20, 20,
     [](cFlowCmd& c) {
         if (c.m_spMove) c.m_spMove->m_cPoint = 2;
     }},
    {892, 22, 22,
     [](cFlowCmd& c) {
         Set(c, {20}, 2);
         Set(c, {21}, 0);
     }},
    {898, 38, 38,
     [](cFlowCmd& c) {
         if (c.m_vParam[0] == 32 && c.m_vParam[1] >= 0) Raise(c.m_vParam[1]);
     }},
    {899, 38, 38,
     [](cFlowCmd& c) {
         Params& p = c.m_vParam;
         switch (p[0]) {
             case 11:
                 if (p[1] > 13) Raise(p[1]);
                 break;
             case 13:
             case 14:
             case 15:
             case 29:
                 if (p[1] >= 0) Raise(p[1]);
                 break;
             case 22:
                 if (p[1] >= 0) Raise(p[1]);
                 if (p[1] >= 1) Raise(p[1]);
                 break;
             default: break;
         }
     }},
    {915, 17, 17, [](cFlowCmd&) {}},
};

// The kind a row tests, in the command's own table; -1 when the row has no
// kind in that table.
int RowKindInTable(const UpgradeRow& row, int table) {
    if (!IsItemTable(table)) return row.storedKind;
    return row.storedKind >= FlowKind::StageClear ? row.storedKind - kItemToFlowKind : -1;
}

}  // namespace

void UpgradeFlowCmd(cFlowCmd& cmd, int version) {
    for (const UpgradeRow& row : kUpgradeRows) {
        if (version >= row.below) continue;
        if (row.storedKind == kAnyKind) {
            row.apply(cmd);
            continue;
        }
        if (cmd.m_cKind != RowKindInTable(row, cmd.m_cTable)) continue;
        // Every step works on a list of the kind's full length, so a short
        // list in an old file is never read past its end.
        cmd.SizeParams(KindParamCount(0, row.presentKind));
        row.apply(cmd);
    }
}
