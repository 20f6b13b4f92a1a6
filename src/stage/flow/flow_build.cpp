// Building a character's flow instances from its flows: loop expansion,
// command times and the preparation of movement commands, and the sword
// animations due at given steps of each flow.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "gamedata/database/database.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/code/code_arith.h"
#include "stage/core/loop_expansion.h"
#include "stage/flow/flow_prep.h"
#include "stage/objects/chara.h"

namespace {

bool Waits(const cCmdInst& cmd) { return cmd.m_lpCmd && cmd.m_lpCmd->m_bNoWait == 0; }

void LinkKeyConds(cFlowInst& inst, cFlow& flow) {
    inst.m_vecKeyCond.clear();
    for (cKeyCond& key : flow.m_vKeyCond) inst.m_vecKeyCond.push_back(&key);
}

cCmdInst BuildCmdInst(cFlowCmd& cmd, cChara& chara) {
    const int n = SubStepsPerFrame();
    const int clone = chara.m_nClone;
    cCmdInst inst;
    inst.m_lpCmd = &cmd;
    inst.m_nTime = SaturateToInt(PerClone(cmd.m_sTime, cmd.m_sTimeStep, clone) * n * 6);
    if (const cEdMove* move = cmd.m_spMove.get()) {
        inst.m_dSpeed = static_cast<double>(PerClone(move->m_sSpeed, move->m_sSpeedStep, clone)) * 0.1 / n;
        if (move->m_bInertia) inst.m_dMaxSpeed = move->m_sMaxSpeed * 0.1 / n;
        inst.m_cMoveDir = move->m_cDirection;
    }
    PrepareCmdInst(inst, chara);
    return inst;
}

// The frames of an animation before its first hit frame (the first frame
// that locks), as the lead-in of a sword swing.
int LeadInFrames(int anim) {
    if (anim < 0 || anim >= Database.Anime.Count()) return 0;
    std::int64_t frames = 0;
    for (const cAnimeFrame& f : Database.Anime[anim].m_vFrames) {
        if (f.m_nLock) break;
        frames += std::int64_t{f.m_nTime} * 6;
    }
    return SaturateToInt(frames);
}

bool SwingsSword(const cFlowCmd& cmd) { return cmd.m_sAnime != 0 && (!cmd.m_spMove || cmd.m_spMove->m_cAnime == 2); }

// The sword animations of a flow: each swing starts its lead-in so that the
// hit frame falls on the step its command starts, or as far in as the
// earlier commands leave room for.
void ScheduleSwordAnims(cFlowInst& inst) {
    const int n = SubStepsPerFrame();
    inst.m_vecAnimSched.clear();
    std::int64_t start = 0;
    for (auto it = inst.m_vecCmdInst.begin(); it != inst.m_vecCmdInst.end(); ++it) {
        const cFlowCmd& cmd = *it->m_lpCmd;
        if (SwingsSword(cmd)) {
            const int lead = LeadInFrames(cmd.m_sAnime);
            const int kind = cmd.FlowKindNumber();
            AnimSchedule rec;
            rec.sAnim = cmd.m_sAnime;
            rec.sDuration = static_cast<std::int16_t>(it->m_nTime / n);
            rec.bLoop = kind == FlowKind::Sword || kind == FlowKind::Jump ? 0 : 1;
            std::int64_t room = std::int64_t{lead} * n;
            auto back = std::make_reverse_iterator(it);
            for (; back != inst.m_vecCmdInst.rend() && room > 0; ++back) {
                if (Waits(*back)) room -= back->m_nTime;
            }
            if (room <= 0) {
                rec.nStart = SaturateToInt(start - std::int64_t{lead} * n);
                rec.sLeadIn = static_cast<std::int16_t>(lead);
            } else {
                const int skip = static_cast<int>(std::min<std::int64_t>(room / n, lead));
                rec.sSkip = static_cast<std::int16_t>(skip);
                rec.sLeadIn = static_cast<std::int16_t>(lead - skip);
            }
            rec.nStartAgain = rec.nStart;
            inst.m_vecAnimSched.push_back(rec);
        }
        if (Waits(*it)) start += it->m_nTime;
    }
}

void BuildFlowInst(cFlowInst& inst, int index, cFlow& flow, cChara& chara) {
    inst.m_nIndex = index;
    inst.m_lpFlow = &flow;
    inst.m_nSerial = chara.m_nFlowSerial++;
    LinkKeyConds(inst, flow);
    inst.m_vecCmdInst.clear();
    for (cFlowCmd& cmd : flow.m_vCmd) inst.m_vecCmdInst.push_back(BuildCmdInst(cmd, chara));
    ScheduleSwordAnims(inst);
}

}  // namespace

