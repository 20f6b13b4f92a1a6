#pragma once
// Arrangements: pending changes of one parameter of the next command a flow
// (or the hero's item-command list) starts. A record is the five ints of
// the arrangement command: target kind (item kinds counted as kind + 15),
// parameter index, assignment operator, operand source (0 common, 1 stage,
// 2 character variable) and variable index.
#include "foundation/checked_containers.h"

class cChara;
class cFlowCmd;
class cFlowInst;

using ArrangeList = cList<cVector<int>>;

namespace ArrangeRecord {
enum : int { Kind = 0, Param, Operator, Source, Variable, Size };
}

// Changes the command record itself, so the change lasts for every later
// run of the command. A record for another kind, an operand variable out of
// range or a result that names no entry of its table changes nothing.
void ApplyArrangements(cFlowCmd& cmd, const cVector<int>& record, cChara& chara);
// Every record of the flow's pending list, in order; nothing without a flow.
void ApplyArrangeOps(cFlowCmd& cmd, cChara& chara, const cFlowInst* flow);
// The same over a pending list of the hero's item commands.
void ApplyArrangeOpsChara(cFlowCmd& cmd, cChara& hero, const ArrangeList& pending);
