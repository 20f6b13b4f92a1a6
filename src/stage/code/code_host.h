#pragma once
// What the code-execution language sees of the stage. A statement names
// characters by object number (CodeObject), variables by number
// (CharaVar, SystemVar) and the two variable scopes by letter; the host
// maps them to the stage and runs the side effects of an assignment.
#include <string>

namespace CodeObject {
enum : int { My = 0, Tg = 1, Tg1 = 2, Tg2 = 3, Tg3 = 4, Tg4 = 5, Pl = 6, Sys = 7, Count = 8 };
}

namespace CharaVar {
enum : int {
    V1 = 0,  // v1..v8 are 0..7
    Hp = 8,
    Sp,
    MaxHp,
    MaxSp,
    CharaId,
    XRel,
    XAbs,
    XScr,
    YRel,
    YAbs,
    YScr,
    Z,
    Mark,
    Sight,
    Power,
    Impact,
    Defence,
    ImpactResist,
    Stop,
    KillScore,
    Count
};
}

namespace SystemVar {
enum : int { Time = 0, ScrollX, ScrollY, Score, Life, Count };
}

namespace CodeScope {
enum : int { Common = 0, Stage = 1 };
}

class cCodeHost {
public:
    virtual ~cCodeHost() = default;

    // False when the object names an empty target slot; "sys" and the
    // filled slots are present.
    virtual bool HasObject(int object) = 0;
    // False when the value cannot be read (a position of a character that
    // has no place to measure from).
    virtual bool ReadCharaVar(int object, int var, int& value) = 0;
    // Stores an already clamped value and runs what the variable's change
    // sets off (placement, life bounds, sight, the life check).
    virtual void WriteCharaVar(int object, int var, int value) = 0;
    // False when the index is outside the scope's variables.
    virtual bool ReadScopeVar(int scope, int index, int& value) = 0;
    virtual void WriteScopeVar(int scope, int index, int value) = 0;
    // The stored value: "life" is the raw lives count (999999 unlimited).
    virtual int ReadSystemVar(int var) = 0;
    virtual void WriteSystemVar(int var, int value) = 0;

    // The running character's gauge after its life or SP changed by `delta`.
    virtual void StartLifeGauge(int delta) = 0;
    virtual void StartSPGauge(int delta) = 0;
    // An error of a statement, already formatted, for the player to see.
    virtual void ShowCodeError(const std::string& message) = 0;

    // Project switches of older files.
    virtual bool CompatCodeEval() = 0;
    virtual bool CompatUnlimitedLives() = 0;
};
