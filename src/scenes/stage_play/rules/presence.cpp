#include "scenes/stage_play/rules/presence.h"

#include <algorithm>

#include "stage/flow/flow_engine.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_state.h"

bool CheckCharaConditions(cChara& chara) { return CheckExistenceConditions(chara.m_Def, chara.m_bCondMet, chara); }

bool CheckItemConditions(cItem& item) {
    static cChara nobody;
    cChara& subject = PlayerList.empty() ? nobody : PlayerList[0];
    return CheckExistenceConditions(item.m_Def, item.m_bCondMet, subject);
}

namespace {

void SetPresence(cObject& object, bool exists) {
    object.m_bExists = exists;
    object.m_bOnScreen = exists && object.IsOnScreen();
}

}  // namespace

void UpdatePresence(cStageState& stage) {
    for (cPlayer& hero : PlayerList) {
        hero.m_bExists = 1;
        hero.m_bOnScreen = 1;
    }
    std::fill(stage.m_vecAreaFlag.begin(), stage.m_vecAreaFlag.end(), std::uint8_t{0});
    for (cStageChara& chara : CharaList) {
        SetPresence(chara, CheckCharaConditions(chara));
        if (chara.m_bExists) chara.UpdateActive(stage.m_vecAreaFlag);
    }
    // A second walk, so that a character woken by the area flag of one later
    // in the list wakes in the same sub-step.
    for (cStageChara& chara : CharaList) chara.m_bAwake = chara.m_bExists && chara.IsAwake(stage.m_vecAreaFlag);
    for (cItem& item : ItemList) SetPresence(item, CheckItemConditions(item));
    for (cShot& shot : stage.m_lstShot) SetPresence(shot, true);
}
