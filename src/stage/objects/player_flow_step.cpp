#include "stage/core/item_commands.h"
#include "stage/objects/player.h"

void cPlayer::BeginFlowStep() {
    m_bJumpDone = 0;
    // A graphic change that has settled puts no position back any more.
    if (m_nGraphicChange <= 0) m_bChangePosPending = 0;
}

void cPlayer::AfterFlowsRan() {
    const cVector<cFlowCmd> deferred = std::move(m_vecDeferredCmd);
    m_vecDeferredCmd.clear();
    for (const cFlowCmd& command : deferred) ChangeFlowCommand(*this, command, 1);
}

void cPlayer::EndFlowStep() {
    ++m_nFlowSteps;
    // No jump command ran in this step: the jump key counts as let go.
    if (!m_bJumpDone) {
        m_nJumpFrames = 0;
        m_bJumpReady = 1;
        m_bCeiling = 0;
    }
}
