#pragma once
// The code language's view of a running stage: the running character, its
// target slots and the hero, the common variables of the story progress,
// the stage variables and system values of the stage state.
#include <functional>
#include <string>

#include "stage/code/code_host.h"

class cChara;

class cCharaCodeHost : public cCodeHost {
public:
    // What belongs to the stage-play scene, wired by whoever runs the
    // statement; an unset hook is not called.
    struct Hooks {
        std::function<void(cChara&, int delta)> lifeGauge;
        std::function<void(cChara&, int delta)> spGauge;
        // Places a character at a position status value (var is one of
        // CharaVar::XRel..YScr, the value already clamped).
        std::function<void(cChara&, int var, int value)> place;
        // The hero's sight changed: the darkness mask is drawn again.
        std::function<void()> sightChanged;
        std::function<void(const std::string&)> error;
    };

    cCharaCodeHost(cChara& running, Hooks hooks) : m_Running(running), m_Hooks(std::move(hooks)) {}

    bool HasObject(int object) override;
    bool ReadCharaVar(int object, int var, int& value) override;
    void WriteCharaVar(int object, int var, int value) override;
    bool ReadScopeVar(int scope, int index, int& value) override;
    void WriteScopeVar(int scope, int index, int value) override;
    int ReadSystemVar(int var) override;
    void WriteSystemVar(int var, int value) override;
    void StartLifeGauge(int delta) override;
    void StartSPGauge(int delta) override;
    void ShowCodeError(const std::string& message) override;
    bool CompatCodeEval() override;
    bool CompatUnlimitedLives() override;

private:
    cChara* Object(int object);

    cChara& m_Running;
    Hooks m_Hooks;
};
