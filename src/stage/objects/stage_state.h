#pragma once
// The state of the stage-play scene that the stage objects and the flow
// engine read and write: the two scroll axes, the shot list and the
// per-group lists, the flow engine's current objects, the wait and end
// requests, the counters and the stage variables. The stage-play scene
// derives from it and completes it; tests build one alone.
#include <cstdint>

#include "draw/device/surface.h"
#include "draw/device/surface_table.h"
#include "foundation/checked_containers.h"
#include "gamedata/flows/flow_cmd.h"
#include "stage/core/effect_inst.h"
#include "stage/core/picture_inst.h"
#include "stage/objects/message_sink.h"
#include "stage/objects/scroll_axis.h"
#include "stage/objects/shot.h"

class cChara;
class cFlowInst;
class cCmdInst;

constexpr int kGroupCount = 8;
constexpr int kStageVarCount = 1001;
constexpr int kAreaFlagCount = 60;

// End requests of the flow engine.
namespace EndRequest {
enum : int { None = 0, StageClear = 1, Miss = 2 };
}

class cStageState {
public:
    cStageState();
    virtual ~cStageState();
    cStageState(const cStageState&) = delete;
    cStageState& operator=(const cStageState&) = delete;

    // Appends a copy of `shot` to the shot list and to the list of its group;
    // the new node keeps its address until the shot is removed.
    cShot& AddShot(const cShot& shot);
    // A shot made from `param` appended to the shot list, to be set up in
    // place and then put into the list of its group.
    cShot& AppendShot(const cEdShot& param) { return m_lstShot.emplace_back(param); }
    void JoinGroup(cShot& shot);
    // Marks `shot` hit while the contact pass walks the shot lists; the
    // pass's removal walk takes it out.
    void MarkShotHit(cShot& shot) {
        shot.m_bHit = 1;
        m_bShotMarked = 1;
    }
    // Takes the shot out of its group list and the shot list (destroying it).
    void RemoveShot(cShot& shot);
    // The same for the shot at `at`, found without a walk; the next node.
    cList<cShot>::iterator RemoveShotAt(cList<cShot>::iterator at);
    // Puts a character into the list of its group, or takes it out.
    void AddToGroup(cChara& chara);
    void RemoveFromGroup(cChara& chara);
    // Hands a message to the installed sink; without one (no scene) it is
    // dropped.
    void AddMessage(const MessageRequest& message);
    cMessageSink::Key AddHeldMessage(const MessageRequest& message);
    void RemoveHeldMessage(cMessageSink::Key key);
    void RemoveMessageWithId(int id);

    int m_nResumeState = 0, m_nResumeSubStep = 0;
    int m_nEndRequest = EndRequest::None;
    cScrollAxis m_ScrollX;
    cScrollAxis m_ScrollY;
    // Every shot, in creation order.
    cList<cShot> m_lstShot;
    // The characters of each group, the hero included.
    cVector<cList<cChara*>> m_vecForce = cVector<cList<cChara*>>(kGroupCount);
    // The shots of each group.
    cVector<cList<cShot*>> m_vecForceShot = cVector<cList<cShot*>>(kGroupCount);
    // The request of the nested wait loop (InitRequest): kind 0 game wait,
    // 1 message, 2 effect, 3 picture, 4 extra life.
    PauseRequest m_Wait{};
    int m_bQuit = 0;
    // The flow engine's current objects while it steps flows.
    cChara* m_lpCurChara = nullptr;
    cFlowInst* m_lpCurFlow = nullptr;
    cCmdInst* m_lpCurCmd = nullptr;
    int m_bItemMessage = 0;
    int m_nPlayers = 1;
    int m_nSubStepNo = 0;
    int m_nSubStepTotal = 0;
    cVector<int> m_vecShotPass;
    int m_nTime = 0;
    int m_bNoTimeLimit = 0;
    int m_nFrames = 0;
    int m_nClearTime = 0;
    int m_nBanner = 0, m_nBanner2 = 0;
    int m_nSeed = 0;
    int m_bButtonLatch = 0;
    int m_bLifeCheck = 0;
    cVector<int> m_vecStageVar = cVector<int>(kStageVarCount);
    cVector<std::uint8_t> m_vecAreaFlag = cVector<std::uint8_t>(kAreaFlagCount);
    int m_nNextCharaId = 0, m_nNextItemId = 0, m_nNextShotId = 0;
    int m_bRangeChara = 0, m_bRangeBlockChara = 0, m_bRangeItem = 0;
    cVector<int> m_vecToggledCell;
    int m_nPlayFrame = 0;
    // The stage clear asks for the story slot to be saved when the next
    // stage of the series starts directly (story play).
    int m_bAutoSaveOnClear = 0;
    int m_bInShotPass = 0;
    // Set whenever a listed shot may carry a hit mark, cleared by the walk
    // that removes the marked shots: without a mark the walk is skipped.
    int m_bShotMarked = 0;
    // The running effects, drawn and ended by the scene's draw pass.
    cList<cEffectInst> m_lstEffect;
    // The shown pictures, each with its surface and that surface's creation
    // record at the same place of the two lists beside it.
    cList<cPictureInst> m_lstPicture;
    cList<DDSURFACEDATA> m_lstPictureSurface;
    cList<SURFACETABLEENTRY> m_lstPictureEntry;
    // The scene's copy of the stage's status-panel setting, taken at each
    // reset.
    int m_bShowStatus = 0;
    // Where messages go: the stage scene's message list, or a test's record.
    cMessageSink* m_lpMessageSink = nullptr;
};

namespace stage_state_detail {
// The registered state, or null; every object asks for it many times per
// sub-step, so the question is answered inline.
extern cStageState* g_lpCurrent;
cStageState& IdleState();
}  // namespace stage_state_detail

// The stage state objects run in: the one the stage-play scene (or a test)
// registered, else an empty state, so that an object used outside stage
// play reads zero limits instead of a missing scene.
inline cStageState& StageState() {
    cStageState* current = stage_state_detail::g_lpCurrent;
    return current ? *current : stage_state_detail::IdleState();
}
// Registers the running stage state; null unregisters it.
void SetStageState(cStageState* state);
