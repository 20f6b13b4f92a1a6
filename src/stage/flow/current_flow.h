#pragma once
// The stage's current character, flow instance and command instance, which
// the engine sets while it steps or starts flows and the executors read.
// Starting or stepping flows can nest (a flow operation starts another
// character's flows, a death steps the death flows): each entry keeps what
// its caller had and gives it back on every way out, so no caller is left
// pointing at another object, or at one removed meanwhile.
class cChara;
class cFlowInst;
class cCmdInst;

class CurrentFlowObjects {
public:
    CurrentFlowObjects();
    ~CurrentFlowObjects();
    CurrentFlowObjects(const CurrentFlowObjects&) = delete;
    CurrentFlowObjects& operator=(const CurrentFlowObjects&) = delete;

private:
    cChara* m_lpChara;
    cFlowInst* m_lpFlow;
    cCmdInst* m_lpCmd;
};
