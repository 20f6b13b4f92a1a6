#include "scenes/stage_play/stage_resources.h"

#include <array>
#include <cstring>
#include <functional>
#include <span>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "foundation/paths.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/database/database.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "stage/drawing/stage_surfaces.h"

namespace {

// How one surface of an entry is made: from the entry's first or second
// file, for the primary memory kinds or as the processor's copy, sharing
// the texture of another surface of the same entry (-1 none), mirrored in
// the entry's cells or not.
struct SurfaceSpec {
    int file;
    int ddMemory;
    int memoryType;
    int shares;
    bool mirrored;
};

constexpr std::array<SurfaceSpec, kStageBmpSurfacesPerEntry> kStageBmpSpecs{
    {{0, 0, 1, -1, false}, {0, 0, 1, 0, true}, {0, 1, 0, 0, false}, {0, 1, 0, 0, true}}};
constexpr std::array<SurfaceSpec, kSwordSurfacesPerEntry> kSwordSpecs{
    {{0, 0, 1, -1, false}, {1, 0, 1, -1, false}, {0, 1, 0, 0, false}, {1, 1, 0, 1, false}}};
constexpr std::array<SurfaceSpec, kEffectSurfacesPerEntry> kEffectSpecs{{{0, 0, 1, -1, false}, {0, 1, 0, 0, false}}};

// What a picture set takes from one database entry.
struct EntryFiles {
    std::array<const std::string*, 2> files;
    int mirrorWidth;
};

struct PictureSet {
    cVector<DDSURFACEDATA>& surfaces;
    cVector<SURFACETABLEENTRY>& entries;
    std::span<const SurfaceSpec> specs;
    const char* failure;
};

SURFACETABLEENTRY CreationRecord(const SurfaceSpec& how, const EntryFiles& entry) {
    SURFACETABLEENTRY e{};
    std::strncpy(e.fileName, entry.files[static_cast<std::size_t>(how.file)]->c_str(), sizeof e.fileName - 1);
    e.nColorKey = 1;
    e.nDDMemory = how.ddMemory;
    e.nMemoryType = how.memoryType;
    // Only the device path shares textures.
    e.nShare = how.shares >= 0 && lpDTCon ? 1 : 0;
    e.nMirrorWidth = how.mirrored ? entry.mirrorWidth : 0;
    return e;
}

void LoadPictureSet(const PictureSet& set, int entryCount, const std::function<EntryFiles(int)>& entryAt) {
    DDReleaseSurfaceVector(set.surfaces);
    set.surfaces.clear();
    set.entries.clear();
    const int perEntry = static_cast<int>(set.specs.size());
    const int count = std::max(entryCount, 0) * perEntry;
    // Sized once: the shared-surface links point into the vector.
    set.surfaces.resize(static_cast<std::size_t>(count));
    set.entries.resize(static_cast<std::size_t>(count));
    for (int n = 0; n < entryCount; ++n) {
        const EntryFiles entry = entryAt(n);
        const int base = n * perEntry;
        for (int s = 0; s < perEntry; ++s) set.entries[base + s] = CreationRecord(set.specs[s], entry);
        for (int s = perEntry - 1; s >= 0; --s) {
            const SURFACETABLEENTRY& e = set.entries[base + s];
            const int code =
                DDCreateSurfaceFromFile(&set.surfaces[base + s], e.fileName, e.nColorKey, DDSetting.nBpp, e.nDDMemory,
                                        e.nMemoryType, e.nShare, e.nConvert, e.nMirrorWidth, e.nMirrorHeight, 0);
            if (!DDSurfaceErrorMessage(code)) WriteLogF(set.failure, e.fileName);
        }
        for (int s = 0; s < perEntry; ++s) {
            const int from = set.specs[s].shares;
            if (from >= 0) set.surfaces[base + s].lpShareSD = &set.surfaces[base + from];
        }
    }
}

// Entry 0 of the dedicated pictures and of the effects is "none".
constexpr int kFirstStageBmp = 1;
constexpr int kFirstEffect = 1;
constexpr int kCellPixels = 32;

}  // namespace

