#include "gamedata/flows/arrangeable_params.h"

#include <initializer_list>
#include <limits>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"

cVector<cVector<CommandParamDesc>> CommandParamTable;

namespace {

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

using D = CommandParamDesc;
using Row = std::initializer_list<CommandParamDesc>;

constexpr SoundField kSound{};
IntParamField P(int j) { return {j}; }
FormParamField F(int j) { return {j}; }
ShotMoveParamField M(int j) { return {j}; }

void Fill(int kind, Row row) { CommandParamTable[kind].assign(row.begin(), row.end()); }

// Movement commands that aim at a point share the target fields.
void FillMoves() {
    Fill(FlowKind::StraightMove, {
                                     D{"目標X", -16383, 16383, &cEdMove::m_sTargetX},
                                     D{"目標X(dot)", -640, 640, &cEdMove::m_sTargetDotX},
                                     D{"目標Y", -16383, 16383, &cEdMove::m_sTargetY},
                                     D{"目標Y(dot)", -640, 640, &cEdMove::m_sTargetDotY},
                                     D{"角度", -7200, 7200, &cEdMove::m_sAngle},
                                     D{"分身値による増加角度", -7200, 7200, &cEdMove::m_sAngleStep},
                                 });
    Fill(FlowKind::ChargeMove, {
                                   D{"目標のズレX(bl)", -640, 640, &cEdMove::m_sTargetX},
                                   D{"目標Xのズレ(dot)", -640, 640, &cEdMove::m_sTargetDotX},
                                   D{"目標Yのズレ(bl)", -640, 640, &cEdMove::m_sTargetY},
                                   D{"目標Yのズレ(dot)", -640, 640, &cEdMove::m_sTargetDotY},
                                   D{"角度", -7200, 7200, &cEdMove::m_sAngle},
                                   D{"分身値による増加角度", -7200, 7200, &cEdMove::m_sAngleStep},
                               });
    Fill(FlowKind::HomingMove, {
                                   D{"誘導性能の悪さ", 0, 10, &cEdMove::m_sHoming},
                                   D{"分身値による増加誘導性能の悪さ", 0, 10, &cEdMove::m_sHomingStep},
                                   D{"目標Xのズレ(bl)", -640, 640, &cEdMove::m_sTargetX},
                                   D{"目標Xのズレ(dot)", -640, 640, &cEdMove::m_sTargetDotX},
                                   D{"目標Yのズレ(bl)", -640, 640, &cEdMove::m_sTargetY},
                                   D{"目標Yのズレ(dot)", -640, 640, &cEdMove::m_sTargetDotY},
                               });
    Fill(FlowKind::ChangeDirection, {D{"効果音", 1, 9999, kSound}});
    Fill(FlowKind::Jump, {D{"効果音", 1, 9999, kSound}});
    Fill(FlowKind::Warp, {
                             D{"距離(hbl)", 0, 64, &cEdMove::m_sDistance},
                             D{"分身値による増加距離(hbl)", -40, 40, &cEdMove::m_sDistanceStep},
                             D{"目標X", -16383, 16383, &cEdMove::m_sTargetX},
                             D{"目標Y", -16383, 16383, &cEdMove::m_sTargetY},
                             D{"目標Xのズレ(dot)", -640, 640, &cEdMove::m_sTargetDotX},
                             D{"目標Yのズレ(dot)", -640, 640, &cEdMove::m_sTargetDotY},
                         });
}

void FillShots() {
    Fill(FlowKind::Shot, {
                             D{"グラフィック", 1, 120, &cEdShot::m_sGraphic},
                             D{"Z座標", 0, 7, &cEdShot::m_cZ},
                             D{"フォーメーション固有1", 0, kIntMax, F(0)},
                             D{"フォーメーション固有2", 0, kIntMax, F(1)},
                             D{"フォーメーション固有3", 0, kIntMax, F(2)},
                             D{"発射数", 1, 127, &cEdShot::m_cCount},
                             D{"発射数に対する分身数", 0, 20, &cEdShot::m_cCopies},
                             D{"角度のズレ", -7200, 7200, &cEdShot::m_sAngle},
                             D{"分身値による角度のズレ", -7200, 7200, &cEdShot::m_sAngleStep},
                             D{"分散角度", 0, 180, &cEdShot::m_sSpread},
                             D{"発射位置のズレX(dot)", -640, 640, &cEdShot::m_sOffsetX},
                             D{"分身値による発射位置のズレX(dot)", -640, 640, &cEdShot::m_sOffsetStepX},
                             D{"発射位置のズレY(dot)", -640, 640, &cEdShot::m_sOffsetY},
                             D{"分身値による発射位置のズレY(dot)", -640, 640, &cEdShot::m_sOffsetStepY},
                             D{"効果音", 1, 9999, kSound},
                             D{"勢力", 0, 7, &cEdShot::m_cSide},
                             D{"移動タイプ固有1", 0, kIntMax, M(0)},
                             D{"移動タイプ固有2", 0, kIntMax, M(1)},
                             D{"移動タイプ固有3", 0, kIntMax, M(2)},
                             D{"速度", -200, 200, &cEdShot::m_sSpeed},
                             D{"分身値による増加速度", -200, 200, &cEdShot::m_sSpeedStep},
                             D{"加速度", -200, 200, &cEdShot::m_sAccel},
                             D{"分身値による増加加速度", -200, 200, &cEdShot::m_sAccelStep},
                             D{"飛距離(hbl)", 0, 64, &cEdShot::m_sRange},
                             D{"分身値による増加飛距離", -40, 40, &cEdShot::m_sRangeStep},
                             D{"存在時間(1/10s)", 1, 999, &cEdShot::m_sLife},
                             D{"分身値よる増加存在時間", -99, 99, &cEdShot::m_sLifeStep},
                             D{"消滅値", 1, 9, &cEdShot::m_cVanishValue},
                             D{"威力", -999999, 999999, &cEdShot::m_nPower},
                             D{"衝撃", -20, 20, &cEdShot::m_cImpact},
                             D{"エフェクト", 1, 999, &cEdShot::m_sEffect},
                             D{"取得アイテム", 1, 9999, &cEdShot::m_sItem},
                         });
    Fill(FlowKind::Sword, {
                              D{"勢力", 0, 7, &cEdShot::m_cSide},
                              D{"Z座標", 0, 7, &cEdShot::m_cZ},
                              D{"威力", -999999, 999999, &cEdShot::m_nPower},
                              D{"衝撃", -20, 20, &cEdShot::m_cImpact},
                              D{"エフェクト", 1, 999, &cEdShot::m_sEffect},
                              D{"取得アイテム", 1, 9999, &cEdShot::m_sItem},
                              D{"効果音", 1, 9999, kSound},
                          });
}

// The summon commands place what they summon through the shot part; the
// character and item summons keep their life time in its range field. They
// share the formation, count, offsets and sound after their own head.
void FillSummon(int kind, Row head) {
    cVector<CommandParamDesc>& row = CommandParamTable[kind];
    row.assign(head.begin(), head.end());
    for (int j = 0; j < 3; ++j) {
        static const char* const kNames[] = {"フォーメーション固有1", "フォーメーション固有2", "フォーメーション固有3"};
        row.push_back(D{kNames[j], 0, kIntMax, F(j)});
    }
    row.push_back(D{"数", 1, 127, &cEdShot::m_cCount});
    row.push_back(D{"召喚位置のズレX(dot)", -640, 640, &cEdShot::m_sOffsetX});
    row.push_back(D{"召喚位置のズレY(dot)", -640, 640, &cEdShot::m_sOffsetY});
    row.push_back(D{"効果音", 1, 9999, kSound});
}

void FillSummons() {
    FillSummon(FlowKind::SummonBlock, {D{"ブロック", 1, 9999, &cEdShot::m_sSummon}});
    FillSummon(FlowKind::SummonChara, {
                                          D{"キャラ", 1, 9999, &cEdShot::m_sSummon},
                                          D{"存在時間(1/10s)", 1, 9999, &cEdShot::m_sRange},
                                          D{"勢力", 0, 7, &cEdShot::m_cSide},
                                      });
    FillSummon(FlowKind::SummonItem, {
                                         D{"アイテム", 1, 9999, &cEdShot::m_sSummon},
                                         D{"存在時間(1/10s)", 1, 9999, &cEdShot::m_sRange},
                                     });
}

// Commands whose arrangeable values are int parameters.
void FillIntParams() {
    Fill(FlowKind::StageClear, {
                                   D{"次のステージの番号", 1, 99, P(1)},
                                   D{"次のステージの初期位置X(bl)", 0, 999, P(6)},
                                   D{"次のステージの初期位置Y(bl)", 0, 999, P(7)},
                                   D{"クリア後のワールドマップの位置X", 0, 999, P(3)},
                                   D{"クリア後のワールドマップの位置Y", 0, 999, P(4)},
                               });
    Fill(FlowKind::Message, {
                                D{"メッセージID", 0, 999, P(13)},
                                D{"座標X", 0, 16383, P(1)},
                                D{"座標Y", 0, 16383, P(2)},
                                D{"表示位置のズレX(dot)", -999, 999, P(3)},
                                D{"表示位置のズレY(dot)", -999, 999, P(4)},
                            });
    Fill(FlowKind::SetTarget, {
                                  D{"対象勢力", 0, 7, P(2)},
                                  D{"対象キャラID", 0, 99, P(10)},
                                  D{"キャラ変数と比較する数値", -999999, 999999, P(13)},
                              });
    Fill(FlowKind::StatusOperation, {
                                        D{"変数（左辺）", 1, 999, P(2)},
                                        D{"定数", -999999, 999999, P(7)},
                                        D{"乱数の最小値", -999999, 999999, P(8)},
                                        D{"乱数の最大値", -999999, 999999, P(9)},
                                        D{"変数（右辺）", 1, 999, P(11)},
                                    });
    Fill(FlowKind::Vanish, {D{"対象勢力", 0, 7, P(1)}});
    Fill(FlowKind::GetItem, {D{"アイテム", 1, 9999, P(1)}});
    Fill(FlowKind::ChangeGraphic, {D{"グラフィック", 1, 999, P(1)}, D{"ズレ", -999, 999, P(2)}});
    Fill(FlowKind::RunEffect, {
                                  D{"エフェクト", 1, 999, P(0)},
                                  D{"座標X", 0, 16383, P(2)},
                                  D{"座標Y", 0, 16383, P(3)},
                                  D{"表示位置のズレX(dot)", -999, 999, P(4)},
                                  D{"表示位置のズレY(dot)", -999, 999, P(5)},
                                  D{"表示倍率(%)", 1, 1000, P(6)},
                              });
    Fill(FlowKind::RunCharaEffect, {D{"キャラエフェクト", 1, 999, P(0)}});
    Fill(FlowKind::RunScreenEffect, {D{"画面エフェクト", 1, 999, P(0)}});
    Fill(FlowKind::ShowPicture, {
                                    D{"ピクチャー", 1, 9999, P(0)},
                                    D{"ピクチャーID", 0, 999, P(13)},
                                    D{"座標X", 0, 16383, P(2)},
                                    D{"座標Y", 0, 16383, P(3)},
                                    D{"表示位置のズレX(dot)", -999, 999, P(4)},
                                    D{"表示位置のズレY(dot)", -999, 999, P(5)},
                                    D{"表示倍率(%)", 1, 1000, P(7)},
                                });
    Fill(FlowKind::ChangeScreenColor, {
                                          D{"R", 0, 255, P(0)},
                                          D{"G", 0, 255, P(1)},
                                          D{"B", 0, 255, P(2)},
                                          D{"%", 0, 100, P(3)},
                                      });
    Fill(FlowKind::ChangeBackground, {D{"背景番号", 1, 8, P(0)}});
    Fill(FlowKind::PlaySound, {D{"効果音", 1, 9999, P(0)}});
    Fill(FlowKind::PlayBgm, {D{"BGM", 1, 999, P(0)}});
}

template <class T>
int Widen(T v) {
    return static_cast<int>(v);
}

}  // namespace

