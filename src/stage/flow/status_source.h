#pragma once
// The value a status condition compares with and a status operation works
// with: a constant, a random number, a status value of a character or of
// the system, or a variable.
#include <optional>

class cChara;

namespace StatusSourceKind {
enum : int { Constant = 0, Random, Status, Variable };
}

struct StatusSource {
    int nKind = StatusSourceKind::Constant;
    int nConstant = 0;
    int nRandomA = 0, nRandomB = 0;
    int nOwner = 0;  // 0 the asking character, 1 to 4 a target, 5 the system
    int nStatus = 0;
    int nScope = 0;  // 0 common, 1 stage variables
    int nIndex = 0;
    int nCoord = 0, nPoint = 0;
};

// None when the value cannot be read: an empty target slot, a position
// that cannot be measured, another character's sight, a variable outside
// its list. `asking` runs the flow (relative positions measure from it).
std::optional<int> ReadStatusSource(const StatusSource& source, cChara& asking);

// A system value (0 time, 1 and 2 the scroll speeds, 3 score, 4 lives):
// unlimited lives count as 100, or as nothing for the projects that kept
// the old reading; as a source that nothing reads 0 and so does the time
// while the stage has no time limit. Other kinds: none, or 0 as a source.
std::optional<int> SystemStatusValue(int kind, bool asSource);
// A common (scope 0) or stage (scope 1) variable; none outside the list.
int* ScopeVariable(int scope, int index);
// A character's status value of `kind` (0 the character variable `index`,
// 6 and 7 its position in coordinate kind `coord`, reference `point`).
std::optional<int> CharaStatusValue(cChara& chara, int kind, int index, int coord, int point, cChara& runner);
