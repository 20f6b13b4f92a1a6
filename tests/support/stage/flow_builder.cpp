#include "support/stage/flow_builder.h"

#include "stage/core/flow_inst.h"
#include "stage/flow/flow_engine.h"
#include "stage/objects/block_map.h"
#include "stage/objects/engine_hooks.h"

namespace {
std::vector<std::string> g_log;
}  // namespace

cFlowCmd MakeCmd(const CmdEntry& entry) {
    cFlowCmd cmd;
    cmd.m_cKind = static_cast<std::int8_t>(entry.kind);
    cmd.SizeParams(KindParamCount(0, entry.kind));
    cmd.m_strText = entry.name;
    cmd.m_sTime = static_cast<std::int16_t>(entry.time);
    cmd.m_bNoWait = static_cast<std::int8_t>(entry.noWait);
    return cmd;
}

cFlow MakeFlow(int trigger, std::initializer_list<CmdEntry> commands) {
    cFlow flow;
    flow.m_cTrigger = static_cast<std::int8_t>(trigger);
    for (const CmdEntry& entry : commands) flow.m_vCmd.push_back(MakeCmd(entry));
    return flow;
}

ExecutorSwap::~ExecutorSwap() {
    for (auto it = m_Saved.rbegin(); it != m_Saved.rend(); ++it) SetFlowCmdExecutor(it->first, it->second);
}

void ExecutorSwap::Install(int kind, FlowCmdExecutor executor) {
    m_Saved.emplace_back(kind, SetFlowCmdExecutor(kind, executor));
}

void CommandLog::Record(const std::string& name) { g_log.push_back(name); }

std::vector<std::string> CommandLog::Take() {
    std::vector<std::string> out;
    out.swap(g_log);
    return out;
}

int CommandLog::Recorder(cChara&, cCmdInst& cmd) {
    if (cmd.m_lpCmd) Record(cmd.m_lpCmd->m_strText);
    return 0;
}

FlowEngineScope::FlowEngineScope() { InstallFlowEngine(); }

FlowEngineScope::~FlowEngineScope() {
    Hooks() = EngineHooks();
    SetBlockConditionTest(nullptr);
}
