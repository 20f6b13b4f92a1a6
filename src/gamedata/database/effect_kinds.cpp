#include "gamedata/database/effect_kinds.h"

#include <iterator>

#include "gamedata/database/database_entries.h"

namespace {

constexpr EffectParamInfo Time(int initial) { return {"実行時間(1/10s)", 1, 9999, initial}; }
constexpr EffectParamInfo kNone = {nullptr, 0, 0, 0};

// Index 0 is "none" and carries no vocabulary.
constexpr EffectKindInfo kCharaKinds[cCharaEffect::kKindCount + 1] = {
    {"", {kNone, kNone, kNone, kNone, kNone}},
    {"破裂", {Time(5), {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, kNone, kNone}},
    {"分割（横）", {Time(5), {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}, kNone}},
    {"分割（縦）", {Time(5), {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}, kNone}},
    {"波（横）",
     {Time(5),
      {"開始幅(dot)", 0, 999, 0},
      {"終了幅(dot)", 0, 999, 32},
      {"波の数", 2, 16, 2},
      {"波の粗さ(dot)", 1, 4, 2}}},
    {"波（縦）",
     {Time(5),
      {"開始幅(dot)", 0, 999, 0},
      {"終了幅(dot)", 0, 999, 32},
      {"波の数", 2, 16, 2},
      {"波の粗さ(dot)", 1, 4, 2}}},
    {"点滅", {Time(10), {"点滅間隔(1/60s)", 1, 9999, 2}, kNone, kNone, kNone}},
    {"回転A", {Time(10), {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone}},
    {"回転B", {Time(10), {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone}},
    {"回転（奥）", {Time(10), {"開始位置(dot)", 0, 9999, 0}, {"終了位置(dot)", 0, 9999, 256}, kNone, kNone}},
    {"円", {Time(5), {"開始半径(dot)", 0, 32, 32}, {"終了半径(dot)", 0, 32, 0}, {"円の粗さ(dot)", 1, 4, 2}, kNone}},
    {"拡大", {Time(10), {"開始幅(dot)", 0, 320, 32}, {"終了幅(dot)", 0, 320, 64}, kNone, kNone}},
    {"レンズ",
     {Time(10),
      {"開始距離", 0, 100, 100},
      {"終了距離", 0, 100, 5},
      {"ズレX(dot)", -16, 16, 0},
      {"ズレY(dot)", -16, 16, 0}}},
    {"色変化", {Time(10), {"開始合成度", 1, 4, 1}, {"終了合成度", 1, 4, 1}, {"色", 16, 207, 16}, kNone}},
    {"半透明", {Time(10), {"点滅間隔(1/60s)", 1, 9999, 9999}, kNone, kNone, kNone}},
    {"モザイク", {Time(10), {"開始強度", 1, 16, 1}, {"終了強度", 1, 16, 8}, kNone, kNone}},
    {"ぼかし", {Time(10), {"開始強度", 1, 4, 1}, {"終了強度", 1, 4, 4}, kNone, kNone}},
};

constexpr EffectKindInfo kScreenKinds[cScrEffect::kKindCount + 1] = {
    {"", {kNone, kNone, kNone, kNone, kNone}},
    {"移動",
     {Time(10),
      {"開始座標X(dot)", -640, 640, 0},
      {"開始座標Y(dot)", -480, 480, 0},
      {"終了座標X(dot)", -640, 640, 640},
      {"終了座標Y(dot)", -480, 480, 0}}},
    {"振動（横）", {Time(10), {"振動幅(dot)", 1, 640, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone}},
    {"振動（縦）", {Time(10), {"振動幅(dot)", 1, 480, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone}},
    {"分割（横）",
     {Time(10), {"開始位置(dot)", 0, 640, 0}, {"終了位置(dot)", 0, 640, 640}, {"分割数", 2, 240, 15}, kNone}},
    {"分割（縦）",
     {Time(10), {"開始位置(dot)", 0, 480, 0}, {"終了位置(dot)", 0, 480, 480}, {"分割数", 2, 320, 20}, kNone}},
    {"波（横）",
     {Time(10),
      {"開始幅(dot)", 0, 640, 0},
      {"終了幅(dot)", 0, 640, 640},
      {"波の数", 2, 240, 4},
      {"波の粗さ(dot)", 1, 48, 8}}},
    {"波（縦）",
     {Time(10),
      {"開始幅(dot)", 0, 480, 0},
      {"終了幅(dot)", 0, 480, 480},
      {"波の数", 2, 320, 4},
      {"波の粗さ(dot)", 1, 64, 10}}},
    {"点滅", {Time(10), {"点滅間隔(1/60s)", 1, 9999, 10}, kNone, kNone, kNone}},
    {"回転", {Time(10), {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone}},
    {"円",
     {Time(10), {"開始半径(dot)", 0, 640, 640}, {"終了半径(dot)", 0, 640, 0}, {"円の粗さ(dot)", 1, 48, 8}, kNone}},
    {"拡大", {Time(10), {"開始幅(dot)", 0, 6400, 640}, {"終了幅(dot)", 0, 6400, 1280}, kNone, kNone}},
    {"レンズ",
     {Time(10),
      {"開始距離", 0, 1500, 1500},
      {"終了距離", 0, 1500, 5},
      {"ズレX(dot)", -320, 320, 0},
      {"ズレY(dot)", -240, 240, 0}}},
    {"モザイク", {Time(10), {"開始強度", 1, 240, 1}, {"終了強度", 1, 240, 60}, kNone, kNone}},
};

template <std::size_t N>
const EffectKindInfo* KindIn(const EffectKindInfo (&table)[N], int kind) {
    if (kind < 1 || static_cast<std::size_t>(kind) >= N) return nullptr;
    return &table[kind];
}

}  // namespace

const EffectKindInfo* CharaEffectKind(int kind) { return KindIn(kCharaKinds, kind); }
const EffectKindInfo* ScrEffectKind(int kind) { return KindIn(kScreenKinds, kind); }
