// The message and picture commands: both show something for a while, may
// replace what an earlier command showed under the same ID, and may hold
// the game while it is shown.
#include <optional>
#include <string>
#include <utility>

#include "draw/device/device.h"
#include "draw/device/display_report.h"
#include "draw/device/surfaces.h"
#include "foundation/abort.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/database/database.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/global_data.h"
#include "gamedata/project/compat_switches.h"
#include "shell/app_state.h"
#include "shell/requests/error_requests.h"
#include "shell/requests/sound_requests.h"
#include "stage/commands/int_param.h"
#include "stage/commands/presentation_commands.h"
#include "stage/commands/stage_commands.h"
#include "stage/core/flow_inst.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kFramesPerTenth = 6;
constexpr int kMessageWaitKind = 1;
constexpr int kPictureWaitKind = 3;
constexpr int kConfirmSound = 11;
// Messages and pictures number their display times alike.
constexpr int kUntilKey = MessageTime::UntilKey;
constexpr int kTimed = MessageTime::Frames;
constexpr int kFullScale = 100;

namespace MessageParam {
enum : int {
    Place = 0,
    X,
    Y,
    OffsetX,
    OffsetY,
    Clamp,
    TimeKind,
    Time,
    HoldsGame,
    Escapes,
    Anchored,
    Refresh,
    IdMode,
    Id,
    Window,
    DeleteById,
    RefreshInterval,
    OneFrame,
    Unit
};
}

namespace PictureParam {
enum : int {
    Number = 0,
    Place,
    X,
    Y,
    OffsetX,
    OffsetY,
    Layer,
    Scale,
    TimeKind,
    Time,
    HoldsGame,
    Anchored,
    IdMode,
    Id,
    OneFrame,
    Unit
};
}

int HeroId() { return PlayerList.empty() ? 0 : PlayerList[0].m_nId; }

// A message that goes on where the previous one of the flow (or of the
// item's list) ended opens at once and asks for no confirmation.
int ChainedMessage(const cFlowCmd& command) {
    const cStageState& stage = StageState();
    if (IsItemTable(command.m_cTable)) return stage.m_bItemMessage;
    return stage.m_lpCurFlow ? stage.m_lpCurFlow->m_bMsgChain : 0;
}

int DisplayFrames(int oneFrame, int tenths) { return oneFrame ? 1 : tenths * kFramesPerTenth; }

// Holds the game while what the command showed is shown: until the advance
// key or for the display time. Shown until the stage ends cannot be waited
// for while the game stands still, so it waits for the key too rather than
// for whatever request an earlier wait left behind.
void HoldGame(cStageState& stage, int waitKind, int timeKind, int frames, int chained) {
    if (timeKind == kTimed) InitRequest(stage.m_Wait, waitKind, 0, frames, chained);
    else InitRequest(stage.m_Wait, waitKind, 1, 0, chained);
    RunNestedWait(stage);
}

// The message values that are a parameter of the command as it stands.
constexpr std::pair<int MessageRequest::*, int> kMessageParams[] = {
    {&MessageRequest::nPlace, MessageParam::Place},
    {&MessageRequest::nUnit, MessageParam::Unit},
    {&MessageRequest::nX, MessageParam::X},
    {&MessageRequest::nY, MessageParam::Y},
    {&MessageRequest::nOffsetX, MessageParam::OffsetX},
    {&MessageRequest::nOffsetY, MessageParam::OffsetY},
    {&MessageRequest::bClamp, MessageParam::Clamp},
    {&MessageRequest::bAnchored, MessageParam::Anchored},
    {&MessageRequest::nTimeKind, MessageParam::TimeKind},
    // A message that holds the game counts its time while the game stands.
    {&MessageRequest::bCountFrozen, MessageParam::HoldsGame},
    {&MessageRequest::bEscapes, MessageParam::Escapes},
    {&MessageRequest::bRefresh, MessageParam::Refresh},
    {&MessageRequest::nRefreshInterval, MessageParam::RefreshInterval},
    {&MessageRequest::bWindow, MessageParam::Window},
    {&MessageRequest::bIdFlag, MessageParam::IdMode},
    {&MessageRequest::nId, MessageParam::Id},
};

MessageRequest CommandMessage(const cChara& c, const cFlowCmd& command, int chained) {
    MessageRequest m;
    m.nKind = MessageKind::Text;
    m.strText = command.m_strText;
    for (const auto& [member, n] : kMessageParams) m.*member = Param(command, n);
    m.nRemain = DisplayFrames(Param(command, MessageParam::OneFrame), Param(command, MessageParam::Time));
    if (m.nPlace >= MessagePlace::AboveOwner && m.nPlace <= MessagePlace::OnOwner) m.nOwnerId = c.m_nId;
    else if (m.nPlace >= MessagePlace::AboveHero && m.nPlace <= MessagePlace::OnHero) m.nOwnerId = HeroId();
    m.bNoOpening = chained;
    return m;
}

