#include "draw/device/display_report.h"

#include <string>

#include "draw/device/device.h"
#include "foundation/report.h"
#include "platform/system_info.h"

namespace {

struct FormatCheck {
    const char* name;
    bool supported;
};

// The texture-format questions in report order, answered for the software
// core: it clips, renders to textures and surfaces, keeps dynamic and
// write-only resources and runs in software; it has no mipmap generation,
// depth stencils, displacement maps or patch tessellation.
constexpr FormatCheck kFormatChecks[] = {
    {"AU-SU", false}, {"AU-TE", false}, {"DE-SU", false}, {"DE-TE", false}, {"DM-SU", false}, {"DM-TE", false},
    {"DO-SU", true},  {"DO-TE", true},  {"DY-SU", true},  {"DY-TE", true},  {"NP-SU", false}, {"NP-TE", false},
    {"PO-SU", false}, {"PO-TE", false}, {"RT-SU", false}, {"RT-TE", false}, {"RE-SU", true},  {"RE-TE", true},
    {"SO-SU", true},  {"SO-TE", true},  {"WR-SU", true},  {"WR-TE", true},
};

constexpr double kMB = 1048576.0;

void WriteFormatChecks() {
    std::string pair;
    int inPair = 0;
    for (const FormatCheck& check : kFormatChecks) {
        pair += check.name;
        pair += check.supported ? "○ " : "× ";
        if (++inPair == 2) {
            LogLine(pair);
            pair.clear();
            inPair = 0;
        }
    }
}

}  // namespace

void GetVideoMemoryMB(int& freeMB, int& totalMB) {
    freeMB = 0;
    totalMB = 0;
    if (!lpDDCon) return;
    platform::MemoryInfo m = platform::QueryMemory();
    freeMB = static_cast<int>(m.availableBytes / 1048576);
    totalMB = static_cast<int>(m.totalBytes / 1048576);
}

bool VideoMemoryShort() {
    int freeMB = 0, totalMB = 0;
    GetVideoMemoryMB(freeMB, totalMB);
    return totalMB > 0 && freeMB * 100 / totalMB < 20;
}

int Direct3DReport(int withFormatChecks) {
    if (!lpDTCon) return 0;
    platform::MemoryInfo m = platform::QueryMemory();
    LogPrintf("TextureMem : %dMB", static_cast<int>(m.availableBytes / 1048576));
    LogPrintf("---デバイス%d", 0);
    LogPrintf("Description : %s", "software drawing core");
    LogPrintf("Driver : %s %d", "player", 920);
    LogPrintf("TextureMaxSize : (%d,%d)", lpDTCon->nMaxTextureWidth, lpDTCon->nMaxTextureHeight);
    LogPrintf("TextureMaxBlend : (%d,%d)", 1, 1);
    LogLine("D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD");
    if (lpDTCon->bPow2) LogLine("D3DPTEXTURECAPS_POW2");
    if (lpDTCon->bSquareOnly) LogLine("D3DPTEXTURECAPS_SQUAREONLY");
    if (lpDTCon->bDynamicTexture) LogLine("D3DCAPS2_DYNAMICTEXTURES");
    if (withFormatChecks) WriteFormatChecks();
    return 1;
}

int DisplayReport(int withFormatChecks) {
    if (!LogLine(DDSetting.nWindowMode ? "Mode : Window" : "Mode : Fullscreen")) return 0;
    LogPrintf("Bpp : %d", DDSetting.nBpp);
    if (lpDDCon) {
        int freeMB = 0;
        int totalMB = 0;
        GetVideoMemoryMB(freeMB, totalMB);
        LogPrintf("VRAM Total : %.3fMB", totalMB * 1048576.0 / kMB);
        LogPrintf("VRAM Free : %.3fMB", freeMB * 1048576.0 / kMB);
        LogPrintf("RR : %u", static_cast<unsigned>(platform::QueryDisplay().refreshRate));
    }
    if (lpDTCon) Direct3DReport(withFormatChecks);
    return 1;
}
