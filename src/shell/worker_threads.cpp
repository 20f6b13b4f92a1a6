#include "shell/worker_threads.h"

#include <array>

cThread thGame;
cThread thPause;
cThread thRanking;
// thLoader belongs to the stage loader (gamedata), which starts it.

namespace {
const std::array<cThread*, 4> kWorkers = {&thGame, &thPause, &thRanking, &thLoader};
}

void SuspendWorkers() {
    for (cThread* t : kWorkers) t->Suspend();
}

void ResumeWorkers() {
    for (cThread* t : kWorkers) t->Resume();
}
