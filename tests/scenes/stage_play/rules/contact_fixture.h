#pragma once
// What the contact-rule tests share: a record of the triggers, hit effects
// and kills the rules ask for, the compatibility switches put back after
// each test, and characters and shots whose contact boxes are their hit
// boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stage/objects/chara.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_state.h"

struct FiredTrigger {
    const cChara* chara = nullptr;
    int kind = 0;
    const cChara* partner = nullptr;
    int filter = 0;
    bool operator==(const FiredTrigger&) const = default;
};

class ContactRulesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The trigger kinds fired on `chara`, in order.
    std::vector<int> KindsOn(const cChara& chara) const;
    // Triggers, hit effects ("effect") and kills ("kill"), in order, as
    // text: the order of the damage steps and their events shows in it.
    static std::vector<std::string>& Events();
    static std::vector<FiredTrigger>& Fired();
    static std::vector<const cChara*>& Killed();
    // What the kill gives back.
    static int& KillResult();
};

// The body and shot boxes (and a hero's item box) made the hit box.
void FitBoxes(cChara& chara);
// A shot of `group` whose box and hit rectangle are those of `over`'s hit
// box, fired by `owner` (may be null), added to the stage.
cShot& AddShotOver(cStageState& stage, const cObject& over, int group, cChara* owner);
