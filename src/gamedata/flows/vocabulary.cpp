#include "gamedata/flows/vocabulary.h"

namespace {

const char* const kCondKinds[] = {"",
                                  "コモン変数条件",
                                  "ステージ変数条件",
                                  "キャラ変数条件",
                                  "ステータス条件",
                                  "ステータス条件2",
                                  "ステータス条件3",
                                  "距離条件",
                                  ""};
const char* const kCompareOps[] = {"である", "でない",       "以上",         "以下", "より上",
                                   "より下", "の倍数である", "の倍数でない", ""};
const RangedName kCharaStatus[] = {
    {"キャラ変数", -999999, 999999},
    {"HP", 0, 999999},
    {"SP", 0, 999999},
    {"最大HP", 0, 999999},
    {"最大SP", 0, 999999},
    {"キャラID", 0, 99},
    {"X座標", -16384, 16384},
    {"Y座標", -16384, 16384},
    {"Z座標", 0, 8},
    {"マーク番号", 0, 119},
    {"視界範囲(hbl)", 0, 40},
    {"体当たりの威力", -999999, 999999},
    {"体当たりの衝撃", -20, 20},
    {"防御力", 0, 999999},
    {"衝撃耐性", 0, 20},
    {"止まりやすさ", 0, 200},
    {"倒したら獲得するスコア", -999999, 999999},
    {"", 0, 0},
};
const RangedName kSystemStatus[] = {
    {"時間", 0, 999},
    {"横スクロール速度", -480, 480},
    {"縦スクロール速度", -480, 480},
    {"スコア", 0, 999999},
    {"残り人数", 0, 99},
    {"", 0, 0},
};
const char* const kOnlyOn[] = {"ON", ""};
const char* const kOffOn[] = {"OFF", "ON", ""};
const char* const kFlyValues[] = {"OFF", "ON (ブロックをすり抜ける)", "ON (ブロックに当たる)",
                                  "ON (ブロックに当たると即死)", ""};
const char* const kInvincibleValues[] = {"OFF", "ON (ショットが当たる)", "ON (ショットがすり抜ける)", ""};
const char* const kScaleValues[] = {"しない", "×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100", ""};
const StateName kCharaStates[] = {
    {"消滅", 0, 0, 0, kOnlyOn},
    {"透明", 0, 1, 0, kOffOn},
    {"向き固定", 0, 1, 0, kOffOn},
    {"飛行", 0, 3, 0, kFlyValues},
    {"無敵", 0, 2, 0, kInvincibleValues},
    {"巨大化", 1, 10, 1, kScaleValues},
    {"オートスクロールとシンクロ", 0, 1, 0, kOffOn},
    {"", 0, 0, 0, {}},
};
const char* const kStatusTests[] = {"左向き",       "右向き",       "ブロックに乗っている(ブロックキャラも含む)",
                                    "画面内にいる", "存在している", ""};
const char* const kAreaShapes[] = {"横", "前", "後", "縦", "前Y", "後Y", "円", ""};
const char* const kDistanceObjects[] = {"主人公", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", ""};
const char* const kCharaVars[] = {"1 キャラ変数-1", "2 キャラ変数-2", "3 キャラ変数-3",
                                  "4 キャラ変数-4", "5 キャラ変数-5", "6 キャラ変数-6",
                                  "7 キャラ変数-7", "8 キャラ変数-8", ""};
const char* const kAssignOps[] = {"＝", "＋", "－", "×", "÷", "÷ X の余り", "X ％", ""};
const char* const kNegation[] = {"なら", "でないなら", ""};
const char* const kCondListModes[] = {"全ての条件が真なら成立", "1つ以上の条件が真なら成立", ""};
const char* const kAreaDisplay[] = {"表示しない", "表示する", "テストプレイ時のみ表示", ""};

const char* const kMoveModes[] = {"方向で指定", "目標座標で指定", ""};
const char* const kWarpModes[] = {"方向と距離で指定",
                                  "ターゲット1からの方向と距離で指定",
                                  "ターゲット2からの方向と距離で指定",
                                  "ターゲット3からの方向と距離で指定",
                                  "ターゲット4からの方向と距離で指定",
                                  "目標座標で指定",
                                  ""};
const char* const kWarpDirections[] = {"前", "後",   "左",   "右",   "前Y",  "後Y",      "上",
                                       "下", "左上", "左下", "右上", "右下", "入力方向", ""};
const char* const kCircleTurns[] = {"右回り", "左回り", "左向きなら右回り、右向きなら左回り",
                                    "左向きなら左回り、右向きなら右回り", ""};
const char* const kMoveCoords[] = {"配置位置からの相対座標", "相対座標", "絶対座標", "画面座標", ""};
const char* const kCoordKinds[] = {"相対座標", "絶対座標", "画面座標", ""};
const char* const kUnits[] = {"(hbl)で指定", "(dot)で指定", ""};
const char* const kPoints[] = {"キャラの中心", "キャラの中央下", "歩行なら中央下、飛行なら中心", ""};
const char* const kStraightTimeModes[] = {"時間と速度を指定", "時間と距離を指定", "速度と距離を指定", ""};
const char* const kCircleTimeModes[] = {"時間を指定", "速度を指定", ""};
const char* const kMoveAnimes[] = {"移動アニメ", "静止アニメ", "その他", ""};
const char* const kTargetSlots[] = {"ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", ""};

const char* const kFormations[] = {"直進A", "直進B", "拡散", "落雷", "爆発", "包囲", ""};
const char* const kShotMoves[] = {"直進",
                                  "主人公を狙う",
                                  "近いキャラを狙う",
                                  "ターゲットを狙う",
                                  "主人公へ誘導",
                                  "近いキャラへ誘導（対象死亡時、誘導を無効化）",
                                  "ターゲットへ誘導",
                                  "近いキャラへ誘導（対象死亡時、対象を変更）",
                                  "ウェーブ",
                                  "落下",
                                  ""};
constexpr ParamLabel kNone{"", 0, 0, 0};
constexpr ParamLabel kGap{"間隔(hbl)", 0, 40, 0};
constexpr ParamLabel kCourse{"軌道変更(hbl)", 0, 40, 0};
constexpr ParamLabel kHomeStart{"誘導開始(hbl)", 0, 40, 0};
constexpr ParamLabel kHomeEnd{"誘導終了(hbl)", 0, 999, 999};
constexpr ParamLabel kSide{"対象勢力", 0, 7, 0};
const ParamLabel kFormationParams[] = {
    kGap,
    kNone,
    kNone,  // 直進A
    kGap,
    kNone,
    kNone,  // 直進B
    {"角度", 0, 180, 30},
    kNone,
    kNone,  // 拡散
    kGap,
    {"列の数", 1, 50, 1},
    {"列の間隔(hbl)", 0, 40, 0},  // 落雷
    kNone,
    kNone,
    kNone,  // 爆発
    {"距離(hbl)", 0, 40, 6},
    kNone,
    kNone,  // 包囲
};
const ParamLabel kShotMoveParams[] = {
    kNone,
    kNone,
    kNone,  // 直進
    kCourse,
    kNone,
    kNone,  // 主人公を狙う
    kCourse,
    kSide,
    kNone,  // 近いキャラを狙う
    kCourse,
    kNone,
    kNone,  // ターゲットを狙う
    kHomeStart,
    kHomeEnd,
    kNone,  // 主人公へ誘導
    kHomeStart,
    kHomeEnd,
    kSide,  // 近いキャラへ誘導
    kHomeStart,
    kHomeEnd,
    kNone,  // ターゲットへ誘導
    kHomeStart,
    kHomeEnd,
    kSide,  // 近いキャラへ誘導
    {"波の最大(hbl)", 0, 100, 4},
    {"波の速度", 0, 100, 4},
    {"開始角度", 0, 359, 0},  // ウェーブ
    kCourse,
    kNone,
    kNone,  // 落下
};
const char* const kShotOrigins[] = {"ターゲット", "主人公", "自分", ""};
const char* const kBlockSummonModes[] = {"ブロックを召喚", "ブロックを消す",
                                         "ブロックがなければ召喚、ブロックがあれば消す", ""};
const char* const kSummonSides[] = {"パレットの設定に準ずる", "使用者と同じ", "番号で指定", ""};
const char* const kPalettes[] = {"コモンパレット", "ステージパレット", ""};
const char* const kCommonPaletteOnly[] = {"コモンパレット", ""};

const char* const kTriggers[] = {
    "常時",
    "ダメージを受けた時（設定値「威力」が0以外）",
    "ダメージを受けた時（受けたダメージが1以上）",
    "衝撃を受けた時（設定値「衝撃」が0以外）",
    "衝撃を受けた時（受けた衝撃が1以上か-1以下）",
    "死亡した時",
    "キャラに当たった時",
    "ブロックキャラに当たった時",
    "ブロックキャラに乗っている時",
    "ショットに当たった時",
    "アイテムに当たった時",
    "ブロックに当たった時",
    "自分の左右にブロックが当たった時",
    "自分の左にブロックが当たった時",
    "自分の右にブロックが当たった時",
    "自分の上下にブロックが当たった時",
    "自分の上にブロックが当たった時",
    "自分の下にブロックが当たった時",
    "主人公に乗られている時",
    "キャラに乗られている時",
    "アタックでダメージを与えた時（設定値「威力」が0以外）",
    "アタックでダメージを与えた時（与えたダメージが1以上）",
    "アタックで衝撃を与えた時（設定値「衝撃」が0以外）",
    "アタックで衝撃を与えた時（与えた衝撃が1以上か-1以下）",
    "アタックを当てた時",
    "ステージ開始前",
    "なし（フローの操作コマンドで実行）",
    "",
};
#define LETTERS_UPPER                                                                                                  \
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", \
        "X", "Y", "Z"
const char* const kFlowIds[] = {"-", LETTERS_UPPER, ""};
const char* const kFlowIdSelectors[] = {"全て", LETTERS_UPPER, ""};
#undef LETTERS_UPPER
const char* const kFlowGroups[] = {"-", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
                                   "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z", ""};
const char* const kKeyStates[] = {"--", "押", "離", ""};
const char* const kKeyModes[] = {"全てのキーが真なら成立", "1つ以上のキーが真なら成立", "1つだけキーが真なら成立", ""};

const ParamLabel* Label(std::span<const ParamLabel> table, int kind, int i) {
    if (kind < 0 || i < 0 || i > 2) return nullptr;
    auto at = static_cast<std::size_t>(kind) * 3 + static_cast<std::size_t>(i);
    return at < table.size() ? &table[at] : nullptr;
}

}  // namespace

const NameList CondKindNames = kCondKinds;
const NameList CompareOpNames = kCompareOps;
const std::span<const RangedName> CharaStatusNames = kCharaStatus;
const std::span<const RangedName> SystemStatusNames = kSystemStatus;
const std::span<const StateName> CharaStateNames = kCharaStates;
const NameList StatusTestNames = kStatusTests;
const NameList AreaShapeNames = kAreaShapes;
const NameList DistanceObjectNames = kDistanceObjects;
const NameList CharaVarNames = kCharaVars;
const NameList AssignOpNames = kAssignOps;
const NameList NegationNames = kNegation;
const NameList CondListModeNames = kCondListModes;
const NameList AreaDisplayNames = kAreaDisplay;

const NameList MoveModeNames = kMoveModes;
const NameList WarpModeNames = kWarpModes;
const NameList WarpDirectionNames = kWarpDirections;
const NameList CircleTurnNames = kCircleTurns;
const NameList MoveCoordNames = kMoveCoords;
const NameList CoordKindNames = kCoordKinds;
const NameList UnitNames = kUnits;
const NameList PointNames = kPoints;
const NameList StraightTimeModeNames = kStraightTimeModes;
const NameList CircleTimeModeNames = kCircleTimeModes;
const NameList MoveAnimeNames = kMoveAnimes;
const NameList TargetSlotNames = kTargetSlots;

const NameList ShotFormationNames = kFormations;
const NameList ShotMoveKindNames = kShotMoves;
const std::span<const ParamLabel> ShotFormationParams = kFormationParams;
const std::span<const ParamLabel> ShotMoveParams = kShotMoveParams;
const NameList ShotOriginNames = kShotOrigins;
const NameList BlockSummonModeNames = kBlockSummonModes;
const NameList SummonSideNames = kSummonSides;
const NameList PaletteNames = kPalettes;
const NameList CommonPaletteOnlyNames = kCommonPaletteOnly;

const NameList FlowTriggerNames = kTriggers;
const NameList FlowIdNames = kFlowIds;
const NameList FlowIdSelectorNames = kFlowIdSelectors;
const NameList FlowGroupNames = kFlowGroups;
const NameList KeyStateNames = kKeyStates;
const NameList KeyModeNames = kKeyModes;

const ParamLabel* FormationParam(int formation, int i) { return Label(ShotFormationParams, formation, i); }

const ParamLabel* ShotMoveParam(int kind, int i) { return Label(ShotMoveParams, kind, i); }
