#pragma once
// The vocabulary of command parameters: for each command kind the names of
// the values its parameters take (stored value = row). Item commands use
// the lists of the flow kind they equal.
#include "gamedata/flows/vocabulary.h"

extern const NameList ChangeDirectionNames;  // 向き変更 p[0]
extern const NameList JumpHeightModeNames;   // ジャンプ p[0]
extern const NameList JumpUnitNames;
extern const NameList JumpTimeModeNames;
extern const NameList FlowOperationNames;    // フローの操作 p[0]
extern const NameList FlowSelectNames;       // フローの操作 p[1]
extern const NameList SelfOrTargetNames;     // フローの操作 p[3] and owners without the system
extern const NameList OwnerNames;            // owners with the system
extern const NameList HeroOrTargetNames;     // owners with the hero in row 0
extern const NameList StageClearNames;       // ステージクリア p[0]
extern const NameList NextFacingNames;       // ステージクリア p[8]
extern const NameList MessagePositionNames;  // メッセージ p[0]
extern const NameList DisplayTimeNames;      // メッセージ p[6], ピクチャーの表示 p[8]
extern const NameList TargetWhomNames;       // ターゲットの設定 p[1]
extern const NameList TargetSearchNames;
extern const NameList TargetNotFoundNames;  // ターゲットの設定 p[15]
extern const NameList StatusLeftNames;      // ステータスの操作 p[0]
extern const NameList VarScopeNames;        // ステータスの操作 p[1], p[10]
extern const NameList StatusRightNames;     // ステータスの操作 p[6]
extern const NameList StatusCalcNames;      // ステータスの操作 p[15]
extern const NameList VarKindNames;
extern const NameList VanishWhatNames;      // 消滅 p[0]
extern const NameList VanishRangeNames;     // 消滅 p[2]
extern const NameList EffectPositionNames;  // エフェクトの実行 p[1], ピクチャーの表示 p[1]
extern const NameList EffectRunModeNames;   // キャラ/画面エフェクトの実行 p[1]
extern const NameList ShowHideNames;        // ピクチャーの表示, 背景の変更 p[1]
extern const NameList FlowChangeNames;      // フローの変更 p[0]
extern const NameList FlowChangeIdNames;    // フローの変更 p[1]