void cChara::AddFlows(cVector<cFlow>& flows, int add, int position) {
    for (cFlow& flow : flows) ExpandLoopCommands(flow.m_vCmd);
    int first = 0;
    if (!add) {
        if (&flows != &m_Def.m_vFlow) m_Def.m_vFlow = flows;
        m_vecFlowInst.assign(m_Def.m_vFlow.size(), cFlowInst{});
    } else {
        const bool inside = position != -1 && position >= 0 && position < m_Def.m_vFlow.Count();
        first = inside ? position : m_Def.m_vFlow.Count();
        m_Def.m_vFlow.insert(m_Def.m_vFlow.begin() + first, flows.begin(), flows.end());
        m_vecFlowInst.insert(m_vecFlowInst.begin() + first, flows.size(), cFlowInst{});
    }
    const int count = static_cast<int>(flows.size());
    for (int p = first; p < first + count; ++p) {
        cFlowInst& inst = m_vecFlowInst[p];
        BuildFlowInst(inst, p, m_Def.m_vFlow[p], *this);
        if (add) inst.m_bKeyWasMet = m_Def.m_vFlow[p].m_bKeyHold == 0 ? 1 : 0;
    }
    if (add) RelinkFlows();
}

void cChara::SetFlows(const cVector<cFlowInst>& instances) {
    m_vecFlowInst = instances;
    RelinkFlows();
}

void cChara::RemoveFlow(int index) {
    if (index < 0 || index >= m_vecFlowInst.Count()) return;
    cFlowInst& inst = m_vecFlowInst[index];
    inst.End(*this);
    RemoveLayersOfFlow(inst.m_nSerial);
    if (index < m_Def.m_vFlow.Count()) m_Def.m_vFlow.erase(m_Def.m_vFlow.begin() + index);
    m_vecFlowInst.erase(m_vecFlowInst.begin() + index);
    RelinkFlows();
}

int cChara::RemoveFlowsById(int id) {
    if (id == 0) {
        for (cFlowInst& inst : m_vecFlowInst) inst.End(*this);
        m_vecFlowInst.clear();
        m_Def.m_vFlow.clear();
        m_listAnimLayer.clear();
        RelinkFlows();
        return 0;
    }
    int first = -1;
    for (int i = 0; i < m_vecFlowInst.Count();) {
        const cFlow* flow = m_vecFlowInst[i].m_lpFlow;
        if (!flow || flow->m_cId != id) {
            ++i;
            continue;
        }
        if (first < 0) first = i;
        RemoveFlow(i);
    }
    return first;
}

void cChara::DeleteFlow(int index) {
    if (index < 0 || index >= m_vecFlowInst.Count()) return;
    if (m_nFlowStepDepth == 0) {
        RemoveFlow(index);
        return;
    }
    // Its flows are being stepped: the instance may be the one running the
    // command, so it goes when the step is over.
    m_vecFlowInst[index].m_bDelete = 1;
    m_bFlowDeletePending = 1;
}

void cChara::RemoveDeletedFlows() {
    if (!m_bFlowDeletePending) return;
    for (int i = 0; i < m_vecFlowInst.Count();) {
        if (m_vecFlowInst[i].m_bDelete) {
            RemoveFlow(i);
        } else {
            ++i;
        }
    }
    m_bFlowDeletePending = 0;
}

void cChara::StartScheduledAnims() {
    for (cFlowInst& inst : m_vecFlowInst) {
        if (!inst.m_bRunning || inst.m_bPaused) continue;
        for (const AnimSchedule& rec : inst.m_vecAnimSched) {
            if (rec.nStart != inst.m_nFrame) continue;
            if (rec.sAnim < 0 || rec.sAnim >= Database.Anime.Count()) continue;
            const int stretch = rec.sDuration >= 2 && rec.bLoop ? rec.sDuration - 1 : 0;
            cAnimLayer& layer = m_listAnimLayer.emplace_front(rec.sAnim, 1, rec.sLeadIn, rec.sDuration, inst.m_nSerial);
            BuildLayerSequence(layer, Database.Anime[rec.sAnim], stretch);
            for (int skip = 0; skip < rec.sSkip; ++skip) layer.m_Seq.Advance();
        }
    }
}
