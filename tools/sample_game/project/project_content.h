#pragma once
// The parts of the project that the writers share.
#include "gamedata/definitions/common_palette.h"

class GameFolder;

constexpr int kChallengeStageCount = 2;

// Indices in the common palette's lists (entry 0 is the fixed default).
namespace BlockDef {
enum : int {
    None = 0,
    Ground,
    Brick,
    Cloud,
    Spring,
    ConveyorLeft,
    ConveyorRight,
    Question,
    Spikes,
    Grass,
    Door,
    Mud,
    Sticky,
    Count
};
}
namespace CharaDef {
enum : int { None = 0, Hero, Slime, Bat, Hopper, Shooter, Crate, Boss, Count };
}
namespace ItemDef {
enum : int { None = 0, Coin, Heart, Key, Goal, Gem, OneUp, Sign, Count };
}

// Variables the flows and items share.
namespace StageVar {
enum : int { KeyTaken = 1, Coins = 2, BossPhase = 3 };
}
namespace CommonVar {
enum : int { BossesBeaten = 1, GemsFound = 2 };
}

void BuildDatabases();
void WriteProjectFiles(GameFolder& folder);
void BuildCommonPalette(cCommonPalette& palette);
void WriteWorldMap(GameFolder& folder);
void WriteStages(GameFolder& folder);
// The user's settings file; written last, so its presence tells that the
// whole folder was written.
void WriteSystemIni(GameFolder& folder);