// In video memory unless it is short; a picture stretched by the processor
// (another scale without the project's video stretch) is drawn from system
// memory in any case.
int PictureMemory(int scale) {
    if (lpDTCon) return 0;
    if (scale == kFullScale || SystemIni.DD_VideoStretch) return VideoMemoryShort() ? 1 : 0;
    return 1;
}

bool LoadPicture(DDSURFACEDATA& surface, SURFACETABLEENTRY& entry, const std::string& file, int scale) {
    entry = SURFACETABLEENTRY{};
    SetRecordName(entry.fileName, file.c_str());
    entry.nColorKey = 1;
    entry.nDDMemory = PictureMemory(scale);
    const int code = DDCreateSurfaceFromFile(&surface, file.c_str(), entry.nColorKey, DDSetting.nBpp, entry.nDDMemory,
                                             0, 0, 0, 0, 0, 0);
    if (DDSurfaceErrorMessage(code)) return true;
    const std::string failure = StrPrintf("%s 読み込み失敗！", file.c_str());
    ShowErrorOnWindowThread(failure);
    WriteLog(failure);
    FatalClose();
    return false;
}

PictureSlot AppendPictureSlot(cStageState& state) {
    state.m_lstPicture.emplace_back();
    state.m_lstPictureSurface.emplace_back();
    state.m_lstPictureEntry.emplace_back();
    return {std::prev(state.m_lstPicture.end()), std::prev(state.m_lstPictureSurface.end()),
            std::prev(state.m_lstPictureEntry.end())};
}

}  // namespace

int CmdMessage(cChara& c, cCmdInst& cmd) {
    cStageState& stage = StageState();
    if (!cmd.m_lpCmd || stage.m_bQuit) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    if (Param(command, MessageParam::DeleteById)) {
        if (Param(command, MessageParam::IdMode)) stage.RemoveMessageWithId(Param(command, MessageParam::Id));
        return 0;
    }
    const int chained = ChainedMessage(command);
    const MessageRequest message = CommandMessage(c, command, chained);
    if (!Param(command, MessageParam::HoldsGame)) {
        stage.AddMessage(message);
        return 0;
    }
    const cMessageSink::Key held = stage.AddHeldMessage(message);
    if (message.nTimeKind != kTimed && !chained) PlaySystemSound(kConfirmSound);
    HoldGame(stage, kMessageWaitKind, message.nTimeKind, message.nRemain, chained);
    stage.RemoveHeldMessage(held);
    return 0;
}

int CmdShowPicture(cChara& c, cCmdInst& cmd) {
    cStageState& stage = StageState();
    if (!cmd.m_lpCmd || stage.m_bQuit) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    const auto p = [&command](int n) { return Param(command, n); };
    using namespace PictureParam;
    const int number = p(Number);
    if (number == 0 && !p(IdMode)) {
        ClearPictures(stage);
        return 0;
    }
    std::optional<PictureSlot> slot;
    if (p(IdMode)) {
        const int id = p(Id);
        slot = FindPicture(stage, [id](const cPictureInst& shown) { return shown.m_bHasId && shown.m_nId == id; });
    }
    if (number == 0) {
        if (slot) ErasePictureSlot(stage, *slot);
        return 0;
    }
    const std::string& file = Database.Picture[number].m_strFile;
    // The picture of the same ID is replaced where it stands, and keeps its
    // surface when it shows the same file.
    const bool reused = slot && file == slot->surface->fileName;
    if (!slot) {
        slot = AppendPictureSlot(stage);
    } else if (!reused) {
        DDReleaseSurface(&*slot->surface);
        *slot->surface = DDSURFACEDATA{};
    }
    if (!reused && !LoadPicture(*slot->surface, *slot->entry, file, p(Scale))) {
        ErasePictureSlot(stage, *slot);
        return 0;
    }
    const int frames = DisplayFrames(p(OneFrame), p(Time));
    const int place = p(Place);
    const int owner = place == PicturePlace::FollowChara ? c.m_nId : place == PicturePlace::FollowChara2 ? HeroId() : 0;
    cPictureInst& picture = *slot->picture = cPictureInst{};
    picture.Init(number, place, p(Unit), p(X), p(Y), p(OffsetX), p(OffsetY), slot->surface->nWidth,
                 slot->surface->nHeight, p(Anchored), p(Layer), p(Scale), p(TimeKind), frames, p(HoldsGame), owner,
                 p(IdMode), p(Id));
    picture.TakeOwnerCentre();
    if (!SwitchOn(Switch::PictureStart)) picture.GetPos(picture.m_nX, picture.m_nY);
    if (!p(HoldsGame)) return 0;
    HoldGame(stage, kPictureWaitKind, p(TimeKind), frames, 0);
    // The wait may have ended the picture's time already.
    const cPictureInst* shown = &picture;
    if (auto still = FindPicture(stage, [shown](const cPictureInst& pic) { return &pic == shown; })) {
        ErasePictureSlot(stage, *still);
    }
    return 0;
}
