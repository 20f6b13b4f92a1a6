#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/host_log.h"
#include "platform/message_box.h"

namespace {

class UnshownMessageBox : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearMessageBoxes();
        platform::SetHostLogSink([this](const std::string& line) { m_report.push_back(line); });
    }
    void TearDown() override {
        platform::SetHostLogSink(nullptr);
        platform::ClearMessageBoxes();
    }
    std::vector<std::string> m_report;
};

}  // namespace

TEST_F(UnshownMessageBox, ItsTextAndTheAnswerTakenGoToTheReportAndToStderr) {
    struct Case {
        UINT type;
        int queued;  // 0: none, the default answer
        const char* line;
    };
    const Case cases[] = {
        {MB_YESNO, 0, "message box not shown: [Restart] Running. / Restart it? -> Yes"},
        {MB_YESNO, IDNO, "message box not shown: [Restart] Running. / Restart it? -> No"},
        {MB_OK, 0, "message box not shown: [Restart] Running. / Restart it? -> OK"},
        // A question whose safe answer is no says so by its default button.
        {MB_YESNO | MB_DEFBUTTON2, 0, "message box not shown: [Restart] Running. / Restart it? -> No"},
        {MB_YESNO | MB_DEFBUTTON2, IDYES, "message box not shown: [Restart] Running. / Restart it? -> Yes"},
    };
    for (const Case& c : cases) {
        m_report.clear();
        if (c.queued) platform::QueueMessageBoxAnswer(c.queued);
        testing::internal::CaptureStderr();
        int answer = MessageBoxA(nullptr, "Running.\r\nRestart it?", "Restart", c.type);
        std::string err = testing::internal::GetCapturedStderr();
        const int byDefault = c.type == MB_YESNO ? IDYES : c.type == MB_OK ? IDOK : IDNO;
        EXPECT_EQ(answer, c.queued ? c.queued : byDefault);
        EXPECT_EQ(m_report, std::vector<std::string>{c.line});
        EXPECT_EQ(err, std::string(c.line) + "\n");
    }
}

TEST_F(UnshownMessageBox, ABackendThatCannotShowTheBoxReportsItsFallbackAnswer) {
    platform::SetMessageBoxHandler(
        [](const platform::MessageBoxRecord& box) { return platform::ReportUnshownMessageBox(box, IDCANCEL); });
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Options", MB_OKCANCEL), IDCANCEL);
    std::string err = testing::internal::GetCapturedStderr();
    platform::SetMessageBoxHandler(nullptr);
    EXPECT_EQ(m_report, std::vector<std::string>{"message box not shown: [Options] Save? -> Cancel"});
    EXPECT_EQ(err, m_report.empty() ? "" : m_report[0] + "\n");
}
