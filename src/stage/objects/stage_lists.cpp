// The object containers of the running stage.
#include "stage/objects/item.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_chara.h"

cVector<cPlayer> PlayerList;
cList<cStageChara> CharaList;
cList<cItem> ItemList;
