#include <algorithm>

#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/shot.h"

namespace {

template <class Pair>
void AddUnique(cVector<Pair>& links, const Pair& pair) {
    if (std::find(links.begin(), links.end(), pair) == links.end()) links.push_back(pair);
}

template <class Pair>
void RemoveAll(cVector<Pair>& links, const Pair& pair) {
    links.erase(std::remove(links.begin(), links.end(), pair), links.end());
}

}  // namespace

void cChara::LinkToHero(cChara* parent) {
    if (!PlayerList.empty()) SetTarget(*this, 0, &PlayerList[0], 0);
    // A previous parent forgets this child: its pair would outlive the
    // child's release.
    if (m_lpParent && m_lpParent != parent) RemoveAll(m_lpParent->m_vecLink, CharaLink{this, LinkKind::Child});
    m_lpParent = parent;
    if (parent) AddUnique(parent->m_vecLink, CharaLink{this, LinkKind::Child});
}

void SetTarget(cChara& chara, int slot, cChara* object, int clear) {
    if (!object && !clear) return;
    cChara*& occupant = chara.m_vecTarget[slot];
    if (occupant) RemoveAll(occupant->m_vecLink, CharaLink{&chara, slot});
    occupant = nullptr;
    if (!object) return;
    occupant = object;
    AddUnique(object->m_vecLink, CharaLink{&chara, slot});
}

void cChara::AdoptLinks() {
    m_vecLink.clear();
    m_vecShotLink.clear();
    int slot = 0;
    for (cChara* target : m_vecTarget) {
        if (target) AddUnique(target->m_vecLink, CharaLink{this, slot});
        ++slot;
    }
    if (m_lpParent) AddUnique(m_lpParent->m_vecLink, CharaLink{this, LinkKind::Child});
}

void cChara::ReleaseLinks() {
    // Only references that still point here are cleared: a copy of this
    // character carries the same pairs but is referred to by nobody.
    for (const CharaLink& link : m_vecLink) {
        cChara* other = link.lpChara;
        if (!other) continue;
        if (link.nKind == LinkKind::Child) {
            if (other->m_lpParent == this) other->m_lpParent = nullptr;
        } else if (link.nKind >= 0 && link.nKind < kTargetSlots) {
            if (other->m_vecTarget[link.nKind] == this) other->m_vecTarget[link.nKind] = nullptr;
        }
    }
    m_vecLink.clear();
    int slot = 0;
    for (cChara*& target : m_vecTarget) {
        if (target) RemoveAll(target->m_vecLink, CharaLink{this, slot});
        target = nullptr;
        ++slot;
    }
    if (m_lpParent) RemoveAll(m_lpParent->m_vecLink, CharaLink{this, LinkKind::Child});
    m_lpParent = nullptr;
    for (const ShotLink& link : m_vecShotLink) {
        cShot* shot = link.lpShot;
        if (!shot) continue;
        if (shot->m_lpTarget == this) shot->m_lpTarget = nullptr;
        if (shot->m_lpOwner == this) shot->m_lpOwner = nullptr;
    }
    m_vecShotLink.clear();
}
