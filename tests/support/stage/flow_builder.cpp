#include "support/stage/flow_builder.h"

#include "stage/flow/flow_inst.h"

namespace {
std::vector<std::string> g_log;
}  // namespace

cFlowCmd MakeCmd(const CmdSpec& spec) {
    cFlowCmd cmd;
    cmd.m_cKind = static_cast<std::int8_t>(spec.kind);
    cmd.SizeParams(KindParamCount(0, spec.kind));
    cmd.m_strText = spec.name;
    cmd.m_sTime = static_cast<std::int16_t>(spec.time);
    cmd.m_bNoWait = static_cast<std::int8_t>(spec.noWait);
    return cmd;
}

cFlow MakeFlow(int trigger, std::initializer_list<CmdSpec> commands) {
    cFlow flow;
    flow.m_cTrigger = static_cast<std::int8_t>(trigger);
    for (const CmdSpec& spec : commands) flow.m_vCmd.push_back(MakeCmd(spec));
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
