#include "draw/anim_sequencer.h"

namespace {

// Index of the record that closes an animation: record 0 when it is already
// a code, else the first negative record from index 1 on.
int TerminatorIndex(const ANIMRECORD* records) {
    if (records[0].nFrame < 0) return 0;
    int k = 1;
    while (records[k].nFrame >= 0) ++k;
    return k;
}

}  // namespace

cAnimSequencer::Entry cAnimSequencer::Current() {
    if (m_bPlayingKnown) return m_Playing;
    const bool inside =
        m_nAnim >= 0 && m_nAnim < m_Anims.Count() && m_nEntry >= 0 && m_nEntry < m_Anims[m_nAnim].Count();
    const Entry entry = m_Anims[m_nAnim][m_nEntry];
    if (inside) {
        m_Playing = entry;
        m_bPlayingKnown = true;
    }
    return entry;
}

void cAnimSequencer::Build(const ANIMRECORD* const* table) {
    if (!table) return;
    m_Anims.clear();
    m_nAnim = m_nEntry = m_nTick = 0;
    Moved();
    int count = 0;
    while (table[count]) ++count;
    m_Anims.resize(count);
    for (int i = 0; i < count; ++i) {
        const ANIMRECORD* records = table[i];
        const int last = TerminatorIndex(records);
        cVector<Entry>& anim = m_Anims[i];
        anim.resize(last + 1);
        for (int k = 0; k <= last; ++k) {
            anim[k] = Entry{records[k].nFrame, records[k].nDuration, records[k].bLock ? 1 : 0};
        }
    }
}

int cAnimSequencer::SetAnim(int anim, int force) {
    if (!force && Current().nLock) return 0;
    m_nAnim = anim;
    m_nEntry = 0;
    m_nTick = 0;
    Moved();
    return 1;
}

int cAnimSequencer::ChangeAnim(int anim, int force) {
    if (anim == m_nAnim) return 1;
    return SetAnim(anim, force);
}

int cAnimSequencer::Advance() {
    if (m_Anims.empty()) return 0;
    ++m_nTick;
    const Entry cur = Current();
    // An animation made of its closing code alone has no frame to step to:
    // it stays on that code, which the owner reads as "nothing to draw" or
    // as its end, instead of walking past the list.
    if (cur.nFrame < 0) return cur.nFrame;
    if (m_nTick >= cur.nDuration) {
        m_nTick = 0;
        ++m_nEntry;
        Moved();
        const Entry next = Current();
        switch (next.nFrame) {
            case ANIM_JUMP: SetAnim(next.nDuration, 1); break;
            case ANIM_LOOP:
                m_nEntry = 0;
                Moved();
                break;
            case ANIM_HOLD:
                --m_nEntry;
                Moved();
                break;
            default: break;
        }
    }
    return GetFrame();
}

int cAnimSequencer::GetFrame() {
    if (m_Anims.empty()) return 0;
    return Current().nFrame;
}
