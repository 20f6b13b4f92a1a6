#include "gamedata/stage_load_runner.h"

#include "gamedata/stage_loader.h"

bool RunStageLoader() {
    LoadStageProc();
    return true;
}
