#pragma once
// A dialog class for tests, run modally over the main window on the test
// thread, with controls that record what the dialog asks of them.
#include <functional>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "platform/keyboard.h"
#include "shell/dialogs/dialog.h"
#include "shell/window_registry.h"
#include "shell_fixture.h"

constexpr int kTestDialogResource = 500;
constexpr int kTestDialogWidth = 200;
constexpr int kTestDialogHeight = 100;
constexpr int kNameItem = 10;
// Posted to the dialog to end it after the messages queued before have run.
constexpr UINT WM_TEST_END = WM_USER + 77;

struct FakeControl : cBoundControl {
    explicit FakeControl(int kind, int id, std::vector<std::string>* log = nullptr) : cBoundControl(kind), m_log(log) {
        m_nId = id;
    }
    void Note(const std::string& what) {
        if (m_log) m_log->push_back(what + std::to_string(m_nId));
    }
    void Push() override {
        pushedWhilePushing = m_pDialog && m_pDialog->m_bPushing;
        Note("push");
    }
    void Pull() override { Note("pull"); }
    void OnChange() override { ++changes; }
    void OnLeave() override { ++leaves; }
    void Redraw() override { ++redraws; }
    void Refresh() override { ++refreshes; }
    int OnNotify(int code, LPARAM) override {
        notified.push_back(code);
        return handlesNotify;
    }
    int OnScroll(WPARAM, LPARAM) override {
        ++scrolls;
        return 0;
    }
    void OnKey(int key, LPARAM, int ctrl) override { keys.push_back({key, ctrl}); }

    std::vector<std::string>* m_log;
    int changes = 0;
    int leaves = 0;
    int redraws = 0;
    int refreshes = 0;
    int scrolls = 0;
    int handlesNotify = 0;
    bool pushedWhilePushing = false;
    std::vector<int> notified;
    std::vector<std::pair<int, int>> keys;
};

class TestDialog : public cDialog {
public:
    TestDialog() {
        cDialogClass<TestDialog>::Live = this;
        m_pfnProc = &cDialogClass<TestDialog>::Proc;
        SetLayout(0, 0, 100, 100, 640, 480, 0);
    }
    ~TestDialog() override { cDialogClass<TestDialog>::Live = nullptr; }

    void OnInitDialog(WPARAM wParam, LPARAM lParam) override {
        cDialog::OnInitDialog(wParam, lParam);
        AddControl(&control);
        control.Attach(this, kNameItem);
        if (onInit) onInit(*this);
    }
    void OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(static_cast<int>(LOWORD(wParam)));
        cDialog::OnCommand(wParam, lParam);
    }
    int HandleMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_HSCROLL || msg == WM_VSCROLL) scrolls.push_back({msg, static_cast<int>(wParam)});
        if (msg == WM_KEYDOWN) keyDowns.push_back(static_cast<int>(wParam));
        if (msg == WM_TEST_END) {
            // A few rounds through the queue let chains of posts settle.
            if (--endRounds > 0) {
                PostMessageA(window, WM_TEST_END, 0, 0);
            } else {
                if (onEnd) onEnd(*this);
                End(endResult);
            }
            return 1;
        }
        return cDialog::HandleMessage(window, msg, wParam, lParam);
    }
    // Ends the dialog with result once the queue has gone round a few times.
    void EndSoon(LRESULT result) {
        endResult = result;
        endRounds = 5;
        PostMessageA(m_hWnd, WM_TEST_END, 0, 0);
    }

    void OnPaint() override { ++paints; }

    std::function<void(TestDialog&)> onInit;
    // Runs while the dialog still stands, just before it ends.
    std::function<void(TestDialog&)> onEnd;
    int paints = 0;
    FakeControl control{kControlEdit, kNameItem};
    std::vector<int> commands;
    std::vector<std::pair<UINT, int>> scrolls;
    std::vector<int> keyDowns;
    LRESULT endResult = 0;
    int endRounds = 0;
};

class DialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        platform::DialogTemplate t;
        t.width = kTestDialogWidth;
        t.height = kTestDialogHeight;
        t.title = "test";
        t.items.push_back({kNameItem, "abc", platform::DialogItemKind::Edit, RECT{10, 10, 110, 30}, true});
        platform::RegisterDialogTemplate(kTestDialogResource, t);
        platform::ReleaseAllKeys();
        CtrlHeld = 0;
        m_dialog.Init(kTestDialogResource, &MainWindow, &m_registry);
    }
    void TearDown() override {
        RemoveHooks();
        platform::ClearDialogTemplates();
        platform::SetMessageBoxHandler(nullptr);
        platform::ResetSystemMetrics();
        platform::ReleaseAllKeys();
        MainWindowTest::TearDown();
    }
    // Host key input: addressed to the main window, as the backend posts it.
    void PostKey(UINT msg, int vk) { PostMessageA(m_hwnd, msg, static_cast<WPARAM>(vk), 0); }

    cWindowRegistry m_registry;
    TestDialog m_dialog;
};
