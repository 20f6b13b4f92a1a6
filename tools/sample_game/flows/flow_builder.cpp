#include "flow_builder.h"

#include <memory>

namespace {

void SetParams(cFlowCmd& cmd, std::initializer_list<int> params) {
    cmd.SizeParams(cmd.ParamCount());
    int i = 0;
    for (int p : params) {
        if (i < cmd.ParamCount()) cmd.m_vParam[i] = p;
        ++i;
    }
}

}  // namespace

cFlowCmd Command(int kind, std::initializer_list<int> params) {
    cFlowCmd cmd;
    cmd.m_cTable = 0;
    cmd.m_cKind = static_cast<std::int8_t>(kind);
    SetParams(cmd, params);
    return cmd;
}

cFlowCmd ItemCommand(int flowKind, std::initializer_list<int> params) {
    cFlowCmd cmd;
    cmd.m_cTable = 1;
    cmd.m_cKind = static_cast<std::int8_t>(flowKind == ItemKind::ChangeFlows ? flowKind : flowKind - kItemToFlowKind);
    SetParams(cmd, params);
    return cmd;
}

cFlowCmd Wait(int tenths) {
    cFlowCmd cmd = Command(FlowKind::Wait);
    cmd.m_sTime = static_cast<std::int16_t>(tenths);
    return cmd;
}

cFlowCmd Movement(int kind, int direction, int speed, int tenths) {
    cFlowCmd cmd = Command(kind);
    auto move = std::make_shared<cEdMove>();
    move->SetDefaults();
    move->m_cDirection = static_cast<std::int8_t>(direction);
    move->m_sSpeed = static_cast<std::int16_t>(speed);
    cmd.m_spMove = move;
    cmd.m_sTime = static_cast<std::int16_t>(tenths);
    return cmd;
}

cFlowCmd WarpTo(int cellX, int cellY) {
    cFlowCmd cmd = Movement(FlowKind::Warp, MoveDir::Front, 0, 0);
    cmd.m_spMove->m_cMode = 5;   // to target coordinates
    cmd.m_spMove->m_cCoord = 1;  // of the stage
    cmd.m_spMove->m_cUnit = 0;   // in blocks
    cmd.m_spMove->m_sTargetX = static_cast<std::int16_t>(cellX);
    cmd.m_spMove->m_sTargetY = static_cast<std::int16_t>(cellY);
    return cmd;
}

namespace {

cFlowCmd WithShot(int kind) {
    cFlowCmd cmd = Command(kind);
    auto shot = std::make_shared<cEdShot>();
    shot->SetDefaults();
    shot->m_cCount = 1;
    cmd.m_spShot = shot;
    return cmd;
}

}  // namespace

cFlowCmd ShotCommand(int graphic, int speed, int power, int count, int range) {
    cFlowCmd cmd = WithShot(FlowKind::Shot);
    cEdShot& shot = *cmd.m_spShot;
    shot.m_cCount = static_cast<std::int8_t>(count);
    shot.m_sGraphic = static_cast<std::int16_t>(graphic);
    shot.m_sSpeed = static_cast<std::int16_t>(speed);
    shot.m_nPower = power;
    shot.m_cImpact = 2;
    shot.m_sEffect = 1;
    shot.m_bUseRange = 1;
    shot.m_sRange = static_cast<std::int16_t>(range);
    cmd.m_sTime = 2;
    return cmd;
}

cFlowCmd SwordCommand(int swordType, int power) {
    cFlowCmd cmd = WithShot(FlowKind::Sword);
    cmd.m_spShot->m_cMoveKind = static_cast<std::int8_t>(swordType);
    cmd.m_spShot->m_nPower = power;
    cmd.m_spShot->m_cImpact = 4;
    cmd.m_sTime = 3;
    return cmd;
}

cFlowCmd SummonCommand(int kind, int definition, int offsetX) {
    cFlowCmd cmd = WithShot(kind);
    cmd.m_spShot->m_cSummonPalette = 0;
    cmd.m_spShot->m_sSummon = static_cast<std::int16_t>(definition);
    cmd.m_spShot->m_sOffsetX = static_cast<std::int16_t>(offsetX);
    return cmd;
}

