#include "support/test_env.h"

#include "foundation/abort.h"
#include "foundation/data_record.h"
#include "foundation/player_file.h"
#include "foundation/report.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"

namespace {
void ClearProcessState() {
    AbortFlag.store(0);
    DataVersion = kDataVersion;
    StripCRFlag = 1;
    NewerFileFlag = 0;
    platform::ClearMainWindowPosts();
    platform::ClearMessageBoxes();
    ForgetUnreadablePlayerFiles();
}
}  // namespace

TestEnv::TestEnv() {
    ClearProcessState();
    CreateReport(m_dir.HostPath() + "/Report_Game.txt");
}

TestEnv::~TestEnv() { ClearProcessState(); }

std::string TestEnv::Report() const { return m_dir.ReadHostFile("Report_Game.txt"); }
