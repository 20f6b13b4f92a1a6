#pragma once
// The parameters of each flow-command kind that an arrangement (アレンジ)
// may change: a name and a range per parameter, and the field of the
// command it reads and writes. Item commands from kind 2 on use the row of
// the flow kind they equal.
#include <cstdint>
#include <variant>

#include "foundation/checked_containers.h"
#include "gamedata/flows/ed_move.h"
#include "gamedata/flows/ed_shot.h"

class cFlowCmd;

// Where a parameter lives in a command.
struct SoundField {};
struct IntParamField {
    int index;
};
// Formation parameter `index` of the shot part; its range is the one of the
// command's formation.
struct FormParamField {
    int index;
};
// Movement-type parameter `index` of the shot part; its range is the one of
// the command's shot movement type.
struct ShotMoveParamField {
    int index;
};
using ParamField = std::variant<SoundField, IntParamField, std::int16_t cEdMove::*, std::int8_t cEdShot::*,
                                std::int16_t cEdShot::*, std::int32_t cEdShot::*, FormParamField, ShotMoveParamField>;

struct CommandParamDesc {
    const char* name;
    std::int32_t lowest;
    std::int32_t highest;
    ParamField field;
};

// Indexed by flow-command kind (40 rows); a kind without arrangeable
// parameters has an empty row.
extern cVector<cVector<CommandParamDesc>> CommandParamTable;

// Fills CommandParamTable; building it again changes nothing.
void BuildCommandParamTable();

// The value of `desc` in `cmd`, sign-extended from the field's width; 0 when
// the command lacks the part or parameter that holds it.
int ReadCommandParam(const cFlowCmd& cmd, const CommandParamDesc& desc);
// Stores `value` truncated to the field's width; nothing when the command
// lacks the part or parameter.
void WriteCommandParam(cFlowCmd& cmd, const CommandParamDesc& desc, int value);
