#pragma once
// The drawing entries of the character-effect kinds, indexed by kind (0 the
// plain draw). Each draws the character's cell through its effect (unless
// `draw` is 0), steps the run (unless `noAdvance`), and gives 1 when the
// effect has finished; the caller then ends the effect.
#include "stage/drawing/chara_graphic.h"

class cChara;

constexpr int kCharaEffectEntries = 17;
using CharaEffectEntry = int (*)(cChara& chara, DDSURFACEDATA* dst, GraphicSource& source, int noAdvance, int draw);
extern const CharaEffectEntry CharaEffectDrawTable[kCharaEffectEntries];

// The entry of the kind the character's run has; a kind without one (data
// the editor never writes) draws plainly.
CharaEffectEntry CharaEffectEntryOf(const cChara& chara);

// The hero places its rectangle by its own rule.
void UpdateCharaScreenRect(cChara& chara);
