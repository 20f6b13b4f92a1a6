#include "stage/code/code_command.h"

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "shell/requests/error_requests.h"
#include "stage/code/chara_code_host.h"
#include "stage/code/code_eval.h"
#include "stage/core/flow_inst.h"
#include "stage/core/status_position.h"
#include "stage/objects/chara.h"

namespace {

// The work field that remembers an error shown since the command started.
constexpr int kErrorShown = 0;

void PlaceByStatus(cChara& c, int var, int value) {
    if (var >= CharaVar::XRel && var <= CharaVar::XScr) {
        SetStatusX(value, c, var - CharaVar::XRel);
        return;
    }
    // Statements place by the bottom when walking, older projects by the centre.
    const int refPoint = SwitchOn(Switch::CodeY) ? YRefPoint::Centre : YRefPoint::BottomWhenWalking;
    SetStatusY(value, c, var - CharaVar::YRel, refPoint);
}

}  // namespace

int CmdExecCode(cChara& chara, cCmdInst& inst) {
    if (!inst.m_lpCmd) return 0;
    cCharaCodeHost::Hooks hooks;
    hooks.lifeGauge = [](cChara& c, int delta) { c.StartLifeGauge(delta); };
    hooks.spGauge = [](cChara& c, int delta) { c.StartSPGauge(delta); };
    hooks.place = PlaceByStatus;
    hooks.error = [&inst](const std::string& message) {
        if (inst.m_nWork[kErrorShown]) return;
        inst.m_nWork[kErrorShown] = 1;
        ShowErrorOnWindowThread(message);
    };
    cCharaCodeHost host(chara, hooks);
    return ExecCode(inst.m_lpCmd->m_strText, host);
}
