// The pictures of the surface table and of the databases, drawn by code.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"
#include "content_ids.h"
#include "game_folder.h"
#include "game_palette.h"
#include "pixel_art.h"
#include "sample_game.h"

namespace {

using Pal::Ramp;

constexpr int kCell = 32;

void Sprite(Canvas8& c, const PixelArt& art, int x, int y, bool mirrored = false) {
    c.Draw(art, SpriteKey(), x, y, 2, mirrored);
}

Canvas8 PalettePicture() {
    // A 16 x 16 swatch of the colours in cells to look at; its first pixel
    // is the transparent colour.
    Canvas8 c(128, 128);
    for (int i = 0; i < 256; ++i) c.FillRect(i % 16 * 8, i / 16 * 8, 8, 8, static_cast<std::uint8_t>(i));
    // Where the player reads the colours from the pixels (the drawing modes
    // without a colour table): colour i at column i mod 16 of row 8 + i / 16.
    for (int i = 0; i < 256; ++i) c.Set(i % 16, 8 + i / 16, static_cast<std::uint8_t>(i));
    return c;
}

Canvas8 BlockSheet() {
    Canvas8 c(2 * kCell, 15 * kCell);
    const PixelArt* art[BlockCell::Count] = {nullptr,        &Art::Ground, &Art::Brick,        &Art::Crate,
                                             &Art::Cloud,    &Art::Spring, &Art::ConveyorLeft, &Art::ConveyorRight,
                                             &Art::Question, &Art::Spikes, &Art::Grass,        &Art::Door,
                                             &Art::Crate,    &Art::Ground};
    for (int n = 1; n < BlockCell::Count; ++n) Sprite(c, *art[n], n / 15 * kCell, n % 15 * kCell);
    // The used item block: a plain dark box.
    c.FillRect(0, BlockCell::Used * kCell, kCell, kCell, Pal::DarkBrown);
    c.Frame(0, BlockCell::Used * kCell, kCell, kCell, Pal::Black);
    // The sticky floor: the ground in violet.
    const int sticky = BlockCell::Sticky;
    Sprite(c, Art::Ground, sticky / 15 * kCell, sticky % 15 * kCell);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const int px = sticky / 15 * kCell + x, py = sticky % 15 * kCell + y;
            if (c.At(px, py) != 0) c.Set(px, py, Ramp(Pal::Violet, 4 + (x * 7 + y * 3) % 5));
        }
    }
    return c;
}

// A character row: frames for columns 0-11, repeated to the row's 20
// columns. Sheets face left: the art faces right and is mirrored.
struct CharaRow {
    int row;
    const PixelArt* frames[12];
};

Canvas8 CharacterSheet(const std::vector<CharaRow>& rows) {
    Canvas8 c(CharaCell::kColumns * kCell, 15 * kCell);
    for (const CharaRow& r : rows) {
        for (int col = 0; col < CharaCell::kColumns; ++col) {
            Sprite(c, *r.frames[col % 12], col * kCell, r.row * kCell, true);
        }
    }
    return c;
}

Canvas8 Characters1() {
    using namespace Art;
    return CharacterSheet({
        {CharaCell::Hero,
         {&HeroStand, &HeroStand, &HeroWalk1, &HeroWalk2, &HeroJump, &HeroJump, &HeroJump, &HeroJump, &HeroShoot,
          &HeroShoot, &HeroSword, &HeroSword}},
        {CharaCell::Slime,
         {&Slime1, &Slime2, &Slime1, &Slime2, &Slime2, &Slime2, &Slime2, &Slime2, &Slime1, &Slime1, &Slime1, &Slime1}},
        {CharaCell::Bat, {&Bat1, &Bat2, &Bat1, &Bat2, &Bat1, &Bat2, &Bat1, &Bat2, &Bat1, &Bat2, &Bat1, &Bat2}},
        {CharaCell::Hopper,
         {&Hopper2, &Hopper2, &Hopper1, &Hopper2, &Hopper1, &Hopper1, &Hopper1, &Hopper1, &Hopper2, &Hopper2, &Hopper2,
          &Hopper2}},
        {CharaCell::Boss,
         {&Boss1, &Boss2, &Boss1, &Boss2, &Boss2, &Boss2, &Boss2, &Boss2, &Boss1, &Boss1, &Boss2, &Boss2}},
        {CharaCell::Crate,
         {&Crate, &Crate, &Crate, &Crate, &Crate, &Crate, &Crate, &Crate, &Crate, &Crate, &Crate, &Crate}},
    });
}

