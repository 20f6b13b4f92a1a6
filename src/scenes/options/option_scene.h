#pragma once
// The options scene: the player's options that the project enables, edited
// in place with up and down; palette and volume apply at once, music when
// the scene ends, and the options are saved then.
#include <functional>
#include <vector>

#include "scenes/menu/menu_scene.h"
#include "scenes/menu/prepared_surface.h"

class cSceneOption : public cMenuScene {
public:
    enum : int { kStateFadeIn = 0, kStateOptions = 1, kStateFadeOut = 2 };
    // Items by list index.
    enum : int { kItemPalette = 0, kItemMusic, kItemVolume, kItemRankingMode, kItemRankingName, kItemBack };

    cSceneOption();
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    int EnabledCount() const { return static_cast<int>(m_vEnabled.size()); }

private:
    void RunState(int state) override;
    void Options();
    void ChooseItem();
    void EditItem();
    void StartEditing(int item);
    void BuildSurface();
    void DrawList(DDSURFACEDATA* surface);
    void ShowWithCursor();

    std::vector<int> m_vEnabled;
    int m_nItem = 0;
    int m_nBefore = 0;
    int* m_pValue = nullptr;
    int m_nMin = 0;
    int m_nMax = 0;
    cPreparedSurface m_Surface;
};

// Starts or stops the music player to match the music option, and forgets
// the last music request so the next scene's is sent.
void ApplyMusicSetting();
// Applies an option value's effect at once: the palette (8-bit mode) or the
// volume of every sound effect; the others take effect later.
void ApplyOptionEffect(int item);

// The reload of the 8-bit palette from its number; the drawing set-up of the
// shell installs it (without it a palette change shows at the next start).
using PaletteLoader = std::function<int(int palette)>;
void SetPaletteLoader(PaletteLoader loader);
