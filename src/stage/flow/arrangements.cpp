#include "stage/flow/arrangements.h"

#include <array>
#include <cstdint>
#include <functional>

#include "foundation/report.h"
#include "gamedata/database/database.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/flows/arrangeable_params.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/flows/vocabulary.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/core/flow_inst.h"
#include "stage/flow/status_operator.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

// The variable an operand names, or null when the index lies outside its
// table (index 0 of the common and stage tables is never an operand).
const int* OperandVariable(const cChara& chara, int source, int index) {
    auto in = [index](const cVector<int>& vars, int first) {
        return index >= first && index < vars.Count() ? &vars[index] : nullptr;
    };
    switch (source) {
        case 0: return in(StoryData.m_vVar, 1);
        case 1: return in(StageState().m_vecStageVar, 1);
        case 2: return in(chara.m_vecVar, 0);
        default: return nullptr;
    }
}

bool Below(int value, int size) { return static_cast<unsigned>(value) < static_cast<unsigned>(size); }

// The range of the descriptor; formation and shot movement parameters take
// the range of the command's own formation and movement type.
void RangeOf(const cFlowCmd& cmd, const CommandParamDesc& desc, int& lowest, int& highest) {
    lowest = desc.lowest;
    highest = desc.highest;
    const ParamLabel* label = nullptr;
    if (const auto* f = std::get_if<FormParamField>(&desc.field); f && cmd.m_spShot) {
        label = FormationParam(cmd.m_spShot->m_cFormation, f->index);
    } else if (const auto* m = std::get_if<ShotMoveParamField>(&desc.field); m && cmd.m_spShot) {
        label = ShotMoveParam(cmd.m_spShot->m_cMoveKind, m->index);
    }
    if (!label) return;
    lowest = label->lowest;
    highest = label->highest;
}

int PaletteItems(int palette) {
    if (palette == 0) return CommonPalette.m_vPaletteItems.Count();
    if (palette == 1) return LoadedStage.m_vPaletteItems.Count();
    return -1;
}

// Whether the status operation's variable on one side lies in the table its
// own parameters select; sides that select no variable table pass.
bool StatusVariableFits(const cFlowCmd& cmd, int descriptor, int value) {
    auto p = [&](int j) { return j < cmd.m_vParam.Count() ? cmd.m_vParam[j] : 0; };
    int scope = -1;
    bool chara = false;
    if (descriptor == 0) {
        if (p(0) == 1) scope = p(1);
        chara = p(0) == 0 && p(3) >= 0 && p(3) <= 4 && p(4) == 0;
    } else {
        if (p(6) == 3) scope = p(10);
        chara = p(6) == 2 && p(12) != 5 && p(13) == 0;
    }
    if (chara) return Below(value, kCharaVarCount);
    if (scope == 0) return Below(value, StoryData.m_vVar.Count());
    if (scope == 1) return Below(value, StageState().m_vecStageVar.Count());
    return true;
}

