#pragma once
// Flows written in a line for engine tests: each command is a name (kept in
// the command's text), a kind, a time in tenths of a second and a no-wait
// flag; executors installed for a test record the names they run.
#include <initializer_list>
#include <string>
#include <vector>

#include "gamedata/flows/flow.h"
#include "stage/core/flow_cmd_dispatch.h"

struct CmdEntry {
    std::string name;
    int kind = 1;
    int time = 0;
    int noWait = 0;
};

cFlowCmd MakeCmd(const CmdEntry& entry);
cFlow MakeFlow(int trigger, std::initializer_list<CmdEntry> commands);

// Installs executors for a test and puts the old ones back at its end.
class ExecutorSwap {
public:
    ExecutorSwap() = default;
    ~ExecutorSwap();
    ExecutorSwap(const ExecutorSwap&) = delete;
    ExecutorSwap& operator=(const ExecutorSwap&) = delete;
    void Install(int kind, FlowCmdExecutor executor);

private:
    std::vector<std::pair<int, FlowCmdExecutor>> m_Saved;
};

// The flow engine installed for a test's life; the stage objects' routines
// are empty again afterwards.
class FlowEngineScope {
public:
    FlowEngineScope();
    ~FlowEngineScope();
    FlowEngineScope(const FlowEngineScope&) = delete;
    FlowEngineScope& operator=(const FlowEngineScope&) = delete;
};

// The names of the commands run since the last Take, in order.
class CommandLog {
public:
    static void Record(const std::string& name);
    static std::vector<std::string> Take();
    // An executor that records the command's name.
    static int Recorder(cChara&, cCmdInst& cmd);
};
