#pragma once
// The world map of a project ("data\WorldMap.dat"): a grid of chip indices,
// the chip kinds, the map points with their stage links and the hero's start
// cell. The player only reads it; the story progress and the world-map scene
// ask it about cells, points and stage links.
#include <string>

#include "foundation/data_record.h"

class cStorySave;

// One link from a map point to a stage, or a road or wall marker.
class cStageLink : public cDataRecord {
public:
    cStageLink();
    cStageLink(const cStageLink&) = default;
    cStageLink(cStageLink&&) noexcept = default;
    cStageLink& operator=(const cStageLink&) = default;

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;

    // Whether the link takes part with this progress: its needed map-point
    // flag, its variable comparison and its minimum score all hold. A flag or
    // variable index that names nothing does not hold.
    bool IsActive(const cStorySave& progress) const;
    // Whether the progress has the link's clear flag set.
    bool IsCleared(const cStorySave& progress) const;

    int m_nKind = 0;  // 0 stage, 1 road, 2 wall
    int m_nPointIcon = 0;
    int m_nClearFlag = 0;
    int m_bAlwaysOpen = 0;
    int m_bReenter = 0;
    int m_nAfterClear = 0;
    int m_nNeedFlag = 0;
    int m_nVariable = 0;
    int m_nCompare = 0;
    int m_nOp = 0;
    int m_nMinScore = 0;
    int m_nLinkA = 0;
    int m_nLinkB = 1;
    int m_nLinkC = 0;
    std::string m_strTitle;
    std::string m_strStage;
};

class cWorldPoint : public cDataRecord {
public:
    cWorldPoint();
    cWorldPoint(const cWorldPoint&) = default;
    cWorldPoint(cWorldPoint&&) noexcept = default;
    cWorldPoint& operator=(const cWorldPoint&) = default;

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    // The first link that is active with this progress; null when none is.
    const cStageLink* ActiveLink(const cStorySave& progress) const;

    int m_nX = 0;
    int m_nY = 0;
    std::string m_strName;
    cVector<cStageLink> m_vLink;
};

class cWorldChip : public cDataRecord {
public:
    cWorldChip();
    cWorldChip(const cWorldChip&) = default;
    cWorldChip(cWorldChip&&) noexcept = default;
    cWorldChip& operator=(const cWorldChip&) = default;

    void RegisterFields(int version) override;

    int m_nKind = 0;
    int m_bBlocked = 0;
    int m_nPicture = 0;
    std::string m_strName;
    std::string m_strNote;
};

// A two-int cell position as the world-map scene keeps it.
struct WorldCell {
    int x = 0;
    int y = 0;
};

class cWorldMapData : public cDataRecord {
public:
    cWorldMapData();
    cWorldMapData(const cWorldMapData&) = default;
    cWorldMapData(cWorldMapData&&) noexcept = default;
    cWorldMapData& operator=(const cWorldMapData&) = default;

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    void SetDefaults();
    // 1 when the grid took the new size (cells kept where both sizes have
    // them), 0 for a size that is not positive.
    int SetSize(int width, int height);
    void Validate();

    // The chip index of a cell; cells outside the grid read as chip 0.
    int CellAt(int x, int y) const;
    cWorldPoint* PointAt(int x, int y);
    cWorldPoint* PointAt(const WorldCell& cell) { return PointAt(cell.x, cell.y); }
    // 1 when a stage link of a map point leads to this stage text ("name."),
    // with the link values compared when withValues is not 0.
    int LinksStage(const std::string& stage, int withValues, int b, int c) const;

    int m_nWidth = 20;
    int m_nHeight = 15;
    int m_nPitch = 32;
    int m_nPitchShift = 5;
    cVector<cWorldChip> m_vChip;
    cVector<int> m_vCell;
    cVector<cWorldPoint> m_vPoint;
    cVector<cWorldPoint> m_vPoint2;
    int m_nStartX = 9;
    int m_nStartY = 7;
    int m_nBackColor = 16;
    int m_bBackPicture = 0;
    std::string m_strName;
    std::string m_strNote;

private:
    bool ReconcileGrid(cDataFile& file);
    void UpgradeChips();
};

// Largest grid a map file may describe; a bigger one is refused rather than
// allocated.
constexpr int kMaxWorldMapSide = 4096;
constexpr int kMaxWorldMapCells = 1 << 22;
