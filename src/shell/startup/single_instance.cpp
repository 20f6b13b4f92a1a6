#include "shell/startup/single_instance.h"

#include "foundation/report.h"
#include "platform/message_box.h"

const char* const kInstanceName = "ゲーム";

bool SettleSingleInstance(platform::InstanceLock& lock, bool headless) {
    if (headless) return true;
    auto result = lock.Acquire(kInstanceName);
    if (result != platform::InstanceLockResult::AlreadyExists) return true;
    int answer = MessageBoxA(nullptr,
                             "既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nWould you like to "
                             "restart the game?",
                             "二重起動", MB_YESNO);
    if (answer != IDYES) return false;
    int pid = lock.HolderPid();
    // Nothing to stop: this copy goes on beside whatever holds the lock.
    if (!platform::ProcessExists(pid)) return true;
    if (!platform::TerminateProcessById(pid, 500)) {
        MessageBoxA(nullptr, "プログラムの終了に失敗しました。", "二重起動", MB_OK);
        return false;
    }
    // The stopped copy's lock went with it; this copy holds it from now on
    // so a third copy finds it too.
    lock.Acquire(kInstanceName);
    LogPrintf("Ended the running copy of the game (pid %d)", pid);
    return true;
}

void NoteEndByAnotherCopy() {
    if (ReportPathValue().empty()) return;
    platform::NoteEndRequests(ReportPathValue(), "Ended by another copy of the game", "Ended by process");
}
