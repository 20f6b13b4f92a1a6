#pragma once
// The command list of an item, run at once on the hero when it takes the
// item: through a table of the 25 item-command kinds, each from kind 2 on
// carried out by the executor of the flow command of the same name.
#include "foundation/checked_containers.h"
#include "gamedata/flows/flow_cmd.h"

class cChara;
class cPlayer;

// Results of an item's command list.
namespace ItemListResult {
enum : int { Done = 0, StageClear = 1, HeroDown = 2 };
}

// Runs `list` on the hero. Every command runs as a copy prepared from the
// list (arrangements collected so far applied to it), so the definition
// that holds the list - an item of a palette, shared by every copy of the
// item - is never changed by play. Stops after a stage clear (1) or when
// the hero's life is gone (2).
int ExecItemCmds(cPlayer& hero, const cVector<cFlowCmd>& list);

// "Change flows": parameter 0 says how (0 add the command's flows, 1
// replace the flows of ID parameter 1 by them, 2 remove those flows). While
// the character's own flows are being stepped the change waits in its
// deferred list unless `noDefer`.
void ChangeFlowCommand(cPlayer& hero, const cFlowCmd& command, int noDefer);
