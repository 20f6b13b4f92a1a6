#pragma once
// Loop commands are expanded when a character's flow instances are built:
// the block that follows a loop is written out as often as the loop repeats
// it, so the flow steps through plain commands only.
#include "foundation/checked_containers.h"
#include "gamedata/flows/flow_cmd.h"

// The most commands a flow may hold after expansion. Loops that would grow
// it beyond repeat their block as often as fits (a debug-log line says so).
constexpr int kMaxExpandedCommands = 10000;

// Every loop command is replaced by its repeated block. A loop whose block
// starts with another loop is expanded after that inner loop, so nested
// loops end however deep they go.
void ExpandLoopCommands(cVector<cFlowCmd>& commands);