// The other sheets: the same characters in the colours of later worlds,
// each colour moved on by some of the twelve 16-colour ramps.
Canvas8 Recoloured(int ramps) {
    Canvas8 c = Characters1();
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            const std::uint8_t p = c.At(x, y);
            if (p >= 16 && p < 208) c.Set(x, y, static_cast<std::uint8_t>(16 + ((p - 16) + ramps * 16) % 192));
        }
    }
    return c;
}

Canvas8 ItemSheet() {
    Canvas8 c(2 * 64, 15 * kCell);
    const PixelArt* frames[ItemCell::Count][2] = {{&Art::Gem, &Art::Gem},     {&Art::Coin1, &Art::Coin2},
                                                  {&Art::Heart, &Art::Heart}, {&Art::Key, &Art::Key},
                                                  {&Art::Goal1, &Art::Goal2}, {&Art::Gem, &Art::Gem}};
    for (int n = 1; n < ItemCell::Count; ++n) {
        for (int col = 0; col < 2; ++col) Sprite(c, *frames[n][col], n / 15 * 64 + col * kCell, n % 15 * kCell);
    }
    return c;
}

Canvas8 ItemMini() {
    Canvas8 c(64, 15 * 16);
    const PixelArt* art[ItemCell::Count] = {nullptr, &Art::Coin1, &Art::Heart, &Art::Key, &Art::Goal1, &Art::Gem};
    for (int n = 1; n < ItemCell::Count; ++n) c.Draw(*art[n], SpriteKey(), n / 15 * 32, n % 15 * 16, 1);
    return c;
}

Canvas8 ShotSheet() {
    // Graphic g: column g mod 30, frames in rows (g / 30) * 2 and + 1.
    Canvas8 c(30 * 16, 8 * 16);
    const PixelArt* frames[ShotGraphic::Count][2] = {
        {&Art::Bullet1, &Art::Bullet2}, {&Art::Orb1, &Art::Orb2}, {&Art::Blade1, &Art::Blade2}};
    for (int g = 0; g < ShotGraphic::Count; ++g) {
        for (int f = 0; f < 2; ++f) c.Draw(*frames[g][f], SpriteKey(), g % 30 * 16, (f + g / 30 * 2) * 16, 1, true);
    }
    return c;
}

Canvas8 MarkSheet() {
    Canvas8 c(2 * kCell, 15 * kCell);
    for (int n = 1; n < 15; ++n) {
        c.FillRect(8, n * kCell + 4, 16, 16, Ramp(Pal::Yellow, 8 + n % 6));
        c.Frame(8, n * kCell + 4, 16, 16, Pal::Black);
        c.Glyph(static_cast<char>('0' + n % 10), 14, n * kCell + 8, 1, Pal::Black);
    }
    return c;
}

Canvas8 Framed(int w, int h, int ramp) {
    Canvas8 c(w, h);
    c.ShadeRect(0, 0, w, h, ramp, 3, 6);
    c.Frame(0, 0, w, h, Pal::White);
    return c;
}

Canvas8 TitlePicture() {
    Canvas8 c(640, 480);
    c.ShadeRect(0, 0, 640, 320, Pal::Sky, 6, 12);
    c.ShadeRect(0, 320, 640, 160, Pal::Green, 8, 4);
    for (int x = 0; x < 640; x += 32) Sprite(c, Art::Grass, x, 288);
    c.Text("STAR RUNNER", 320 - Canvas8::TextWidth("STAR RUNNER", 6) / 2 + 4, 84, 6, Pal::Black);
    c.Text("STAR RUNNER", 320 - Canvas8::TextWidth("STAR RUNNER", 6) / 2, 80, 6, Ramp(Pal::Yellow, 11));
    Sprite(c, Art::HeroJump, 160, 240);
    Sprite(c, Art::Slime1, 440, 288);
    Sprite(c, Art::Coin1, 232, 208);
    Sprite(c, Art::Coin1, 272, 192);
    return c;
}

