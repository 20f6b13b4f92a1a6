#pragma once
// The stored status values of a character, by the numbers of the code
// language (CharaVar), shared by every reader and writer of status values.
// Positions are not stored: they are read by coordinate kind
// (status_position.h).
class cChara;

// Character status kinds of flow conditions and operations.
namespace StatusKind {
enum : int {
    Var = 0,
    Life,
    SP,
    MaxLife,
    MaxSP,
    CharaId,
    X,
    Y,
    Z,
    Mark,
    Sight,
    Power,
    Impact,
    Defence,
    ImpactResist,
    StopEase,
    KillScore,
    Count
};
}

// `var` is a CharaVar number other than a position.
int ReadCharaValue(const cChara& chara, int var);
void WriteCharaValue(cChara& chara, int var, int value);
// The CharaVar number of a status kind other than Var, X and Y.
int CharaVarOfStatus(int kind);
