#pragma once
// Numbers that tie the pictures, sounds and databases to the definitions and
// flows that use them: picture cells, shot graphics and database entries.

// Cells of the block sheet (column n / 15, row n mod 15).
namespace BlockCell {
enum : int {
    None = 0,
    Ground,
    Brick,
    Crate,
    Cloud,
    Spring,
    ConveyorLeft,
    ConveyorRight,
    Question,
    Spikes,
    Grass,
    Door,
    Used,
    Sticky,
    Count
};
}

// Rows of the character sheets: character cell n is sheet n / 15, row
// n mod 15; columns are the animation frames. Cell 0 means no picture.
namespace CharaCell {
enum : int { None = 0, Hero, Slime, Bat, Hopper, Boss, Crate, Count };
// Columns of a row: 0-3 standing and walking, 4-7 (first display offset)
// in the air, 8-11 (second offset) attacking.
constexpr int kColumns = 20;
}  // namespace CharaCell

// Item sheet cells (two animation columns each); cell 0 means no picture.
namespace ItemCell {
enum : int { None = 0, Coin, Heart, Key, Goal, Gem, Count };
}

// Shot graphics (a column of two 16 x 16 frames each).
namespace ShotGraphic {
enum : int { Bullet = 0, Orb, Blade, Count };
}

// Database entries (entry 0 of each table stands for none).
namespace SoundId {
enum : int { None = 0, Shoot, Slash, Coin, Jump, Break, Boss, Count };
}
namespace BgmId {
enum : int { None = 0, Title, Field, Cave, Boss, Map, Count };
}
namespace EffectId {
enum : int { None = 0, Spark, Count };
}
namespace CharaEffectId {
enum : int { None = 0, Flash, Count };
}
namespace ScrEffectId {
enum : int { None = 0, Quake, Count };
}
namespace PictureId {
enum : int { None = 0, BossFace, Warning, Count };
}
namespace AnimeId {
enum : int { None = 0, Cheer, Count };
}
namespace SwordId {
enum : int { Blade = 0, Count };
}
namespace AnimeSetId {
enum : int { Hero = 0, Walker, Flyer, Count };
}
