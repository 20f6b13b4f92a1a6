#include "scenes/stage_play/presentation/screen_tone.h"

#include <algorithm>

#include "draw/device/device.h"
#include "draw/effects/blend_blits.h"
#include "draw/effects/fades.h"
#include "draw/palette.h"

namespace {

constexpr int kNoTint = 255;
constexpr int kFramesPerTenth = 6;

// A duration of the data in frames, held inside an int.
int DurationFrames(int tenths) {
    const long long frames = static_cast<long long>(tenths) * kFramesPerTenth;
    return static_cast<int>(std::clamp<long long>(frames, 0, 0x7FFFFFFF));
}

bool PalettePath() { return !lpDTCon && DDSetting.nBpp == 8; }

}  // namespace

void cScreenTone::Set(const Request& q) {
    // A release when nothing is tinted would fade in a stale tint.
    const bool tinted = lpDTCon ? m_bActive != 0 : !PalettePath() || m_bColorSet != 0;
    if (q[4] != 0 && !tinted) return;
    m_cPrevRed = m_cRed;
    m_cPrevGreen = m_cGreen;
    m_cPrevBlue = m_cBlue;
    m_nPrevIntensity = m_nIntensity;
    m_nPrevTransparency = m_nTransparency;
    m_cRed = static_cast<std::uint8_t>(q[0]);
    m_cGreen = static_cast<std::uint8_t>(q[1]);
    m_cBlue = static_cast<std::uint8_t>(q[2]);
    m_nIntensity = q[3];
    m_bRelease = q[4];
    m_nDuration = DurationFrames(q[5]);
    m_bFlash = q[6];
    m_nFlashCount = q[7];
    m_bActive = 1;
    m_nFrame = 0;
    m_nFlashDone = 0;
    if (!m_bRelease) {
        m_nTransparency = 0;
        m_bColorSet = 1;
        return;
    }
    // The release fades out from where the tint was.
    m_cRed = m_cPrevRed;
    m_cGreen = m_cPrevGreen;
    m_cBlue = m_cPrevBlue;
    m_nIntensity = m_nPrevIntensity;
    m_nTransparency = m_nPrevTransparency;
}

int cScreenTone::Transparency() const {
    const double share = m_nDuration > 0 ? static_cast<double>(std::min(m_nFrame, m_nDuration)) / m_nDuration : 1.0;
    const double t = m_bRelease ? m_nPrevTransparency + (kNoTint - m_nPrevTransparency) * share
                                : kNoTint - m_nIntensity * 2.55 * share;
    // An intensity outside 0 to 100 tints no more than fully, nor less than
    // not at all.
    return static_cast<int>(std::clamp(t, 0.0, static_cast<double>(kNoTint)));
}

void cScreenTone::Draw(DDSURFACEDATA* frame, DDSURFACEDATA* work, int noAdvance) {
    if (!m_bActive) return;
    if (lpDTCon) {
        m_nTransparency = Transparency();
        DrawDevice(frame, work, m_nTransparency);
        if (!noAdvance) Advance(false);
        return;
    }
    if (!PalettePath()) {
        m_bActive = 0;
        return;
    }
    if (noAdvance) return;
    m_nTransparency = Transparency();
    FadePalette(m_nTransparency);
    Advance(true);
}

void cScreenTone::DrawDevice(DDSURFACEDATA* frame, DDSURFACEDATA* work, int transparency) {
    if (lpDTCon->bVirBackBuffer && work) {
        const DWORD colour = 0xFF000000u | DWORD(m_cRed) << 16 | DWORD(m_cGreen) << 8 | m_cBlue;
        DDFillSurfaceColor(work, colour);
        DDBltAlpha(frame, 0, 0, 640, 480, work, 0, 0, 0, BlendTable, transparency);
        return;
    }
    DDChangeColor(frame, 0, 0, 640, 480, transparency, m_cRed, m_cGreen, m_cBlue);
}

void cScreenTone::FadePalette(int transparency) {
    PaletteFade(PaletteWork, 0, 255, transparency, m_cRed, m_cGreen, m_cBlue, Palette);
    std::copy(PaletteWork, PaletteWork + 256, DDPaletteColors);
}

void cScreenTone::Advance(bool restorePalette) {
    if (m_nFrame < m_nDuration) ++m_nFrame;
    if (m_nFrame < m_nDuration) return;
    if (m_bFlash) {
        // The next frame, at counter 0, shows no tint.
        if (restorePalette) std::copy(Palette, Palette + 256, DDPaletteColors);
        m_nFrame = 0;
        if (++m_nFlashDone >= m_nFlashCount) m_bActive = 0;
        return;
    }
    // The palette path keeps the faded palette and ends; the device path
    // holds a full tint until the next request.
    if (m_bRelease || m_nIntensity == 0 || restorePalette) m_bActive = 0;
}