Canvas8 GameModePicture() {
    // One 32-pixel strip per title command.
    const char* names[] = {"NEW GAME", "CONTINUE", "CHALLENGE", "FREE PLAY", "REPLAY", "OPTIONS", "QUIT"};
    Canvas8 c(256, 32 * 7);
    int y = 0;
    for (const char* name : names) {
        c.Text(name, 16, y + 9, 2, Pal::White);
        y += 32;
    }
    return c;
}

Canvas8 AccessoryPicture() {
    Canvas8 c(128, 224);
    c.Draw(PixelArt{{"..k.....", "..kk....", "..kyk...", "..kyyk..", "..kyk...", "..kk....", "..k....."}}, SpriteKey(),
           0, 0, 4);
    c.Draw(PixelArt{{"k.......", "kk......", "kyk.....", "kyyk....", "kyk.....", "kk......", "k......."}}, SpriteKey(),
           64, 0, 2);
    // The same cursor dimmed: it stays on the chosen row while a question
    // about it is open (the save's confirmation, an option's value).
    c.Draw(PixelArt{{"k.......", "kk......", "kek.....", "keek....", "kek.....", "kk......", "k......."}}, SpriteKey(),
           80, 0, 2);
    c.Draw(PixelArt{{"........", ".......g", "......gg", "g....gg.", "gg..gg..", ".gggg...", "..gg...."}}, SpriteKey(),
           96, 0, 4);
    const PixelArt* icons[5] = {&Art::Coin1, &Art::Gem, &Art::Heart, &Art::Orb1, &Art::HeroStand};
    for (int i = 0; i < 5; ++i) c.Draw(*icons[i], SpriteKey(), 16 * i, 32, 1);
    c.Draw(Art::HeroStand, SpriteKey(), 0, 48, 1);
    // The hero walking on the world map, two frames per facing: down and
    // up at y 64, right and left at y 96.
    const struct {
        int x, y;
        const PixelArt* frames[2];
        bool mirrored;
    } walkers[] = {{0, 64, {&Art::MapHero, &Art::MapHero}, false},
                   {64, 64, {&Art::MapHero, &Art::MapHero}, true},
                   {0, 96, {&Art::HeroWalk1, &Art::HeroWalk2}, false},
                   {64, 96, {&Art::HeroWalk1, &Art::HeroWalk2}, true}};
    for (const auto& w : walkers) {
        Sprite(c, *w.frames[0], w.x, w.y + 2, w.mirrored);
        Sprite(c, *w.frames[1], w.x + 32, w.y, w.mirrored);
    }
    for (int gauge = 0; gauge < 2; ++gauge) {
        const int x = gauge * 64;
        c.FillRect(x, 128, 50, 16, Pal::Black);
        c.Frame(x, 128, 50, 16, Pal::White);
        c.ShadeRect(x, 144, 50, 16, gauge == 0 ? Pal::Green : Pal::Sky, 10, 6);
        c.ShadeRect(x, 160, 50, 16, Pal::Red, 10, 6);
        for (int row = 208; row < 224; row += 2) {
            c.FillRect(x, row, 50, 2, Ramp(gauge == 0 ? Pal::Green : Pal::Sky, 6 + (row - 208) / 2));
        }
    }
    return c;
}

Canvas8 SymbolPicture() {
    // Symbol letters a to z of the 16-pixel font: one 16 x 16 icon each.
    Canvas8 c(26 * 16, 16);
    const PixelArt* icons[] = {&Art::Coin1, &Art::Heart, &Art::Key, &Art::Gem, &Art::Goal1, &Art::HeroStand};
    for (int i = 0; i < 26; ++i) c.Draw(*icons[i % 6], SpriteKey(), i * 16, 0, 1);
    return c;
}

// A banner word centred in its place of the word picture.
struct Banner {
    const char* text;
    int x, y, width, scale;
};

