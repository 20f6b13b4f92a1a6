#pragma once
// Conditions of flows, blocks, characters and items: variables, status
// values, state switches, facing and presence, and distances, each
// compared by one of the eight comparison operators; and condition lists
// with their all/any mode.
#include "foundation/checked_containers.h"

class cChara;
class cCond;
class cFlowInst;

namespace CondListMode {
enum : int { All = 0, Any = 1 };
}

bool CheckCondition(const cCond& cond, cChara& chara);
// Mode 0 every condition holds (an empty list holds), 1 at least one (an
// empty list does not); any other mode does not hold.
bool CheckCondList(const cVector<cCond>& conds, int mode, cChara& chara);
// The flow's conditions, latched once they held for a flow that checks once.
bool CheckFlowConditions(cFlowInst& flow, cChara& chara);
