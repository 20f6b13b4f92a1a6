// The object containers of the running stage.
#include "stage/objects/chara_lookup.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_chara.h"

cVector<cPlayer> PlayerList;
cList<cStageChara> CharaList;
cList<cItem> ItemList;

cChara* FindCharaById(int id) {
    for (cPlayer& hero : PlayerList)
        if (hero.m_nId == id) return &hero;
    for (cStageChara& chara : CharaList)
        if (chara.m_nId == id) return &chara;
    return nullptr;
}
