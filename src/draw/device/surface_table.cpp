#include "draw/device/surface_table.h"

#include <cstring>

#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "foundation/report.h"

namespace {

struct TableRow {
    const char* file;
    int key;
    int ddMemory;
    int memoryType;
    int shares;  // -1: its own texture
    int optional;
    int mirrorWidth;
    int width;
    int height;
};

// Entries 22 to 39, 3, 41 and 44 are the system-memory copies the DirectDraw
// path reads with the processor; in the device path they share a texture.
constexpr TableRow kRows[kSurfaceCount] = {
    {"bmp\\plt\\Palette.bmp", 0, 1, 0, -1, 0, 0, 0, 0},
    {"bmp\\Debug.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Block.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Block.bmp", 1, 1, 0, 2, 0, 0, 0, 0},
    {"bmp\\Character1.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Character1.bmp", 1, 0, 0, 4, 0, 32, 0, 0},
    {"bmp\\Character2.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Character2.bmp", 1, 0, 0, 6, 1, 32, 0, 0},
    {"bmp\\Character3.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Character3.bmp", 1, 0, 0, 8, 1, 32, 0, 0},
    {"bmp\\Character4.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Character4.bmp", 1, 0, 0, 10, 1, 32, 0, 0},
    {"bmp\\Character5.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Character5.bmp", 1, 0, 0, 12, 1, 32, 0, 0},
    {"bmp\\Character6.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Character6.bmp", 1, 0, 0, 14, 1, 32, 0, 0},
    {"bmp\\Character7.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Character7.bmp", 1, 0, 0, 16, 1, 32, 0, 0},
    {"bmp\\Character8.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Character8.bmp", 1, 0, 0, 18, 1, 32, 0, 0},
    {"bmp\\Shot.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Shot.bmp", 1, 0, 0, 20, 0, 16, 0, 0},
    {"bmp\\Character1.bmp", 1, 1, 0, 4, 0, 0, 0, 0},
    {"bmp\\Character1.bmp", 1, 1, 0, 4, 0, 32, 0, 0},
    {"bmp\\Character2.bmp", 1, 1, 0, 6, 1, 0, 0, 0},
    {"bmp\\Character2.bmp", 1, 1, 0, 6, 1, 32, 0, 0},
    {"bmp\\Character3.bmp", 1, 1, 0, 8, 1, 0, 0, 0},
    {"bmp\\Character3.bmp", 1, 1, 0, 8, 1, 32, 0, 0},
    {"bmp\\Character4.bmp", 1, 1, 0, 10, 1, 0, 0, 0},
    {"bmp\\Character4.bmp", 1, 1, 0, 10, 1, 32, 0, 0},
    {"bmp\\Character5.bmp", 1, 1, 0, 12, 1, 0, 0, 0},
    {"bmp\\Character5.bmp", 1, 1, 0, 12, 1, 32, 0, 0},
    {"bmp\\Character6.bmp", 1, 1, 0, 14, 1, 0, 0, 0},
    {"bmp\\Character6.bmp", 1, 1, 0, 14, 1, 32, 0, 0},
    {"bmp\\Character7.bmp", 1, 1, 0, 16, 1, 0, 0, 0},
    {"bmp\\Character7.bmp", 1, 1, 0, 16, 1, 32, 0, 0},
    {"bmp\\Character8.bmp", 1, 1, 0, 18, 1, 0, 0, 0},
    {"bmp\\Character8.bmp", 1, 1, 0, 18, 1, 32, 0, 0},
    {"bmp\\Shot.bmp", 1, 1, 0, 20, 0, 0, 0, 0},
    {"bmp\\Shot.bmp", 1, 1, 0, 20, 0, 16, 0, 0},
    {"bmp\\Item.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Item.bmp", 1, 1, 0, 40, 0, 0, 0, 0},
    {"bmp\\Item_Mini.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Mark.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Mark.bmp", 1, 1, 0, 43, 0, 0, 0, 0},
    {"bmp\\Loading.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Window.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\StatusWindow.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Title.bmp", 0, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\GameMode.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"bmp\\Accessory.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Symbol.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\Word.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\WorldMapChip.bmp", 1, 0, 0, -1, 0, 0, 0, 0},
    {"bmp\\WorldEvent.bmp", 1, 1, 0, -1, 0, 0, 0, 0},
    {"bmp\\WorldBack.bmp", 0, 1, 0, -1, 1, 0, 0, 0},
    {"背景その1.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"背景その2.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"背景その3.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"背景その4.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"背景その5.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"背景その6.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"背景その7.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"背景その8.bmp", 1, 0, 0, -1, 1, 0, 0, 0},
    {"E", 1, 1, 0, -1, 0, 0, 256, 960},
    {"E", 1, 1, 0, -1, 0, 0, 256, 960},
    {"E", 1, 1, 0, -1, 0, 0, 640, 480},
    {"E", 0, 1, 0, -1, 0, 0, 640, 480},
    {"E", 1, 0, 0, -1, 0, 0, 640, 480},
    {"E", 1, 1, 0, 68, 0, 0, 640, 480},
    {"E", 1, 0, 2, -1, 0, 0, 1024, 1024},
    {"E", 1, 1, 1, -1, 0, 0, 1024, 1024},
};

SURFACETABLEENTRY MakeEntry(const TableRow& r) {
    SURFACETABLEENTRY e{};
    std::strncpy(e.fileName, r.file, sizeof e.fileName - 1);
    e.nColorKey = r.key;
    e.nDDMemory = r.ddMemory;
    e.nMemoryType = r.memoryType;
    e.nShare = r.shares >= 0 ? 1 : 0;
    e.nConvert = 0;
    e.nOptional = r.optional;
    e.nMirrorWidth = r.mirrorWidth;
    e.nMirrorHeight = 0;
    e.nWidth = r.width;
    e.nHeight = r.height;
    return e;
}

struct TableBuilder {
    TableBuilder() {
        for (int i = 0; i < kSurfaceCount; ++i) SurfaceTable[i] = MakeEntry(kRows[i]);
    }
};

}  // namespace

SURFACETABLEENTRY SurfaceTable[kSurfaceCount];
DDSURFACEDATA SurfaceArray[kSurfaceCount];
namespace {
const TableBuilder g_buildTable;
}

int SurfaceShareSource(int k) { return (k >= 0 && k < kSurfaceCount) ? kRows[k].shares : -1; }

void DDLinkSurfaceTable() {
    if (!lpDTCon) return;
    for (int k = 0; k < kSurfaceCount; ++k) {
        const int from = kRows[k].shares;
        if (from >= 0) SurfaceArray[k].lpShareSD = &SurfaceArray[from];
    }
}

bool DDLoadSurfaceTable(DDSURFACEDATA* surfaces, const int* indices, int count) {
    for (int i = 0; i < count; ++i) {
        const int k = indices[i];
        if (k < 0 || k >= kSurfaceCount) continue;
        const SURFACETABLEENTRY& e = SurfaceTable[k];
        DDSURFACEDATA* sd = &surfaces[k];
        DDReleaseSurface(sd);
        if (std::strcmp(e.fileName, "E") == 0) {
            if (!DDCreateSurface(sd, e.nWidth, e.nHeight, e.nColorKey, e.nDDMemory, e.nMemoryType, e.nShare, 0) &&
                !e.nOptional) {
                OutOfMemoryExit();
                return false;
            }
            continue;
        }
        const int code =
            DDCreateSurfaceFromFile(sd, e.fileName, e.nColorKey, DDSetting.nBpp, e.nDDMemory, e.nMemoryType, e.nShare,
                                    e.nConvert, e.nMirrorWidth, e.nMirrorHeight, 0);
        if (!DDSurfaceErrorMessage(code) && !e.nOptional) {
            ErrorBoxF("%s の読み込みに失敗！", e.fileName);
            return false;
        }
    }
    return true;
}
