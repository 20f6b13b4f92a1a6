#pragma once
// The two numberings of commands: flow commands (40 kinds, a command's table
// 0) and item commands (25 kinds, table 1). Item kind k is flow kind k + 15
// from k = 2 on, so the item kinds are derived from flow kinds 17 to 39.
#include <array>

struct CommandKind {
    const char* name;
    int paramCount;
};

constexpr int kFlowCommandKindCount = 40;
constexpr int kItemCommandKindCount = 25;
// First item kind that equals a flow kind, and the distance between them.
constexpr int kSharedItemKindFirst = 2;
constexpr int kItemToFlowKind = 15;

extern const std::array<CommandKind, kFlowCommandKindCount> FlowCommandKinds;
extern const std::array<CommandKind, kItemCommandKindCount> ItemCommandKinds;

// Flow command kinds by name, as the record code tests them.
namespace FlowKind {
enum : int {
    None = 0,
    Wait = 1,
    StraightMove = 2,
    GroundTurnMove = 3,
    CircleMove = 4,
    ChargeMove = 5,
    HomingMove = 6,
    AvoidMove = 7,
    CancelMove = 8,
    ChangeDirection = 9,
    Jump = 10,
    Shot = 11,
    Sword = 12,
    SummonBlock = 13,
    SummonChara = 14,
    SummonItem = 15,
    FlowOperation = 16,
    StageClear = 17,
    GameWait = 18,
    Message = 19,
    Warp = 20,
    SetTarget = 21,
    StatusOperation = 22,
    StatusOperation2 = 23,
    Vanish = 24,
    GetItem = 25,
    ChangeGraphic = 26,
    ChangeAnimeSet = 27,
    RunAnime = 28,
    RunEffect = 29,
    RunCharaEffect = 30,
    RunScreenEffect = 31,
    ShowPicture = 32,
    ChangeScreenColor = 33,
    ChangeBackground = 34,
    PlaySound = 35,
    PlayBgm = 36,
    ExecCode = 37,
    Arrange = 38,
    Loop = 39,
};
}  // namespace FlowKind

namespace ItemKind {
enum : int { None = 0, ChangeFlows = 1 };
}

// Table 1 is the item table; every other value numbers flow commands.
inline bool IsItemTable(int table) { return table == 1; }
int CommandKindCount(int table);
bool IsKnownKind(int table, int kind);
// Parameter count of a kind; an unknown kind counts as kind 0 (none).
int KindParamCount(int table, int kind);
// The flow numbering of a command kind: item kinds from 2 on map to their
// flow kind; item kinds 0 and 1 and unknown kinds give -1.
int FlowNumbering(int table, int kind);
