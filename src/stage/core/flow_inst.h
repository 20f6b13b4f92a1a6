#pragma once
// The running state of a character's flows: one flow instance per flow of
// the character's definition copy and one command instance per command.
// The flow engine builds, starts and steps them; the pointers point into
// the owning character's definition copy and are rebuilt by RelinkFlows.
#include <array>
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/flows/flow.h"

class cChara;

class cCmdInst {
public:
    // Countdown from the time, done flag and work fields cleared; pending
    // arrangements of the current flow are applied to the command (except
    // to an arrangement command) and dropped.
    void Start();
    // One step through the command's executor; 1 when it has finished. A
    // command runs max(1, time) steps.
    int Step();

    cFlowCmd* m_lpCmd = nullptr;
    int m_bDone = 0;
    int m_nTime = 0;   // duration in sub-steps
    int m_nCount = 0;  // countdown; 0 not started or finished
    std::int8_t m_cMoveDir = 0;
    double m_dSpeed = 0.0;  // movement speed per sub-step
    std::array<int, 3> m_nPrepared{};
    // Cleared at every command start; the executors' own.
    std::array<int, 8> m_nWork{};
    // The working velocity of movements that aim at a point.
    double m_dWorkSpeedX = 0.0, m_dWorkSpeedY = 0.0;
    double m_dMaxSpeed = 0.0;
    // The circle movement's two phase angles and the points a homing
    // movement aims at later; its executors set them up on their first step.
    double m_dPhaseX = 0.0, m_dPhaseY = 0.0;
    cList<std::array<double, 2>> m_lstAimPoint;
};

// A sword animation due at a step of a flow.
struct AnimSchedule {
    int nStart = 0;
    int nStartAgain = 0;
    std::int16_t sAnim = 0;
    std::int16_t sSkip = 0;
    std::int16_t sLeadIn = 0;
    std::int16_t sDuration = 0;
    int bLoop = 0;
};

class cFlowInst {
public:
    void Start();
    // One step of a running flow: 1 when its last command has finished.
    int Step();
    void End(cChara& chara);
    void Pause() { m_bPaused = 1; }
    void Resume() { m_bPaused = 0; }
    // Never stepped or started again; the running flag stays as it was.
    void StopForever(cChara& chara);

    int m_nIndex = 0;
    int m_nSerial = 0;
    cFlow* m_lpFlow = nullptr;
    std::int8_t m_bCondLatched = 0;
    cVector<cKeyCond*> m_vecKeyCond;
    int m_bKeyHeld = 0;
    int m_bKeyWasMet = 0;
    cVector<cCmdInst> m_vecCmdInst;
    cVector<AnimSchedule> m_vecAnimSched;
    int m_bRunning = 0;
    int m_bPaused = 0;
    int m_bStopped = 0;
    int m_bDelete = 0;
    int m_nCur = 0;
    int m_nFrame = 0;
    int m_nStartDir = 0;
    int m_bOnce = 0;
    int m_bStartedNow = 0;
    int m_bMsgChain = 0;
    int m_bBreak = 0;
    cList<cVector<int>> m_listArrange;
    // How often the flow has started; a step sees by it that a command
    // restarted the flow under it.
    int m_nStarts = 0;
};
