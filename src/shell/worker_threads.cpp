#include "shell/worker_threads.h"

#include <array>

cThread thGame;
cThread thPause;
cThread thRanking;
cThread thLoader;

namespace {
const std::array<cThread*, 4> kWorkers = {&thGame, &thPause, &thRanking, &thLoader};
}

void SuspendWorkers() {
    for (cThread* t : kWorkers) t->Suspend();
}

void ResumeWorkers() {
    for (cThread* t : kWorkers) t->Resume();
}
