#pragma once
// The small records a stage file carries beside its settings: the
// out-of-range rules, the background layers and the list of names.
#include <cstdint>
#include <string>

#include "foundation/data_record.h"

// An out-of-range rule: which sides of the view remove an object, and how
// many blocks beyond the view the object may go first.
class cStageSetting : public cDataRecord {
public:
    cStageSetting();
    cStageSetting(const cStageSetting&) = default;
    cStageSetting(cStageSetting&&) noexcept = default;
    cStageSetting& operator=(const cStageSetting&) = default;

    void RegisterFields(int version) override;
    void Assign(const cStageSetting& src) { *this = src; }
    void SetFlagsAndMargins(std::int32_t flag, std::int32_t margin);

    std::int32_t m_bLeft = 0, m_bRight = 0, m_bTop = 0, m_bBottom = 0;
    std::int32_t m_nLeft = 0, m_nRight = 0, m_nTop = 0, m_nBottom = 0;
};

// A background layer: a picture (or a plain fill) scrolled with the view.
class cStageLayer : public cDataRecord {
public:
    cStageLayer();
    cStageLayer(const cStageLayer&) = default;
    cStageLayer(cStageLayer&&) noexcept = default;
    cStageLayer& operator=(const cStageLayer&) = default;

    void RegisterFields(int version) override;
    // Auto-moving layers of old files kept their speed in the ratio.
    void UpgradeAutoSpeed(int fileVersion);

    std::int32_t m_bShow = 1;
    std::int32_t m_bFill = 0;
    std::int32_t m_nFillColor = 16;
    std::int32_t m_nFront = 0;
    double m_dRatioX = 0.1;
    double m_dRatioY = 0.1;
    std::int32_t m_bAutoX = 0;
    std::int32_t m_bAutoY = 0;
    double m_dAutoSpeedX = 0.0;
    double m_dAutoSpeedY = 0.0;
    std::string m_strPicture;
    double m_dAutoPosX = 0.0;
    double m_dAutoPosY = 0.0;
};

// Layers beyond this count are kept in the file but have no surface to be
// drawn with.
constexpr int kDrawnLayerCount = 8;

class cStageName : public cDataRecord {
public:
    cStageName();
    cStageName(const cStageName&) = default;
    cStageName(cStageName&&) noexcept = default;
    cStageName& operator=(const cStageName&) = default;

    void RegisterFields(int version) override;

    std::string m_strName;
};
