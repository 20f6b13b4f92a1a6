#include "gamedata/flows/cmd_kinds.h"

const std::array<CommandKind, kFlowCommandKindCount> FlowCommandKinds = {{
    {"", 0},
    {"ウエイト", 0},
    {"直線移動", 0},
    {"地上折り返し移動", 0},
    {"円移動", 0},
    {"突撃移動", 0},
    {"誘導移動", 0},
    {"画面外回避移動", 0},
    {"移動の無効化", 0},
    {"向き変更", 1},
    {"ジャンプ", 5},
    {"ショット", 0},
    {"ソード", 0},
    {"ブロック召喚", 0},
    {"キャラ召喚", 0},
    {"アイテム召喚", 0},
    {"フローの操作", 4},
    {"ステージクリア", 10},
    {"ゲームウエイト", 1},
    {"メッセージ", 19},
    {"ワープ", 0},
    {"ターゲットの設定", 16},
    {"ステータスの操作", 22},
    {"ステータスの操作2", 5},
    {"消滅", 3},
    {"アイテムの取得", 2},
    {"グラフィックの変更", 3},
    {"基本アニメセットの変更", 1},
    {"アニメの実行", 2},
    {"エフェクトの実行", 9},
    {"キャラエフェクトの実行", 3},
    {"画面エフェクトの実行", 3},
    {"ピクチャーの表示", 16},
    {"画面の色を変更", 8},
    {"背景の変更", 2},
    {"効果音の再生", 1},
    {"BGMの再生", 2},
    {"コードの実行", 0},
    {"アレンジ", 5},
    {"ループ", 2},
}};

namespace {

std::array<CommandKind, kItemCommandKindCount> BuildItemTable() {
    std::array<CommandKind, kItemCommandKindCount> t{};
    t[0] = {"", 0};
    t[1] = {"フローの変更", 2};
    for (int k = kSharedItemKindFirst; k < kItemCommandKindCount; ++k) {
        t[static_cast<std::size_t>(k)] = FlowCommandKinds[static_cast<std::size_t>(k + kItemToFlowKind)];
    }
    return t;
}

}  // namespace

const std::array<CommandKind, kItemCommandKindCount> ItemCommandKinds = BuildItemTable();

int CommandKindCount(int table) { return IsItemTable(table) ? kItemCommandKindCount : kFlowCommandKindCount; }

bool IsKnownKind(int table, int kind) { return kind >= 0 && kind < CommandKindCount(table); }

int KindParamCount(int table, int kind) {
    if (!IsKnownKind(table, kind)) kind = 0;
    auto k = static_cast<std::size_t>(kind);
    return IsItemTable(table) ? ItemCommandKinds[k].paramCount : FlowCommandKinds[k].paramCount;
}

int FlowNumbering(int table, int kind) {
    if (!IsKnownKind(table, kind)) return -1;
    if (!IsItemTable(table)) return kind;
    return kind >= kSharedItemKindFirst ? kind + kItemToFlowKind : -1;
}
