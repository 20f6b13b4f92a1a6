#pragma once
// Byte fixtures of the records as files of older versions store them. The
// layouts are written out here, independently of the records' own
// registration, from the stored form: member, width, first and (for dropped
// members) last version that stores it.
#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/byte_builder.h"

struct FieldSpec {
    std::string name;
    int width;  // bytes of one element; 8 is a double
    int from = 0;
    int until = INT_MAX;  // last version that stores it
    int count = 1;
};

using Layout = std::vector<FieldSpec>;
using Values = std::map<std::string, double>;

// Condition: the two dropped 16-bit values stand where the random range,
// owner and status stand from 110 on.
inline const Layout kCondLayout = {
    {"m_cKind", 1},
    {"m_nValue", 4},
    {"m_nRandMin", 4, 110},
    {"m_nRandMax", 4, 110},
    {"m_cOwner", 1, 110},
    {"m_cStatus", 1, 110},
    {"old16", 2, 0, 109, 2},
    {"m_cLeftKind", 1, 110},
    {"m_cLeftScope", 1, 110},
    {"m_sIndex", 2, 110},
    {"m_cRightKind", 1, 110},
    {"m_cRightOwner", 1, 110},
    {"m_cRightStatus", 1, 110},
    {"m_cRightScope", 1, 110},
    {"m_sRightIndex", 2, 110},
    {"m_cOp", 1},
    {"m_bPercent", 1, 43},
    {"m_cLeftCoord", 1, 883},
    {"m_cRightCoord", 1, 883},
    {"m_cLeftPoint", 1, 893},
    {"m_cRightPoint", 1, 893},
    {"m_cDirection", 1},
};

inline const Layout kMoveLayout = {
    {"m_cMode", 1},
    {"m_cDirection", 1},
    {"m_sAngle", 2},
    {"m_sAngleStep", 2},
    {"m_bMirrorAngle", 1, 158},
    {"m_bUseX", 1},
    {"m_bUseY", 1},
    {"m_sTargetX", 2},
    {"m_sTargetY", 2},
    {"m_sTargetDotX", 2},
    {"m_sTargetDotY", 2},
    {"m_cCoord", 1},
    {"m_cUnit", 1, 891},
    {"m_cPoint", 1, 892},
    {"m_bArriveTime", 1},
    {"m_bLockX", 1},
    {"m_bLockY", 1},
    {"m_bMirrorX", 1},
    {"m_bMirrorY", 1},
    {"m_bTurnReverse", 1},
    {"m_bStopOnArrive", 1},
    {"m_bKeepFacing", 1, 162},
    {"m_cTimeMode", 1},
    {"m_sSpeed", 2},
    {"m_sSpeedStep", 2},
    {"m_sDistance", 2},
    {"m_sDistanceStep", 2},
    {"m_cDistanceUnit", 1, 159},
    {"m_sHoming", 2},
    {"m_sHomingStep", 2},
    {"m_bInertia", 1},
    {"m_sMaxSpeed", 2},
    {"m_dTurnFactor", 8},
    {"m_cAnime", 1, 162},
    {"m_cTarget", 1, 767},
};

inline const Layout kShotLayout = {
    {"m_cCount", 1},
    {"m_cFormation", 1},
    {"m_sFormParam", 2, 0, INT_MAX, 3},
    {"m_cOrigin", 1, 671},
    {"m_cAnimeSel", 1},
    {"m_bAim", 1},
    {"m_cFormTarget", 1, 767},
    {"m_sAngle", 2},
    {"m_sAngleStep", 2},
    {"m_bMirrorAngle", 1, 158},
    {"m_sSpread", 2},
    {"m_cShotOption1", 1},
    {"m_cCopies", 1},
    {"m_sOffsetX", 2},
    {"m_sOffsetStepX", 2},
    {"m_sOffsetY", 2},
    {"m_sOffsetStepY", 2},
    {"m_bMirrorOffsetX", 1},
    {"m_bMirrorOffsetY", 1},
    {"m_sGraphic", 2},
    {"m_cZ", 1},
    {"m_bHidden", 1},
    {"m_bShooterSide", 1},
    {"m_cSide", 1},
    {"m_cShotOption3", 1},
    {"m_cScale", 1},
    {"m_cShotOption4", 1},
    {"m_cMoveKind", 1},
    {"m_sMoveParam", 2, 0, INT_MAX, 3},
    {"m_cMoveTarget", 1, 767},
    {"m_bDirectAim", 1, 211},
    {"m_sSpeed", 2},
    {"m_sSpeedStep", 2},
    {"m_bAccel", 1, 213},
    {"m_sAccel", 2, 213},
    {"m_sAccelStep", 2, 213},
    {"m_sRange", 2},
    {"m_bUseRange", 1},
    {"m_sRangeStep", 2},
    {"m_bStopAtRange", 1},
    {"m_bUseLife", 1},
    {"m_sLife", 2},
    {"m_sLifeStep", 2},
    {"m_bThroughBlocks", 1},
    {"m_cPierceChara", 1},
    {"m_cPierceBlockChara", 1, 636},
    {"m_bShotClash", 1},
    {"m_cVanishValue", 1},
    {"m_nPower", 4},
    {"m_sShotValue", 2},
    {"m_cImpact", 1},
    {"m_sEffect", 2},
    {"m_cItemPalette", 1},
    {"m_sItem", 2},
    {"m_cBlockMode", 1},
    {"m_bRestoreBlock", 1},
    {"m_bRestoreBlock2", 1, 197},
    {"m_cSummonPalette", 1},
    {"m_sSummon", 2},
    {"m_cSummonSide", 1},
    {"m_cSummonOption", 1},
    {"m_bReverseFacing", 1},
    {"m_bAttackFlows", 1, 762},
    {"m_cAttackFlowId", 1, 762},
};

