#pragma once
// The fixed words of the code-execution language and the range an
// assignment clamps each variable into. The number of a word is its place
// in its table (see code_host.h).
#include <string_view>

struct CodeRange {
    int nMin = -999999;
    int nMax = 999999;
};

// Operators, from the tightest level: * / % (0), + - (1), = (2).
namespace CodeOperator {
enum : int { Assign = 0, Add, Subtract, Multiply, Divide, Remainder, Count };
}
constexpr int kCodeOperatorLevels = 3;

// -1 when the word is not in the table.
int FindCodeObject(std::string_view word);
int FindCodeOperator(std::string_view word);
int FindCharaVar(std::string_view word);
int FindSystemVar(std::string_view word);
int FindCodeFunction(std::string_view word);

int CodeOperatorLevel(int op);
// "hp" and "sp" reach up to the character's maximum, which only the caller
// knows: their entries hold the largest maximum.
CodeRange CharaVarRange(int var);
CodeRange SystemVarRange(int var);
