#pragma once
// A large stage built in memory: every cell of a width x height grid holds a
// placed block, and `charas` placed characters each carry flows with
// conditions and commands. The first character is the hero. Used by the
// stage-load benchmark and by the tests that need a load that takes a while.
#include "gamedata/stage_file/stage_data.h"

inline void BuildLargeStage(cStageData& s, int width, int height, int charas) {
    s.Reset();
    s.m_nWidth = width;
    s.m_nHeight = height;
    s.m_vPaletteBlocks.resize(4);
    for (int i = 1; i < 4; ++i) s.m_vPaletteBlocks[i].m_sCell = static_cast<std::int16_t>(i);
    s.m_vPlacedBlocks.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            cBlockDef b = s.m_vPaletteBlocks[1 + (x + y) % 3];
            b.m_sCellX = static_cast<std::int16_t>(x);
            b.m_sCellY = static_cast<std::int16_t>(y);
            s.m_vPlacedBlocks.push_back(b);
        }
    }
    cCharaDef proto;
    proto.m_sCell = 5;
    proto.m_strName = "enemy";
    proto.m_vCond.resize(1);
    proto.m_vFlow.resize(3);
    for (int f = 0; f < 3; ++f) {
        cFlow& flow = proto.m_vFlow[f];
        flow.m_cId = static_cast<std::int8_t>(f + 1);
        flow.m_cTrigger = static_cast<std::int8_t>(f);
        flow.m_vCond.resize(1);
        flow.m_vCmd.resize(4);
        for (int c = 0; c < 4; ++c) flow.m_vCmd[c].m_cKind = static_cast<std::int8_t>(1 + c);
    }
    s.m_vPlacedCharas.assign(static_cast<std::size_t>(charas), proto);
    for (int i = 0; i < charas; ++i) {
        s.m_vPlacedCharas[i].m_sCellX = static_cast<std::int16_t>(i % width);
        s.m_vPlacedCharas[i].m_sCellY = static_cast<std::int16_t>(i / width);
    }
    if (charas > 0) s.m_vPlacedCharas[0].m_cOperation = 0;
}
