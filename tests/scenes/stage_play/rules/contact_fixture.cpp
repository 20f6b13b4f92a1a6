#include "contact_fixture.h"

#include "gamedata/global_data.h"
#include "scenes/stage_play/rules/contact_hooks.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/player.h"

namespace {

void ClearSwitches() {
    SystemData.m_bCompatHarmlessShot = SystemData.m_bCompatBodyHitAtOnce = 0;
    SystemData.m_bCompatHeadKeepsImpact = SystemData.m_bCompatBackoffByFlags = 0;
    SystemData.m_bCompatLandingTest = SystemData.m_bCompatRideFollowY = SystemData.m_bCompatTouchPush = 0;
}

void Cover(CharaBox& box, const cObject& o) {
    box.dLeft = o.m_dX;
    box.dTop = o.m_dY;
    box.dRight = o.m_dRight;
    box.dBottom = o.m_dBottom;
}

}  // namespace

std::vector<std::string>& ContactRulesTest::Events() {
    static std::vector<std::string> events;
    return events;
}

std::vector<FiredTrigger>& ContactRulesTest::Fired() {
    static std::vector<FiredTrigger> fired;
    return fired;
}

std::vector<const cChara*>& ContactRulesTest::Killed() {
    static std::vector<const cChara*> killed;
    return killed;
}

int& ContactRulesTest::KillResult() {
    static int result = 0;
    return result;
}

void ContactRulesTest::SetUp() {
    Events().clear();
    Fired().clear();
    Killed().clear();
    KillResult() = 0;
    ClearSwitches();
    Hooks().startFlowsByTrigger = [](cChara& c, int kind, cChara* partner, int filter) {
        Fired().push_back({&c, kind, partner, filter});
        Events().push_back("trigger " + std::to_string(kind));
    };
    Hooks().hitEffect = [](const HitEffectRequest& r) { Events().push_back("effect " + std::to_string(r.nEffect)); };
    ContactHooks().killChara = [](cChara& c) {
        Killed().push_back(&c);
        Events().push_back("kill");
        return KillResult();
    };
}

void ContactRulesTest::TearDown() {
    Hooks() = EngineHooks();
    ContactHooks() = ContactRuleHooks();
    ClearSwitches();
}

std::vector<int> ContactRulesTest::KindsOn(const cChara& chara) const {
    std::vector<int> kinds;
    for (const FiredTrigger& f : Fired())
        if (f.chara == &chara) kinds.push_back(f.kind);
    return kinds;
}

void FitBoxes(cChara& chara) {
    Cover(chara.m_rcBodyBox, chara);
    Cover(chara.m_rcShotBox, chara);
    if (auto* hero = dynamic_cast<cPlayer*>(&chara)) Cover(hero->m_rcItemBox, chara);
}

cShot& AddShotOver(cStageState& stage, const cObject& over, int group, cChara* owner) {
    cShot shot;
    shot.m_nBlockGroup = group;
    shot.m_bShot = 1;
    shot.m_dX = over.m_dX;
    shot.m_dY = over.m_dY;
    shot.m_dRight = over.m_dRight;
    shot.m_dBottom = over.m_dBottom;
    shot.m_nWidth = over.m_nWidth;
    shot.m_nHeight = over.m_nHeight;
    shot.m_rcHit = {over.m_dX, over.m_dRight, over.m_dY, over.m_dBottom};
    shot.m_bExists = shot.m_bOnScreen = 1;
    shot.m_Param.m_nPower = 1;
    cShot& added = stage.AddShot(shot);
    if (owner) {
        added.m_lpOwner = owner;
        added.LinkTo(*owner, LinkKind::Child);
    }
    return added;
}
