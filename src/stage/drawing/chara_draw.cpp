#include <climits>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "gamedata/global_data.h"
#include "shell/loop/flash_colours.h"
#include "shell/loop/game.h"
#include "stage/drawing/chara_effect_draw.h"
#include "stage/drawing/chara_graphic.h"
#include "stage/drawing/draw_sink.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"

namespace {

constexpr int kCell = 32;

// The three state switches that move a character's sheet column by the
// offsets of its animation set, in the order of those offsets. The first,
// "invincible", also turns the flash colour on.
struct ColumnSwitch {
    std::int8_t cCharaDef::*lpSwitch;
    int cAnimeSet::*lpOffset;
};
constexpr ColumnSwitch kColumnSwitches[] = {
    {&cCharaDef::m_cInvincible, &cAnimeSet::m_nCellOffset1},
    {&cCharaDef::m_cFlying, &cAnimeSet::m_nCellOffset2},
    {&cCharaDef::m_bFixedDirection, &cAnimeSet::m_nCellOffset3},
};

// The mark is drawn when the definition's "no mark" byte is 0.
bool ShowsMark(const cCharaDef& def) { return def.m_bNoIcon == 0; }

// Runs the entry of the character's effect; the effect ends when it reports
// its end.
int RunEffect(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const int finished = CharaEffectEntryOf(c)(c, dst, g, noAdvance, draw);
    if (finished) c.m_EffectRun.Clear();
    return finished;
}

}  // namespace

void UpdateCharaScreenRect(cChara& chara) {
    if (auto* hero = dynamic_cast<cPlayer*>(&chara)) hero->UpdateScreenRect();
    else chara.UpdateScreenRect();
}

int cChara::PickGraphic(int noAdvance) {
    if (!noAdvance) {
        m_Anim.Advance();
        for (auto it = m_listAnimLayer.begin(); it != m_listAnimLayer.end();) {
            if (it->m_bPaused) {
                ++it;
                continue;
            }
            if (it->m_Seq.Advance() == ANIM_END) {
                it = m_listAnimLayer.erase(it);
                continue;
            }
            --it->m_nRemain;
            ++it;
        }
    }
    if (m_listAnimLayer.empty()) return m_Anim.GetFrame();
    cAnimLayer* best = nullptr;
    int bestCount = INT_MAX;
    bool settled = false;
    for (cAnimLayer& layer : m_listAnimLayer) {
        if (layer.m_bPaused) continue;
        const int count = layer.m_nRemain;
        bool take = false;
        if (settled) {
            take = count <= 0 && bestCount <= 0 && count > bestCount;
        } else if (!layer.m_bTimed) {
            take = best == nullptr;
            if (take) {
                best = &layer;
                bestCount = INT_MAX;
                continue;
            }
        } else if (count <= 0 && bestCount <= 0) {
            take = true;
            settled = true;
        } else {
            take = count < bestCount;
        }
        if (take) {
            best = &layer;
            bestCount = count;
        }
    }
    return best ? best->m_Seq.GetFrame() : m_Anim.GetFrame();
}

int cChara::GetGraphicColumn(GraphicSource& source) const {
    const cAnimeSet& set = Database.AnimeSet[m_Def.m_sAnimeSet];
    int column = m_Def.m_sSheetSub;
    for (const ColumnSwitch& s : kColumnSwitches) {
        if (m_Def.*s.lpSwitch != 0) column += set.*s.lpOffset;
    }
    source.tint.reset();
    const int flash = m_Def.m_cFlashColour;
    const bool flashing = m_Def.*kColumnSwitches[0].lpSwitch != 0 && DDSetting.bD3D && SystemData.m_bFlashColours;
    if (flashing && flash > 0 && flash < static_cast<int>(std::size(FlashColours))) source.tint = FlashColours[flash];
    return column;
}

void cChara::Draw(DDSURFACEDATA* dst, int noAdvance) {
    const int frame = PickGraphic(noAdvance);
    if (m_Def.m_bTransparent) {
        DrawEffectOnly(noAdvance);
        return;
    }
    UpdateCharaScreenRect(*this);
    if (m_bPinScreenX) {
        m_rcScreen.left = m_nPinScreenX;
        m_rcScreen.right = m_rcScreen.left + m_rcGraphic.w - 1;
    }
    if (m_bPinScreenY) {
        m_rcScreen.top = m_nPinScreenY;
        m_rcScreen.bottom = m_rcScreen.top + m_rcGraphic.h - 1;
    }
    GraphicSource g;
    const int column = GetGraphicColumn(g);
    SelectGraphicSource(g, FacingMode::Facing, m_Def.m_cSheet, m_nGraphic, column, this, frame);
    RunEffect(*this, dst, g, noAdvance, g.lpPrimary != nullptr);
    if (ShowsMark(m_Def)) DrawMark(dst, m_Def.m_sIconNo, *this, Scale());
}

int cChara::DrawEffectOnly(int noAdvance) {
    GraphicSource g;
    return RunEffect(*this, nullptr, g, noAdvance, 0);
}

int cChara::DrawHeld(DDSURFACEDATA* dst, int noAdvance) {
    GraphicSource g;
    const int column = GetGraphicColumn(g);
    SelectGraphicSource(g, FacingMode::Facing, m_Def.m_cSheet, m_nGraphic, column, this, 0);
    const int draw = g.lpPrimary != nullptr;
    if (m_nCharaKind == 0) {
        if (m_EffectRun.nEffect != 0) {
            RunEffect(*this, dst, g, noAdvance, draw);
            return 0;
        }
        if (!noAdvance) ++m_nDeathFrames;
        return m_nDeathFrames > Game.FrameRate ? 1 : 0;
    }
    if (m_EffectRun.nEffect == 0) return 1;
    return RunEffect(*this, dst, g, noAdvance, draw);
}
