#pragma once
// Vocabulary tables of stored values: the stored value of a field is the
// row of its table, and every table ends with an empty row. The player reads
// only the shot parameter ranges; the rest names the values for people.
#include <cstdint>
#include <span>

using NameList = std::span<const char* const>;

struct RangedName {
    const char* name;
    std::int32_t lowest;
    std::int32_t highest;
};

// A state of a character with its range, default and the names of its values.
struct StateName {
    const char* name;
    std::int32_t lowest;
    std::int32_t highest;
    std::int32_t def;
    NameList values;
};

// One parameter of a shot formation or shot movement kind; an empty text
// means the parameter has no use.
struct ParamLabel {
    const char* text;
    std::int16_t lowest;
    std::int16_t highest;
    std::int16_t def;
};

// Conditions.
extern const NameList CondKindNames;
extern const NameList CompareOpNames;
extern const std::span<const RangedName> CharaStatusNames;
extern const std::span<const RangedName> SystemStatusNames;
extern const std::span<const StateName> CharaStateNames;
extern const NameList StatusTestNames;
extern const NameList AreaShapeNames;
extern const NameList DistanceObjectNames;
extern const NameList CharaVarNames;
extern const NameList AssignOpNames;
extern const NameList NegationNames;
extern const NameList CondListModeNames;
extern const NameList AreaDisplayNames;

// Movement parts.
extern const NameList MoveModeNames;
extern const NameList WarpModeNames;
extern const NameList WarpDirectionNames;
extern const NameList CircleTurnNames;
extern const NameList MoveCoordNames;
extern const NameList CoordKindNames;
extern const NameList UnitNames;
extern const NameList PointNames;
extern const NameList StraightTimeModeNames;
extern const NameList CircleTimeModeNames;
extern const NameList MoveAnimeNames;
extern const NameList TargetSlotNames;

// Shot parts.
constexpr int kShotFormationCount = 6;
constexpr int kShotMoveKindCount = 10;
extern const NameList ShotFormationNames;
extern const NameList ShotMoveKindNames;
// Three labels per formation / movement kind, in their order.
extern const std::span<const ParamLabel> ShotFormationParams;
extern const std::span<const ParamLabel> ShotMoveParams;
extern const NameList ShotOriginNames;
extern const NameList BlockSummonModeNames;
extern const NameList SummonSideNames;
extern const NameList PaletteNames;
extern const NameList CommonPaletteOnlyNames;

// Flows and key conditions.
extern const NameList FlowTriggerNames;
extern const NameList FlowIdNames;
extern const NameList FlowIdSelectorNames;
extern const NameList FlowGroupNames;
extern const NameList KeyStateNames;
extern const NameList KeyModeNames;

// The label of parameter i (0..2) of a shot formation or movement kind;
// nullptr for an unknown kind.
const ParamLabel* FormationParam(int formation, int i);
const ParamLabel* ShotMoveParam(int kind, int i);