inline const Layout kCmdLayout = {
    {"m_cTable", 1},  {"m_cKind", 1},  {"m_sTime", 2},        {"m_sTimeStep", 2},
    {"m_bNoWait", 1}, {"m_sSound", 2}, {"m_bSoundInView", 1}, {"m_sAnime", 2},
};

inline const Layout kFlowLayout = {
    {"m_cId", 1},        {"m_cGroup", 1},   {"m_bTestOnly", 1},           {"m_cCondMode", 1},
    {"m_bCondLatch", 1}, {"m_cTrigger", 1}, {"m_bPartnerTarget", 1, 762}, {"m_cPartnerSlot", 1, 767},
    {"m_cKeyWindow", 1}, {"m_bKeyHold", 1},
};

inline const Layout kKeyCondLayout = {
    {"m_bRelative", 1}, {"m_sMinFrames", 2}, {"m_sMaxFrames", 2}, {"m_bAnyLength", 1}, {"m_cMode", 1},
};

inline bool Stores(const FieldSpec& f, int version) { return version >= f.from && version <= f.until; }

// The registered part: member count, the members of `version` (unnamed
// values 0), string count and strings.
inline ByteBuilder RecordBytes(const Layout& layout, int version, const Values& values,
                               const std::vector<std::string>& strings = {}) {
    ByteBuilder b;
    int n = 0;
    for (const auto& f : layout) n += Stores(f, version) ? 1 : 0;
    b.I32(n);
    for (const auto& f : layout) {
        if (!Stores(f, version)) continue;
        auto it = values.find(f.name);
        double v = it == values.end() ? 0 : it->second;
        for (int i = 0; i < f.count; ++i) {
            switch (f.width) {
                case 1: b.I8(static_cast<std::int8_t>(v)); break;
                case 2: b.I16(static_cast<std::int16_t>(v)); break;
                case 4: b.I32(static_cast<std::int32_t>(v)); break;
                default: b.F64(v); break;
            }
        }
    }
    b.I32(static_cast<std::int32_t>(strings.size()));
    for (const auto& s : strings) b.Str(s);
    return b;
}

// A condition list: the two bytes, then (from 766) the conditions.
inline ByteBuilder CondListBytes(int version, int enabled, int mode, const std::vector<ByteBuilder>& conds = {}) {
    ByteBuilder b;
    b.I32(2).I8(static_cast<std::int8_t>(enabled)).I8(static_cast<std::int8_t>(mode)).I32(0);
    if (version >= 766) {
        b.I32(static_cast<std::int32_t>(conds.size()));
        for (const auto& c : conds) b.Append(c);
    }
    return b;
}

struct CmdFixture {
    Values fields;
    std::string text;
    const ByteBuilder* move = nullptr;
    const ByteBuilder* shot = nullptr;
    const ByteBuilder* cond = nullptr;
    std::vector<ByteBuilder> flows;
    std::vector<std::int32_t> params;
};

// A command as `version` stores it: the condition part's flag exists only
// from 764 on.
inline ByteBuilder CmdBytes(int version, const CmdFixture& c) {
    ByteBuilder b = RecordBytes(kCmdLayout, version, c.fields, {c.text});
    for (const ByteBuilder* part : {c.move, c.shot}) {
        b.I32(part ? 1 : 0);
        if (part) b.Append(*part);
    }
    if (version >= 764) {
        b.I32(c.cond ? 1 : 0);
        if (c.cond) b.Append(*c.cond);
    }
    b.I32(static_cast<std::int32_t>(c.flows.size()));
    for (const auto& f : c.flows) b.Append(f);
    b.I32(static_cast<std::int32_t>(c.params.size()));
    for (std::int32_t p : c.params) b.I32(p);
    return b;
}

struct FlowFixture {
    Values fields;
    std::string name;
    std::vector<ByteBuilder> conds;
    std::vector<ByteBuilder> keyConds;
    std::vector<ByteBuilder> cmds;
};

inline ByteBuilder FlowBytes(int version, const FlowFixture& f) {
    std::vector<std::string> strings;
    if (version >= 676) strings.push_back(f.name);
    ByteBuilder b = RecordBytes(kFlowLayout, version, f.fields, strings);
    for (const auto* list : {&f.conds, &f.keyConds, &f.cmds}) {
        b.I32(static_cast<std::int32_t>(list->size()));
        for (const auto& e : *list) b.Append(e);
    }
    return b;
}

inline ByteBuilder KeyCondBytes(const Values& fields, const std::vector<std::int8_t>& keys) {
    ByteBuilder b = RecordBytes(kKeyCondLayout, 920, fields);
    b.I32(static_cast<std::int32_t>(keys.size()));
    for (auto k : keys) b.I8(k);
    return b;
}