Canvas8 WordPicture() {
    // Banner words 32 pixels high where the stage scene takes them, then
    // the two 32 x 32 digit strips (start banner and time display).
    const Banner banners[] = {{"STAGE", 0, 0, 128, 3},
                              {"GO!", 160, 0, 80, 3},
                              {"REPLAY", 0, 32, 128, 3},
                              {"CLEAR!", 0, 64, 128, 3},
                              {"GAME OVER", 0, 96, 144, 2}};
    Canvas8 c(320, 192);
    for (const Banner& b : banners) {
        const int left = b.x + (b.width - Canvas8::TextWidth(b.text, b.scale)) / 2;
        const int top = b.y + (32 - 7 * b.scale) / 2;
        c.Text(b.text, left + 1, top + 1, b.scale, Pal::Black);
        c.Text(b.text, left, top, b.scale, Ramp(Pal::Yellow, 11));
    }
    for (int strip = 0; strip < 2; ++strip) {
        for (int d = 0; d < 10; ++d) {
            c.Glyph(static_cast<char>('0' + d), d * 32 + 6, 128 + strip * 32 + 2, 4,
                    strip ? Pal::White : Ramp(Pal::Orange, 11));
        }
    }
    return c;
}

Canvas8 DebugPicture() {
    Canvas8 c(256, 32);
    c.Text("DEBUG", 2, 2, 2, Pal::White);
    return c;
}

Canvas8 LoadingPicture() {
    Canvas8 c(640, 480, Pal::Black);
    c.Text("NOW LOADING", 320 - Canvas8::TextWidth("NOW LOADING", 3) / 2, 440, 3, Pal::White);
    return c;
}

Canvas8 MapChips() {
    // Five chips a row: 0 sea and 1 mountain (blocked), 2 grass, 3 road,
    // 4 bridge.
    Canvas8 c(5 * kCell, 2 * kCell);
    c.ShadeRect(0, 0, kCell, kCell, Pal::Blue, 7, 9);
    c.FillRect(32, 0, kCell, kCell, Ramp(Pal::Green, 7));
    c.Draw(PixelArt{{"...ee...", "..eeEe..", ".eewEEe.", ".eeeEEe.", "eeeeEEEe", "EEEEEEEE"}}, SpriteKey(), 32, 6, 4);
    c.FillRect(64, 0, kCell, kCell, Ramp(Pal::Green, 7));
    c.FillRect(96, 0, kCell, kCell, Ramp(Pal::Green, 7));
    c.FillRect(96 + 8, 0, 16, kCell, Pal::Brown);
    c.FillRect(96, 8, kCell, 16, Pal::Brown);
    c.ShadeRect(128, 0, kCell, kCell, Pal::Blue, 7, 9);
    c.FillRect(128, 8, kCell, 16, Pal::DarkBrown);
    return c;
}

Canvas8 MapEvents() {
    // Rows of point icons: column 0 open, column 1 cleared.
    Canvas8 c(2 * kCell, 3 * kCell);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 2; ++col) {
            const int ramp = col ? Pal::Yellow : (row == 2 ? Pal::Red : Pal::Sky);
            c.FillRect(col * kCell + 6, row * kCell + 6, 20, 20, Ramp(ramp, 9));
            c.Frame(col * kCell + 6, row * kCell + 6, 20, 20, Pal::Black);
        }
    }
    return c;
}

Canvas8 EffectSheet() {
    Canvas8 c(4 * kCell, kCell);
    const PixelArt* frames[] = {&Art::Spark1, &Art::Spark2, &Art::Spark3, &Art::Spark4};
    for (int i = 0; i < 4; ++i) Sprite(c, *frames[i], i * kCell, 0);
    return c;
}

Canvas8 BossFace() {
    Canvas8 c(160, 160, Pal::Black);
    c.Frame(0, 0, 160, 160, Pal::White);
    c.Draw(Art::Boss1, SpriteKey(), 16, 16, 8);
    return c;
}

Canvas8 WarningPicture() {
    Canvas8 c(320, 64);
    c.ShadeRect(0, 0, 320, 64, Pal::Red, 4, 7);
    c.Text("WARNING!", 160 - Canvas8::TextWidth("WARNING!", 4) / 2, 18, 4, Pal::White);
    return c;
}

Canvas8 SwordPicture(bool facingRight) {
    Canvas8 c(2 * kCell, kCell);
    Sprite(c, Art::Blade1, 0, 0, !facingRight);
    Sprite(c, Art::Blade2, kCell, 0, !facingRight);
    return c;
}

Canvas8 DedicatedPicture() {
    Canvas8 c(16 * kCell, 2 * kCell);
    for (int i = 0; i < 16; ++i) Sprite(c, i % 2 ? Art::Boss2 : Art::Boss1, i * kCell, 0, true);
    return c;
}