void LoadStageBitmaps() {
    const cVector<cBmpCharaExc>& table = Database.BmpCharaExc;
    LoadPictureSet({StageBmpSurfaces, StageBmpEntries, kStageBmpSpecs, "専用bmp %s 読み込み失敗！"},
                   table.Count() - kFirstStageBmp, [&](int n) {
                       const cBmpCharaExc& e = table[n + kFirstStageBmp];
                       const int cell = e.m_nSizeFlag ? e.m_nCellSize * kCellPixels : kCellPixels;
                       return EntryFiles{{&e.m_strFile, &e.m_strFile}, cell};
                   });
}

void LoadSwordBitmaps() {
    const cVector<cSwordType>& table = Database.SwordType;
    LoadPictureSet({SwordSurfaces, SwordEntries, kSwordSpecs, "ソード %s 読み込み失敗！"}, table.Count(), [&](int n) {
        return EntryFiles{{&table[n].m_strLeftFile, &table[n].m_strRightFile}, 0};
    });
}

void LoadEffectBitmaps() {
    const cVector<cEffect>& table = Database.Effect;
    LoadPictureSet({EffectSurfaces, EffectEntries, kEffectSpecs, "エフェクト %s 読み込み失敗！"},
                   table.Count() - kFirstEffect, [&](int n) {
                       const cEffect& e = table[n + kFirstEffect];
                       return EntryFiles{{&e.m_strFile, &e.m_strFile}, 0};
                   });
}

void ReleaseStageBitmaps() {
    for (cVector<DDSURFACEDATA>* surfaces : {&StageBmpSurfaces, &SwordSurfaces, &EffectSurfaces}) {
        DDReleaseSurfaceVector(*surfaces);
        surfaces->clear();
    }
    StageBmpEntries.clear();
    SwordEntries.clear();
    EffectEntries.clear();
}

namespace {

constexpr int kShotPicture = 20;
constexpr int kShotCellPicture = 64;
constexpr int kShotCellRows = 30;
constexpr int kShotCellColumns = 4;
constexpr int kShotCell = 16;

}  // namespace

void BuildShotCells() {
    for (int pair = 0; pair < 2; ++pair) {
        DDSURFACEDATA* cells = &SurfaceArray[kShotCellPicture + pair];
        DDSURFACEDATA* shots = &SurfaceArray[kShotPicture + pair];
        DDFillRectColor(cells, 0, 0, cells->nWidth, cells->nHeight, 0);
        for (int r = 0; r < kShotCellRows; ++r) {
            for (int d = 0; d < kShotCellColumns; ++d) {
                const int sx = 2 * kShotCell * d, sy = kShotCell * r;
                const int x = 4 * kShotCell * d + kShotCell / 2, y = 2 * kShotCell * r + kShotCell / 2;
                DDBlt(cells, x, y, kShotCell, kShotCell, shots, sx, sy, 1);
                DDBlt(cells, x + 2 * kShotCell, y, kShotCell, kShotCell, shots, sx + kShotCell, sy, 1);
            }
        }
    }
}

int StageFileName(std::string& out, int number, int quiet) {
    out.clear();
    const cStorySave& progress = StoryData;
    if (!progress.m_bMultiPart || progress.m_nNextPart == 0) return 0;
    // Both names end with the point that the stage-clear command appends.
    const bool byPath = !progress.m_strNextStage.empty();
    std::string stem = byPath ? progress.m_strNextStage : progress.m_strStage;
    if (!stem.empty()) stem.pop_back();
    const char* extension = ExtTable[kExtStage];
    if (byPath) {
        FormatString(out, "%s.%s", stem.c_str(), extension);
    } else {
        FormatString(out, "%s-%d.%s", stem.c_str(), number, extension);
    }
    if (FindLatestNumbered(out, out, extension)) return 1;
    if (!quiet) out.clear();
    return 0;
}
