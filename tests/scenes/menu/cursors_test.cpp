#include <gtest/gtest.h>

#include "foundation/abort.h"
#include "gamedata/project/menu_cmd.h"
#include "scenes/menu/cmd_window.h"
#include "scenes/menu/cursor_moves.h"
#include "scenes/menu/cursor_stack.h"
#include "shell/input/key_state.h"
#include "sound/sound_effects.h"

namespace {

using namespace KeyBit;

struct CursorsTest : ::testing::Test {
    void SetUp() override { CursorStack.Reset(); }
    void TearDown() override { CursorStack.Reset(); }
};

TEST_F(CursorsTest, GridWrapsOnBothAxesAndADiagonalMovesBoth) {
    struct Case {
        int column, row;
        std::uint16_t keys;
        int columns, rows;
        int wantColumn, wantRow;
    };
    const Case cases[] = {
        {0, 1, Down, 1, 2, 0, 0},          // past the last row wraps to row 0
        {0, 0, Up, 1, 2, 0, 1},            // above row 0 wraps to the last
        {0, 0, Left, 3, 1, 2, 0},          // columns wrap the same way
        {2, 0, Right, 3, 1, 0, 0},         //
        {1, 1, Up | Left, 3, 3, 0, 0},     // a diagonal moves on both axes
        {1, 1, Left | Right, 3, 3, 0, 1},  // left wins over right
        {0, 2, Up | Down, 1, 3, 0, 1},     // up wins over down
    };
    for (const Case& c : cases) {
        CursorState& top = CursorStack.Top();
        top = CursorState{c.column, c.row, 0, 0};
        MoveGridCursor(c.keys, 100, 200, 40, 16, c.columns, c.rows);
        EXPECT_EQ(top.column, c.wantColumn) << c.column << "," << c.row << " keys " << c.keys;
        EXPECT_EQ(top.row, c.wantRow) << c.column << "," << c.row << " keys " << c.keys;
        EXPECT_EQ(top.x, 100 + 40 * c.wantColumn);
        EXPECT_EQ(top.y, 200 + 16 * c.wantRow);
    }
    CursorStack.Top() = CursorState{0, 0, 7, 7};
    MoveGridCursor(Down, 0, 0, 0, 16, 1, -1);
    EXPECT_EQ(CursorStack.Top().row, 0) << "a negative row count leaves the cursor alone";
    EXPECT_EQ(CursorStack.Top().y, 7);
}

TEST_F(CursorsTest, ListScrollsPagesAndNeverWraps) {
    struct Case {
        const char* what;
        int index, top;
        std::uint16_t keys;
        int page, count;
        int wantIndex, wantTop;
    };
    const Case cases[] = {
        {"right from the first page moves by page - 1", 0, 0, Right, 10, 99, 9, 9},
        {"right on the last page goes to the last entry", 92, 89, Right, 10, 99, 98, 89},
        {"left on the first page goes to entry 0", 5, 0, Left, 10, 99, 0, 0},
        {"left further down moves back by page - 1", 40, 35, Left, 10, 99, 31, 26},
        {"down at the page's last row scrolls", 9, 0, Down, 10, 99, 10, 1},
        {"up at the page's first row scrolls", 10, 10, Up, 10, 99, 9, 9},
        {"down at the end stays", 98, 89, Down, 10, 99, 98, 89},
        {"up at the start stays", 0, 0, Up, 10, 99, 0, 0},
        {"fewer entries than rows: top stays 0", 2, 0, Down, 10, 3, 2, 0},
        {"fewer entries than rows: paging right", 0, 0, Right, 10, 3, 2, 0},
    };
    for (const Case& c : cases) {
        CursorState& cur = CursorStack.Top();
        cur = CursorState{0, c.index, 0, 0};
        int top = c.top;
        MoveListCursor(c.keys, 1, top, 160, 16, 152, c.page, c.count, 1);
        EXPECT_EQ(cur.row, c.wantIndex) << c.what;
        EXPECT_EQ(top, c.wantTop) << c.what;
        EXPECT_EQ(cur.y, 160 + 16 * (c.wantIndex - c.wantTop)) << c.what;
        EXPECT_EQ(cur.x, 152) << c.what;
    }
    // Without page jumps left and right do nothing; axis 0 moves the column.
    CursorStack.Top() = CursorState{4, 0, 0, 0};
    int top = 0;
    MoveListCursor(Right, 0, top, 32, 32, 160, 10, 99, 0);
    EXPECT_EQ(CursorStack.Top().column, 4);
    MoveListCursor(Down, 0, top, 32, 32, 160, 10, 99, 0);
    EXPECT_EQ(CursorStack.Top().column, 5);
    EXPECT_EQ(CursorStack.Top().x, 32 + 32 * 5);
    EXPECT_EQ(CursorStack.Top().y, 160);
}

TEST_F(CursorsTest, PushAndPopKeepTheOuterCursorByMode) {
    CursorStack.Top() = CursorState{1, 2, 3, 4};
    CursorStack.Pop(0);
    EXPECT_EQ(CursorStack.Depth(), 1) << "a pop of the last entry changes nothing";
    EXPECT_EQ(CursorStack.Top().row, 2);
    EXPECT_EQ(CursorStack.Below(), nullptr);

    struct Case {
        int pushMode, popMode;
        int pushedRow;  // the sub-menu's row right after the push
        int outerRow;   // the outer menu's row after the pop
    };
    // The sub-menu moves its cursor to row 9 before it closes.
    const Case cases[] = {{0, 1, 0, 2}, {1, 1, 2, 2}, {0, 0, 0, 0}, {0, 2, 0, 9}, {1, 2, 2, 9}};
    for (const Case& c : cases) {
        CursorStack.Reset();
        CursorStack.Top() = CursorState{1, 2, 3, 4};
        CursorStack.Push(c.pushMode);
        ASSERT_EQ(CursorStack.Depth(), 2);
        ASSERT_NE(CursorStack.Below(), nullptr);
        EXPECT_EQ(CursorStack.Below()->row, 2);
        EXPECT_EQ(CursorStack.Top().row, c.pushedRow) << "push " << c.pushMode;
        CursorStack.Top().row = 9;
        CursorStack.Pop(c.popMode);
        EXPECT_EQ(CursorStack.Depth(), 1);
        EXPECT_EQ(CursorStack.Below(), nullptr);
        EXPECT_EQ(CursorStack.Top().row, c.outerRow) << "push " << c.pushMode << " pop " << c.popMode;
    }
    // Many pushes: the pointers follow the vector as it grows.
    CursorStack.Reset();
    for (int i = 1; i <= 40; ++i) {
        CursorStack.Push(1);
        CursorStack.Top().row = i;
        ASSERT_EQ(CursorStack.Below()->row, i - 1);
    }
    CursorStack.Reset();
    EXPECT_EQ(CursorStack.Depth(), 1);
    EXPECT_EQ(CursorStack.Top().row, 0);
}

TEST_F(CursorsTest, CursorSoundPlaysOncePerMovedAxisItListensTo) {
    struct Case {
        std::uint16_t keys;
        int axes;
        int plays;
    };
    // Without a sound device the effect is there but silent.
    SoundEffects.resize(1);
    const Case cases[] = {{Down | Right, 2, 1}, {Down | Right, 3, 2}, {Left, 2, 0}, {Left, 1, 1}, {Up, 3, 1}, {0, 3, 0},
                          {Up | Down, 2, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(PlayCursorSound(c.keys, c.axes, 0), c.plays) << "keys " << c.keys << " axes " << c.axes;
    }
    SoundEffects.clear();
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST(MenuCommands, HiddenEntriesKeepTheirListIndex) {
    cVector<cCmd> list = {cCmd("a", 0), cCmd("b"), cCmd("c", 0), cCmd("d"), cCmd("e")};
    EXPECT_EQ(CountEnabledCmds(list), 3);
    EXPECT_EQ(cCmd::GetCmdNum(0, list), 1);
    EXPECT_EQ(cCmd::GetCmdNum(1, list), 3);
    EXPECT_EQ(cCmd::GetCmdNum(2, list), 4);
    EXPECT_EQ(cCmd::GetCmdNum(3, list), 0) << "past the enabled entries";
    EXPECT_EQ(AbortFlag.load(), 0) << "a bad row is not a fatal close";
    EXPECT_EQ(EnabledCmdTable(list), (std::vector<int>{1, 3, 4}));

    cVector<cCmd> none = {cCmd("ab", 0), cCmd("c", 0)};
    EXPECT_EQ(CountEnabledCmds(none), 0);
    EXPECT_EQ(EnabledCmdTable(none), std::vector<int>{0}) << "a menu without entries shows entry 0";
    EXPECT_EQ(CmdWindowLeft(300, none), 300);
    // "d" and "e" are one character, "b" too: (1 + 1) x 16 / 2.
    EXPECT_EQ(CmdWindowLeft(300, list), 284);
    list[3].m_strName = "\x82\xa0\x82\xa0xyz";  // two Japanese letters and three Latin ones
    EXPECT_EQ(CmdWindowLeft(300, list), 300 - 6 * 16 / 2);
}

}  // namespace
