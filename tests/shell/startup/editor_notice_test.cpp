#include "shell/startup/editor_notice.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/editor_link.h"
#include "shell/main_window.h"
#include "shell/shell_fixture.h"

// The kit's editor, as far as the notices go: the socket it listens on.
class ListeningEditor {
public:
    ListeningEditor() {
        // Test processes run side by side: each has an editor of its own.
        EditorTitle = "Tovrasen" + std::to_string(getpid());
        m_fd = socket(AF_UNIX, SOCK_DGRAM, 0);
        std::string name = platform::EditorSocketName(EditorClassName, EditorTitle);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, name.data(), name.size());
        m_bound = m_fd >= 0 && bind(m_fd, reinterpret_cast<sockaddr*>(&addr),
                                    static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size())) == 0;
    }
    ~ListeningEditor() {
        if (m_fd >= 0) close(m_fd);
        EditorTitle = "Tovrasen";
    }
    bool Bound() const { return m_bound; }
    // dwData, the int and the window id of the next notice; false when none.
    bool Next(unsigned& dwData, int& value, std::uint64_t& window) {
        unsigned char p[32];
        if (recv(m_fd, p, sizeof p, MSG_DONTWAIT) != 16) return false;
        auto get = [&](int at, int bytes) {
            std::uint64_t v = 0;
            for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[at + i];
            return v;
        };
        dwData = static_cast<unsigned>(get(0, 4));
        value = static_cast<int>(get(4, 4));
        window = get(8, 8);
        return true;
    }

private:
    int m_fd = -1;
    bool m_bound = false;
};

TEST(EditorLink, NoticesReachAListeningEditorAndAreDroppedWithoutOne) {
    EXPECT_FALSE(platform::SendEditorNotice("NoSuchEditor", "Nobody", 1, 1, 0)) << "nobody listening: nothing";
    ListeningEditor editor;
    ASSERT_TRUE(editor.Bound());
    MainWindow.m_hWnd = reinterpret_cast<HWND>(0x1230);
    NotifyEditorStarted();
    NotifyEditor(0);
    MainWindow.m_hWnd = nullptr;
    unsigned dwData = 9;
    int value = 9;
    std::uint64_t window = 0;
    ASSERT_TRUE(editor.Next(dwData, value, window));
    EXPECT_EQ(dwData, 1u) << "started";
    EXPECT_EQ(value, 1);
    EXPECT_EQ(window, 0x1230u) << "the game window";
    ASSERT_TRUE(editor.Next(dwData, value, window));
    EXPECT_EQ(dwData, 0u) << "ended";
    EXPECT_EQ(value, 0) << "start-up failed";
}

TEST_F(MainWindowTest, DestroyingTheWindowInATestPlayTellsTheEditorWithoutAWindow) {
    ListeningEditor editor;
    ASSERT_TRUE(editor.Bound());
    TestPlay = 1;
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    TestPlay = 0;
    unsigned dwData = 9;
    int value = 9;
    std::uint64_t window = 1;
    ASSERT_TRUE(editor.Next(dwData, value, window));
    EXPECT_EQ(dwData, 0u);
    EXPECT_EQ(value, 1) << "the window was destroyed";
    EXPECT_EQ(window, 0u) << "its handle is already cleared";
    EXPECT_FALSE(editor.Next(dwData, value, window)) << "one notice only";
}

TEST_F(MainWindowTest, OutsideATestPlayTheEditorHearsNothing) {
    ListeningEditor editor;
    ASSERT_TRUE(editor.Bound());
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    unsigned dwData = 0;
    int value = 0;
    std::uint64_t window = 0;
    EXPECT_FALSE(editor.Next(dwData, value, window));
}
