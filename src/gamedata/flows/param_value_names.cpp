#include "gamedata/flows/param_value_names.h"

namespace {

const char* const kChangeDirection[] = {"左を向く",
                                        "右を向く",
                                        "ターゲット1がいる方を向く",
                                        "ターゲット1がいる方の逆を向く",
                                        "ターゲット2がいる方を向く",
                                        "ターゲット2がいる方の逆を向く",
                                        "ターゲット3がいる方を向く",
                                        "ターゲット3がいる方の逆を向く",
                                        "ターゲット4がいる方を向く",
                                        "ターゲット4がいる方の逆を向く",
                                        "最後にブロックが当たった方を向く",
                                        "最後にブロックが当たった方の逆を向く",
                                        ""};
const char* const kJumpHeightModes[] = {"高さがキーで調節できない", "高さがキーで調節できる(主人公のみ有効)",
                                        "慣性移動速度に応じて高さを決定(主人公のみ有効)", ""};
const char* const kFlowOperations[] = {"開始", "終了", "一時停止", "再開", "削除", "永久停止", ""};
const char* const kFlowSelect[] = {"このフロー", "このフロー以外全て", "指定IDのフロー", ""};
const char* const kSelfOrTarget[] = {"自分", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", ""};
const char* const kOwners[] = {"自分", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", "システム", ""};
const char* const kStageClear[] = {"次のステージへ", "番号で指定", "パスで指定", "ワールドクリア", ""};
const char* const kNextFacing[] = {"左向き", "右向き", "ステージクリア時の向きと同じ", ""};
const char* const kMessagePositions[] = {"画面中央に表示",
                                         "自分の上に表示",
                                         "自分の下に表示",
                                         "自分の中心に表示",
                                         "主人公の上に表示",
                                         "主人公の下に表示",
                                         "主人公の中心に表示",
                                         "画面座標で指定（左上を指定）",
                                         "画面座標で指定（中心を指定）",
                                         "ステージ座標で指定（左上を指定）",
                                         "ステージ座標で指定（中心を指定）",
                                         ""};
const char* const kDisplayTimes[] = {"進行キーが押されるまで表示", "ステージ終了まで表示", "時間で指定", ""};
const char* const kTargetWhom[] = {"主人公",
                                   "自分",
                                   "最も近いキャラ",
                                   "キャラ（キャラIDで指定）",
                                   "親キャラ（自分を召喚したキャラ）",
                                   "子キャラ（最後に召喚したキャラ）",
                                   "子キャラ（条件付き。後で召喚したキャラ優先)",
                                   "ターゲット1",
                                   "ターゲット2",
                                   "ターゲット3",
                                   "ターゲット4",
                                   ""};
const char* const kTargetSearch[] = {"全範囲（画面内のキャラ優先）", "全範囲", "画面内", ""};
const char* const kTargetNotFound[] = {"ターゲット無し", "ターゲットを変更しない", ""};
const char* const kStatusLeft[] = {"ステータス", "変数", ""};
const char* const kVarScopes[] = {"コモン変数", "ステージ変数", ""};
const char* const kStatusRight[] = {"定数", "乱数", "ステータス", "変数", ""};
const char* const kStatusCalc[] = {"通常の計算", "最大値に対する％で指定", "現在値に対する％で指定", ""};
const char* const kVarKinds[] = {"コモン変数", "ステージ変数", "キャラ変数", ""};
const char* const kVanishWhat[] = {"キャラ",
                                   "ショット",
                                   "子以下のキャラ",
                                   "子のショット",
                                   "子以下のキャラと子以下のショット",
                                   "子以下のキャラと孫以下のショット",
                                   ""};
const char* const kVanishRange[] = {"画面内", "全範囲", ""};
const char* const kEffectPositions[] = {"画面中央に表示",
                                        "キャラの中心に表示",
                                        "主人公の中心に表示",
                                        "画面座標で指定（左上を指定）",
                                        "画面座標で指定（中心を指定）",
                                        "ステージ座標で指定（左上を指定）",
                                        "ステージ座標で指定（中心を指定）",
                                        ""};
const char* const kEffectRunModes[] = {"通常実行", "反転実行", "往復実行", ""};
const char* const kShowHide[] = {"表示", "非表示", "反転(表示⇔非表示)", ""};
const char* const kFlowChange[] = {"追加", "変更", "削除", ""};
const char* const kFlowChangeIds[] = {"全て削除", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                      "N",        "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", ""};

}  // namespace

const NameList ChangeDirectionNames = kChangeDirection;
const NameList JumpHeightModeNames = kJumpHeightModes;
// The same editor lists as the movement part's unit and circle time mode,
// and the distance condition's objects.
const NameList JumpUnitNames = UnitNames;
const NameList JumpTimeModeNames = CircleTimeModeNames;
const NameList FlowOperationNames = kFlowOperations;
const NameList FlowSelectNames = kFlowSelect;
const NameList SelfOrTargetNames = kSelfOrTarget;
const NameList OwnerNames = kOwners;
const NameList HeroOrTargetNames = DistanceObjectNames;
const NameList StageClearNames = kStageClear;
const NameList NextFacingNames = kNextFacing;
const NameList MessagePositionNames = kMessagePositions;
const NameList DisplayTimeNames = kDisplayTimes;
const NameList TargetWhomNames = kTargetWhom;
const NameList TargetSearchNames = kTargetSearch;
const NameList TargetNotFoundNames = kTargetNotFound;
const NameList StatusLeftNames = kStatusLeft;
const NameList VarScopeNames = kVarScopes;
const NameList StatusRightNames = kStatusRight;
const NameList StatusCalcNames = kStatusCalc;
const NameList VarKindNames = kVarKinds;
const NameList VanishWhatNames = kVanishWhat;
const NameList VanishRangeNames = kVanishRange;
const NameList EffectPositionNames = kEffectPositions;
const NameList EffectRunModeNames = kEffectRunModes;
const NameList ShowHideNames = kShowHide;
const NameList FlowChangeNames = kFlowChange;
const NameList FlowChangeIdNames = kFlowChangeIds;
