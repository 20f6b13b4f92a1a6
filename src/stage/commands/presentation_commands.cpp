#include "stage/commands/presentation_commands.h"

#include <cstdint>

#include "foundation/strings.h"
#include "gamedata/database/database.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/sound_requests.h"
#include "stage/commands/int_param.h"
#include "stage/commands/stage_commands.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

namespace EffectPlace {
enum : int { ScreenCentre = 0, OnChara, OnHero, ScreenTopLeft, ScreenCentreAt, StageTopLeft, StageCentreAt };
}
namespace PosUnit {
enum : int { Blocks = 0, Pixels = 1 };
}

constexpr int kFramesPerTenth = 6;
constexpr int kEffectWaitKind = 2;

double CentreX(const cChara& c) { return c.m_rcScreen.left + c.m_rcGraphic.w / 2; }
double CentreY(const cChara& c) { return c.m_rcScreen.top + c.m_rcGraphic.h / 2; }

EffectPoint OnCharacter(int a, int b, const cChara& c, int ox, int oy, double sx, double sy) {
    return {ox + CentreX(c) + sx - a, oy + CentreY(c) + sy - b};
}

// An effect that holds the game until it has played: its frames' time.
int EffectFrames(const cEffect& entry) {
    int tenths = 0;
    for (const cEffectFrame& frame : entry.m_vFrames) tenths += frame.m_nTime;
    return tenths * kFramesPerTenth;
}

}  // namespace

ScenePresentationHooks& ScenePresentation() {
    static ScenePresentationHooks hooks;
    return hooks;
}

EffectPoint EffectPos(int a, int b, const cChara& c, int kind, int unit, int x, int y, int ox, int oy) {
    const cStageState& stage = StageState();
    const double sx = stage.m_ScrollX.m_dPos, sy = stage.m_ScrollY.m_dPos;
    const double bx = stage.m_ScrollX.m_nBlockOffset, by = stage.m_ScrollY.m_nBlockOffset;
    const bool pixels = unit == PosUnit::Pixels;
    if (unit != PosUnit::Blocks && !pixels && kind >= EffectPlace::ScreenTopLeft) kind = EffectPlace::OnChara;
    switch (kind) {
        case EffectPlace::ScreenCentre: return {ox + sx + 320 - a, oy + sy + 240 - b};
        case EffectPlace::OnHero:
            if (!PlayerList.empty()) return OnCharacter(a, b, PlayerList[0], ox, oy, sx, sy);
            break;
        case EffectPlace::ScreenTopLeft:
            if (pixels) return {ox + sx + x, oy + y + sy};
            return {ox + sx + 32.0 * x, oy + 32.0 * y + sy};
        case EffectPlace::ScreenCentreAt:
            if (pixels) return {sx + x - a + ox, y + sy - b + oy};
            return {ox + sx + 32.0 * x + 16 - a, oy + 32.0 * y + sy + 16 - b};
        case EffectPlace::StageTopLeft:
            if (pixels) return {x + 32 * bx + ox, y + oy + 32 * by};
            return {32.0 * x + 32 * bx + ox, oy + 32.0 * y + 32 * by};
        case EffectPlace::StageCentreAt:
            if (pixels) return {x + ox + 32 * bx - a, y + oy - b + 32 * by};
            return {32 * (x + bx) + ox - a + 16, 32 * (y + by) + oy - b + 16};
        default: break;
    }
    return OnCharacter(a, b, c, ox, oy, sx, sy);
}

int CmdChangeGraphic(cChara& c, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    c.m_Def.m_cSheet = static_cast<std::int8_t>(Param(command, 0));
    c.m_nGraphicKind = c.m_Def.m_cSheet;
    // The definition copy keeps the cell too: the hero's kept status takes
    // it into the next stage.
    c.m_Def.m_sCell = static_cast<std::int16_t>(Param(command, 1));
    c.m_nGraphic = c.m_Def.m_sCell;
    c.m_Def.m_sSheetSub = static_cast<std::int16_t>(Param(command, 2));
    return 0;
}

int CmdChangeAnimeSet(cChara& c, cCmdInst& cmd) {
    if (cmd.m_lpCmd) c.SetAnimeSet(static_cast<std::uint16_t>(Param(*cmd.m_lpCmd, 0)), 0);
    return 0;
}