// Whether `value` names an entry of the table that descriptor `d` of kind
// `kind` refers to; descriptors that refer to no table always pass.
bool FitsItsTable(const cFlowCmd& cmd, int kind, int d, int value) {
    const cEdShot* shot = cmd.m_spShot.get();
    if (std::holds_alternative<SoundField>(CommandParamTable[kind][d].field) ||
        (kind == FlowKind::PlaySound && d == 0)) {
        return Below(value, Database.Sound.Count());
    }
    const bool shotItem = (kind == FlowKind::Shot && d == 31) || (kind == FlowKind::Sword && d == 5);
    if (shotItem) {
        const int source = shot ? shot->m_cItemPalette : 0;
        if (source == 0) return false;
        const int size = PaletteItems(source - 1);
        return size < 0 || Below(value, size);
    }
    if ((kind == FlowKind::Shot && d == 30) || (kind == FlowKind::Sword && d == 4) ||
        (kind == FlowKind::RunEffect && d == 0)) {
        return Below(value, Database.Effect.Count());
    }
    if (d == 0) {
        switch (kind) {
            case FlowKind::RunCharaEffect: return Below(value, Database.CharaEffect.Count());
            case FlowKind::RunScreenEffect: return Below(value, Database.ScrEffect.Count());
            case FlowKind::ShowPicture: return Below(value, Database.Picture.Count());
            case FlowKind::PlayBgm: return Below(value, Database.Bgm.Count());
            case FlowKind::GetItem: {
                const int size = PaletteItems(cmd.m_vParam.empty() ? 0 : cmd.m_vParam[0]);
                return size < 0 || Below(value, size);
            }
            case FlowKind::ChangeGraphic:
                if (!cmd.m_vParam.empty() && cmd.m_vParam[0] == 4) return Below(value, Database.BmpCharaExc.Count());
                return value <= 119;
            default: break;
        }
    }
    if (kind == FlowKind::StatusOperation && (d == 0 || d == 4)) return StatusVariableFits(cmd, d, value);
    const bool summon = kind == FlowKind::SummonBlock || kind == FlowKind::SummonChara || kind == FlowKind::SummonItem;
    if (summon && d == 0 && shot) {
        const int palette = shot->m_cSummonPalette;
        if (palette != 0 && palette != 1) return true;
        const bool common = palette == 0;
        const int size = kind == FlowKind::SummonBlock
                             ? (common ? CommonPalette.m_vPaletteBlocks : LoadedStage.m_vPaletteBlocks).Count()
                         : kind == FlowKind::SummonChara
                             ? (common ? CommonPalette.m_vPaletteCharas : LoadedStage.m_vPaletteCharas).Count()
                             : (common ? CommonPalette.m_vPaletteItems : LoadedStage.m_vPaletteItems).Count();
        return Below(value, size);
    }
    return true;
}

// Kinds 3, 4 and 7 take arrangements but have nothing to change; a project
// that arranges them learns it once, not at every start of the command.
void ReportEmptyKind(int kind) {
    static std::array<bool, kFlowCommandKindCount> reported{};
    if (reported[static_cast<std::size_t>(kind)]) return;
    reported[static_cast<std::size_t>(kind)] = true;
    LogPrintf("arrangement of command kind %d: the kind has no parameter to change", kind);
}

}  // namespace

void ApplyArrangements(cFlowCmd& cmd, const cVector<int>& record, cChara& chara) {
    if (record.Count() < ArrangeRecord::Size) return;
    const int kind = cmd.FlowKindNumber();
    if (kind < 0 || record[ArrangeRecord::Kind] != kind) return;
    if (kind == FlowKind::GroundTurnMove || kind == FlowKind::CircleMove || kind == FlowKind::AvoidMove) {
        ReportEmptyKind(kind);
        return;
    }
    if (CommandParamTable.Count() != kFlowCommandKindCount || CommandParamTable[kind].empty()) return;
    const int d = record[ArrangeRecord::Param];
    const CommandParamDesc& desc = CommandParamTable[kind][d];
    int value = ReadCommandParam(cmd, desc);
    const int* operand = OperandVariable(chara, record[ArrangeRecord::Source], record[ArrangeRecord::Variable]);
    if (!operand) return;
    int lowest = 0, highest = 0;
    RangeOf(cmd, desc, lowest, highest);
    ApplyOperator(value, *operand, record[ArrangeRecord::Operator], lowest, highest);
    if (!FitsItsTable(cmd, kind, d, value)) return;
    WriteCommandParam(cmd, desc, value);
}

void ApplyArrangeOps(cFlowCmd& cmd, cChara& chara, const cFlowInst* flow) {
    if (flow) ApplyArrangeOpsChara(cmd, chara, flow->m_listArrange);
}

void ApplyArrangeOpsChara(cFlowCmd& cmd, cChara& hero, const ArrangeList& pending) {
    for (const cVector<int>& record : pending) ApplyArrangements(cmd, record, hero);
}
