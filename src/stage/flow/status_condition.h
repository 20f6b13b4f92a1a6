#pragma once
// The status condition: a character's status value, a system value or a
// variable compared with a constant, a random number, another status value
// or a variable.
class cCond;
class cChara;

// `chara` is the character whose flow asks.
bool CheckStatusCondition(const cCond& cond, cChara& chara);