cFlowCmd Code(const std::string& statement) {
    cFlowCmd cmd = Command(FlowKind::ExecCode);
    cmd.m_strText = statement;
    return cmd;
}

cFlowCmd Text(int kind, const std::string& text, std::initializer_list<int> params) {
    cFlowCmd cmd = Command(kind, params);
    cmd.m_strText = text;
    return cmd;
}

cFlowCmd WithSound(cFlowCmd cmd, int sound) {
    cmd.m_sSound = static_cast<std::int16_t>(sound);
    return cmd;
}

cCond VariableCond(int kind, int index, int op, int value) {
    cCond c;
    c.m_cKind = static_cast<std::int8_t>(kind);
    c.m_sIndex = static_cast<std::int16_t>(index);
    c.m_cOp = static_cast<std::int8_t>(op);
    c.m_nValue = value;
    return c;
}

cCond StatusCond(int owner, int status, int op, int value) {
    cCond c;
    c.m_cKind = CondKind::Status;
    c.m_cLeftKind = 0;
    c.m_cOwner = static_cast<std::int8_t>(owner);
    c.m_cStatus = static_cast<std::int8_t>(status);
    c.m_cRightKind = 0;
    c.m_nValue = value;
    c.m_cOp = static_cast<std::int8_t>(op);
    return c;
}

cCond StateCond(int owner, int state, int op, int value) {
    cCond c;
    c.m_cKind = CondKind::Status2;
    c.m_cOwner = static_cast<std::int8_t>(owner);
    c.m_cStatus = static_cast<std::int8_t>(state);
    c.m_sIndex = static_cast<std::int16_t>(value);
    c.m_cOp = static_cast<std::int8_t>(op);
    return c;
}

cCond TestCond(int owner, int test, bool negate) {
    cCond c;
    c.m_cKind = CondKind::Status3;
    c.m_cOwner = static_cast<std::int8_t>(owner);
    c.m_cStatus = static_cast<std::int8_t>(test);
    c.m_cOp = negate ? 1 : 0;
    return c;
}

cCond DistanceCond(int halfBlocks, int shape, bool outside) {
    cCond c;
    c.m_cKind = CondKind::Distance;
    c.m_nValue = halfBlocks;
    c.m_cDirection = static_cast<std::int8_t>(shape);
    c.m_cOp = outside ? 1 : 0;
    return c;
}

FlowBuilder::FlowBuilder(const std::string& name, int trigger) {
    m_flow.m_strName = name;
    m_flow.m_cTrigger = static_cast<std::int8_t>(trigger);
}

FlowBuilder& FlowBuilder::Id(int letter) {
    m_flow.m_cId = static_cast<std::int8_t>(letter);
    return *this;
}

FlowBuilder& FlowBuilder::Group(int letter) {
    m_flow.m_cGroup = static_cast<std::int8_t>(letter);
    return *this;
}

FlowBuilder& FlowBuilder::Keys(std::initializer_list<int> held, int minFrames, bool released) {
    cKeyCond k;
    for (int key : held) k.m_vKeyState[key] = released ? 2 : 1;
    k.m_sMinFrames = static_cast<std::int16_t>(minFrames);
    k.m_bAnyLength = minFrames == 0 ? 1 : 0;
    // The keys mean the screen's directions: a relative step would swap
    // left and right while the hero faces left, and each walk flow would
    // then answer the other key.
    k.m_bRelative = 0;
    m_flow.m_vKeyCond.push_back(k);
    return *this;
}

FlowBuilder& FlowBuilder::HoldKeys() {
    m_flow.m_bKeyHold = 1;
    return *this;
}

FlowBuilder& FlowBuilder::When(const cCond& cond) {
    m_flow.m_vCond.push_back(cond);
    return *this;
}

FlowBuilder& FlowBuilder::AnyCondition() {
    m_flow.m_cCondMode = 1;
    return *this;
}

FlowBuilder& FlowBuilder::Then(const cFlowCmd& cmd) {
    m_flow.m_vCmd.push_back(cmd);
    return *this;
}
