#include "stage/objects/stage_state.h"

#include "stage/objects/chara.h"

namespace stage_state_detail {

cStageState* g_lpCurrent = nullptr;

cStageState& IdleState() {
    static cStageState idle;
    return idle;
}

}  // namespace stage_state_detail

void SetStageState(cStageState* state) { stage_state_detail::g_lpCurrent = state; }

cStageState::cStageState() = default;

cStageState::~cStageState() {
    if (stage_state_detail::g_lpCurrent == this) stage_state_detail::g_lpCurrent = nullptr;
}

void cStageState::AddMessage(const MessageRequest& message) {
    if (m_lpMessageSink) m_lpMessageSink->AddMessage(message);
}

cMessageSink::Key cStageState::AddHeldMessage(const MessageRequest& message) {
    return m_lpMessageSink ? m_lpMessageSink->AddHeldMessage(message) : nullptr;
}

void cStageState::RemoveHeldMessage(cMessageSink::Key key) {
    if (m_lpMessageSink) m_lpMessageSink->RemoveHeldMessage(key);
}

void cStageState::RemoveMessageWithId(int id) {
    if (m_lpMessageSink) m_lpMessageSink->RemoveMessageWithId(id);
}

cShot& cStageState::AddShot(const cShot& shot) {
    cShot& added = m_lstShot.emplace_back(shot);
    if (added.m_bHit) m_bShotMarked = 1;
    JoinGroup(added);
    return added;
}

void cStageState::JoinGroup(cShot& shot) {
    cList<cShot*>& group = m_vecForceShot[shot.m_nBlockGroup];
    shot.m_itGroup = group.insert(group.end(), &shot);
    shot.m_bInGroup = true;
}

void cStageState::RemoveShot(cShot& shot) {
    for (cList<cShot*>& group : m_vecForceShot) group.remove(&shot);
    for (auto it = m_lstShot.begin(); it != m_lstShot.end(); ++it) {
        if (&*it == &shot) {
            m_lstShot.erase(it);
            return;
        }
    }
}

cList<cShot>::iterator cStageState::RemoveShotAt(cList<cShot>::iterator at) {
    if (at->m_bInGroup) m_vecForceShot[at->m_nBlockGroup].erase(at->m_itGroup);
    return m_lstShot.erase(at);
}

void cStageState::AddToGroup(cChara& chara) { m_vecForce[chara.m_nBlockGroup].push_back(&chara); }

void cStageState::RemoveFromGroup(cChara& chara) {
    for (cList<cChara*>& group : m_vecForce) group.remove(&chara);
}