int CmdRunAnime(cChara& c, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const int anim = Param(*cmd.m_lpCmd, 0);
    if (Param(*cmd.m_lpCmd, 1) != 0) {
        c.RemoveLayersOfAnim(anim);
        return 0;
    }
    const cAnime& entry = Database.Anime[anim];
    const cFlowInst* flow = StageState().m_lpCurFlow;
    cAnimLayer& layer = c.m_listAnimLayer.emplace_front(anim, 0, 0, 0, flow ? flow->m_nSerial : kNoFlowSerial);
    BuildLayerSequence(layer, entry, 0);
    return 0;
}

int CmdRunEffect(cChara& c, cCmdInst& cmd) {
    cStageState& stage = StageState();
    if (!cmd.m_lpCmd || stage.m_bQuit) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    const int number = Param(command, 0);
    if (number == 0) {
        stage.m_lstEffect.clear();
        return 0;
    }
    const cEffect& entry = Database.Effect[number];
    const int width = PercentOf(entry.m_nCellWidth, Param(command, 6));
    const int height = PercentOf(entry.m_nCellHeight, Param(command, 6));
    const EffectPoint at = EffectPos(width >> 1, height >> 1, c, Param(command, 1), Param(command, 8),
                                     Param(command, 2), Param(command, 3), Param(command, 4), Param(command, 5));
    const int holds = Param(command, 7);
    stage.m_lstEffect.emplace_back(number, at.x, at.y, width, height, holds);
    if (holds) {
        InitRequest(stage.m_Wait, kEffectWaitKind, 0, EffectFrames(entry), 0);
        RunNestedWait(stage);
    }
    return 0;
}

int CmdRunCharaEffect(cChara& c, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    c.m_EffectRun.Start(static_cast<std::int16_t>(Param(command, 0)), Param(command, 1), Param(command, 2));
    return 0;
}

int CmdRunScreenEffect(cChara&, cCmdInst& cmd) {
    if (!cmd.m_lpCmd || !ScenePresentation().runScreenEffect) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    ScenePresentation().runScreenEffect(static_cast<std::int16_t>(Param(command, 0)), Param(command, 1),
                                        Param(command, 2));
    return 0;
}

int CmdChangeScreenColor(cChara&, cCmdInst& cmd) {
    if (cmd.m_lpCmd && ScenePresentation().setScreenTone) ScenePresentation().setScreenTone(*cmd.m_lpCmd);
    return 0;
}

int CmdChangeBackground(cChara&, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const int layer = Param(*cmd.m_lpCmd, 0) - 1;
    if (layer < 0 || layer >= LoadedStage.m_vLayers.Count()) return 0;
    std::int32_t& shown = LoadedStage.m_vLayers[layer].m_bShow;
    switch (Param(*cmd.m_lpCmd, 1)) {
        case 0: shown = 1; break;
        case 1: shown = 0; break;
        case 2: shown = shown ? 0 : 1; break;
        default: break;
    }
    return 0;
}

// A sound command with a time runs on every sub-step of it; its sound is
// asked for once, when the command starts.
int CmdPlaySound(cChara& c, cCmdInst& cmd) {
    if (!cmd.m_lpCmd || cmd.m_nWork[0]++ != 0) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    if (command.m_bSoundInView && !c.m_bOnScreen) return 0;
    PlayDatabaseSound(static_cast<std::int16_t>(Param(command, 0)));
    return 0;
}

int CmdPlayBgm(cChara&, cCmdInst& cmd) {
    if (!cmd.m_lpCmd || cmd.m_nWork[0]++ != 0) return 0;
    PlayStageBgm(Param(*cmd.m_lpCmd, 0), Param(*cmd.m_lpCmd, 1));
    return 0;
}

int CmdArrange(cChara&, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    cList<cVector<int>>* pending = nullptr;
    if (IsItemTable(command.m_cTable)) {
        if (!PlayerList.empty()) pending = &PlayerList[0].m_listItemArrange;
    } else if (cFlowInst* flow = StageState().m_lpCurFlow) {
        pending = &flow->m_listArrange;
    }
    if (!pending) return 0;
    cVector<int> record;
    for (int i = 0; i < 5; ++i) record.push_back(Param(command, i));
    pending->push_back(std::move(record));
    return 0;
}
