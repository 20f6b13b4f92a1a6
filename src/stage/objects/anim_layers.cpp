#include "stage/objects/anim_layers.h"

#include "gamedata/database/database_entries.h"

std::vector<ANIMRECORD> AnimRecordsOf(const cAnime& anim, int closing) {
    std::vector<ANIMRECORD> seq;
    for (const cAnimeFrame& frame : anim.m_vFrames) seq.push_back({frame.m_nCell, frame.m_nTime * 6, true});
    seq.push_back({closing, 0, true});
    return seq;
}

void BuildLayerSequence(cAnimLayer& layer, const cAnime& anim, int stretch) {
    std::vector<ANIMRECORD> seq = AnimRecordsOf(anim, ANIM_HOLD);
    auto locking = anim.m_vFrames.begin();
    for (ANIMRECORD& rec : seq) {
        if (locking == anim.m_vFrames.end()) break;
        if (locking->m_nLock) {
            rec.nDuration += stretch;
            break;
        }
        ++locking;
    }
    const ANIMRECORD* table[] = {seq.data(), nullptr};
    layer.m_Seq.Build(table);
    layer.m_Seq.SetAnim(0, 1);
}