Canvas24 Backdrop(Rgb top, Rgb bottom, Rgb hills, Rgb nearHills) {
    Canvas24 c(640, 480);
    c.Gradient(0, 0, 640, 480, top, bottom);
    c.Hills(380, 90, 2.0, 0.5, hills);
    c.Hills(430, 50, 3.0, 2.0, nearHills);
    return c;
}

struct PictureFile {
    const char* path;
    std::function<Bytes()> draw;
};

template <class Make>
std::function<Bytes()> Picture(Make make) {
    return [make] { return make().Encode(); };
}

const std::vector<PictureFile>& PictureFiles() {
    static const std::vector<PictureFile> files = {
        {"bmp\\plt\\Palette.bmp", Picture(PalettePicture)},
        {"bmp\\Debug.bmp", Picture(DebugPicture)},
        {"bmp\\Block.bmp", Picture(BlockSheet)},
        {"bmp\\Character1.bmp", Picture(Characters1)},
        // The player loads all eight character sheets for every stage.
        {"bmp\\Character2.bmp", Picture([] { return Recoloured(3); })},
        {"bmp\\Character3.bmp", Picture([] { return Recoloured(6); })},
        {"bmp\\Character4.bmp", Picture([] { return Recoloured(9); })},
        {"bmp\\Character5.bmp", Picture([] { return Recoloured(1); })},
        {"bmp\\Character6.bmp", Picture([] { return Recoloured(4); })},
        {"bmp\\Character7.bmp", Picture([] { return Recoloured(7); })},
        {"bmp\\Character8.bmp", Picture([] { return Recoloured(10); })},
        {"bmp\\Shot.bmp", Picture(ShotSheet)},
        {"bmp\\Item.bmp", Picture(ItemSheet)},
        {"bmp\\Item_Mini.bmp", Picture(ItemMini)},
        {"bmp\\Mark.bmp", Picture(MarkSheet)},
        {"bmp\\Loading.bmp", Picture(LoadingPicture)},
        {"bmp\\Window.bmp", Picture([] { return Framed(640, 480, Pal::Blue); })},
        {"bmp\\StatusWindow.bmp", Picture([] { return Framed(640, 20, Pal::Grey); })},
        {"bmp\\Title.bmp", Picture(TitlePicture)},
        {"bmp\\GameMode.bmp", Picture(GameModePicture)},
        {"bmp\\Accessory.bmp", Picture(AccessoryPicture)},
        {"bmp\\Symbol.bmp", Picture(SymbolPicture)},
        {"bmp\\Word.bmp", Picture(WordPicture)},
        {"bmp\\WorldMapChip.bmp", Picture(MapChips)},
        {"bmp\\WorldEvent.bmp", Picture(MapEvents)},
        {"bmp\\WorldBack.bmp", Picture([] { return Backdrop(0x102050, 0x4070C0, 0x203860, 0x183050); })},
        {"bmp\\back\\Sky.bmp", Picture([] { return Backdrop(0x3080F0, 0xC0E8FF, 0x70B070, 0x408840); })},
        {"bmp\\back\\Cave.bmp", Picture([] { return Backdrop(0x100818, 0x402838, 0x281820, 0x180C10); })},
        {"bmp\\back\\Castle.bmp", Picture([] { return Backdrop(0x200000, 0xA04020, 0x301010, 0x100000); })},
        {"bmp\\effect\\Spark.bmp", Picture(EffectSheet)},
        {"bmp\\picture\\BossFace.bmp", Picture(BossFace)},
        {"bmp\\picture\\Warning.bmp", Picture(WarningPicture)},
        {"bmp\\sword\\BladeL.bmp", Picture([] { return SwordPicture(false); })},
        {"bmp\\sword\\BladeR.bmp", Picture([] { return SwordPicture(true); })},
        {"bmp\\chara_sp\\Boss.bmp", Picture(DedicatedPicture)},
    };
    return files;
}

}  // namespace

void WritePictures(GameFolder& folder) {
    for (const PictureFile& file : PictureFiles()) folder.WriteBytes(file.path, file.draw());
    // The 8-bit mode mixes colours through a table per palette option.
    for (int n = 0; n < 24; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "bmp\\hbt\\hbt%02d.dat", n);
        folder.WriteBytes(name, BlendTable(n));
    }
}
