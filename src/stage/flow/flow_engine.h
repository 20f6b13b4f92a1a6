#pragma once
// Connects the flow engine to the stage objects: the building and removal
// of flow instances, trigger starts (block contacts, hits and deaths), the
// existence conditions of blocks and the executors the engine itself
// provides. Stage play installs it before a stage starts; installing again
// changes nothing.
#include <cstdint>

void InstallFlowEngine();

class cDefinition;
class cChara;
// The existence rule of blocks, characters and items: an empty list holds,
// a list that is checked once holds after it held once (`latch`), else the
// list decides for `subject` and a success sets the latch.
bool CheckExistenceConditions(const cDefinition& def, std::int8_t& latch, cChara& subject);
