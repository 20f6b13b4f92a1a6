#include <gtest/gtest.h>

#include "shell/dialog_fixture.h"

namespace {

struct RouteCase {
    const char* name;
    int kind;
    int code;
    int changes;
    int leaves;
};

class RouteCommandKinds : public ::testing::TestWithParam<RouteCase> {};

TEST_P(RouteCommandKinds, NotificationReachesTheRightOperation) {
    const RouteCase& c = GetParam();
    cDialog dialog;
    FakeControl control(c.kind, 21);
    FakeControl other(c.kind, 22);
    dialog.AddControl(&other);
    dialog.AddControl(&control);
    dialog.RouteCommand(static_cast<WPARAM>((c.code << 16) | 21), 0);
    EXPECT_EQ(control.changes, c.changes);
    EXPECT_EQ(control.leaves, c.leaves);
    EXPECT_EQ(other.changes + other.leaves, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, RouteCommandKinds,
                         ::testing::Values(RouteCase{"EditUpdate", kControlEdit, 0x400, 1, 0},
                                           RouteCase{"EditKillFocus", kControlEdit, 0x200, 0, 1},
                                           RouteCase{"EditOtherCode", kControlEdit, 1, 0, 0},
                                           RouteCase{"EditFormUpdate", kControlEditForm, 0x400, 1, 0},
                                           RouteCase{"EditFormKillFocus", kControlEditForm, 0x200, 0, 1},
                                           RouteCase{"ListSelection", kControlList, 1, 1, 0},
                                           RouteCase{"ListLeaveDoesNotCount", kControlList, 5, 0, 0},
                                           RouteCase{"ComboSelection", kControlCombo, 1, 1, 0},
                                           RouteCase{"ComboLeave", kControlCombo, 5, 0, 1},
                                           RouteCase{"CheckBoxNothing", kControlCheck, 0x400, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RouteCommand, OnlyTheFirstControlWithTheIdGetsItAndEveryComboIsRedrawn) {
    cDialog dialog;
    FakeControl first(kControlEdit, 5);
    FakeControl second(kControlEdit, 5);
    FakeControl comboA(kControlCombo, 6);
    FakeControl comboB(kControlCombo, 7);
    for (auto* c : {&first, &second, &comboA, &comboB}) dialog.AddControl(c);
    dialog.RouteCommand(static_cast<WPARAM>((0x400 << 16) | 5), 0);
    EXPECT_EQ(first.changes, 1);
    EXPECT_EQ(second.changes, 0);
    EXPECT_EQ(comboA.redraws, 1);
    EXPECT_EQ(comboB.redraws, 1);
    EXPECT_EQ(first.redraws, 0);
    // A command for no control still redraws the combo forms.
    dialog.RouteCommand(99, 0);
    EXPECT_EQ(comboA.redraws, 2);
}

TEST(RouteCommand, RefreshListsRefreshesOnlyComboForms) {
    cDialog dialog;
    FakeControl edit(kControlEdit, 1);
    FakeControl combo(kControlCombo, 2);
    dialog.AddControl(&edit);
    dialog.AddControl(&combo);
    dialog.RefreshLists();
    EXPECT_EQ(edit.refreshes, 0);
    EXPECT_EQ(combo.refreshes, 1);
}

TEST(DialogNotify, OfferedInListOrderUntilOneHandlesIt) {
    cDialog dialog;
    FakeControl a(kControlEdit, 1);
    FakeControl b(kControlEdit, 2);
    FakeControl c(kControlEdit, 3);
    b.handlesNotify = 1;
    for (auto* x : {&a, &b, &c}) dialog.AddControl(x);
    dialog.HandleMessage(nullptr, WM_NOTIFY, 42, 0);
    EXPECT_EQ(a.notified, std::vector<int>{42});
    EXPECT_EQ(b.notified, std::vector<int>{42});
    EXPECT_TRUE(c.notified.empty());
}

}  // namespace

TEST_F(DialogTest, AControlAttachedToAnItemFindsItsWindow) {
    HWND item = nullptr;
    HWND dialogWindow = nullptr;
    m_dialog.onInit = [&](TestDialog& d) {
        item = GetDlgItem(d.m_hWnd, kNameItem);
        dialogWindow = d.m_hWnd;
        d.End(1);
    };
    m_dialog.DoModal(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(m_dialog.control.m_hWnd, item);
    EXPECT_EQ(m_dialog.control.m_hDialog, dialogWindow);
}