void BuildCommandParamTable() {
    CommandParamTable.assign(kFlowCommandKindCount, {});
    FillMoves();
    FillShots();
    FillSummons();
    FillIntParams();
}

int ReadCommandParam(const cFlowCmd& cmd, const CommandParamDesc& desc) {
    const cEdMove* move = cmd.m_spMove.get();
    const cEdShot* shot = cmd.m_spShot.get();
    return std::visit(
        [&](const auto& f) -> int {
            using F = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<F, SoundField>) {
                return cmd.m_sSound;
            } else if constexpr (std::is_same_v<F, IntParamField>) {
                return f.index < cmd.m_vParam.Count() ? cmd.m_vParam[f.index] : 0;
            } else if constexpr (std::is_same_v<F, std::int16_t cEdMove::*>) {
                return move ? Widen(move->*f) : 0;
            } else if constexpr (std::is_same_v<F, FormParamField>) {
                return shot ? Widen(shot->m_sFormParam[static_cast<std::size_t>(f.index)]) : 0;
            } else if constexpr (std::is_same_v<F, ShotMoveParamField>) {
                return shot ? Widen(shot->m_sMoveParam[static_cast<std::size_t>(f.index)]) : 0;
            } else {
                return shot ? Widen(shot->*f) : 0;
            }
        },
        desc.field);
}

void WriteCommandParam(cFlowCmd& cmd, const CommandParamDesc& desc, int value) {
    cEdMove* move = cmd.m_spMove.get();
    cEdShot* shot = cmd.m_spShot.get();
    std::visit(
        [&](const auto& f) {
            using F = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<F, SoundField>) {
                cmd.m_sSound = static_cast<std::int16_t>(value);
            } else if constexpr (std::is_same_v<F, IntParamField>) {
                if (f.index < cmd.m_vParam.Count()) cmd.m_vParam[f.index] = value;
            } else if constexpr (std::is_same_v<F, std::int16_t cEdMove::*>) {
                if (move) move->*f = static_cast<std::int16_t>(value);
            } else if constexpr (std::is_same_v<F, FormParamField>) {
                if (shot) shot->m_sFormParam[static_cast<std::size_t>(f.index)] = static_cast<std::int16_t>(value);
            } else if constexpr (std::is_same_v<F, ShotMoveParamField>) {
                if (shot) shot->m_sMoveParam[static_cast<std::size_t>(f.index)] = static_cast<std::int16_t>(value);
            } else {
                using Member = std::remove_reference_t<decltype(shot->*f)>;
                if (shot) shot->*f = static_cast<Member>(value);
            }
        },
        desc.field);
}
