#include "stage/core/loop_expansion.h"

#include <algorithm>
#include <vector>

#include "foundation/report.h"
#include "gamedata/flows/cmd_kinds.h"

namespace {

using CmdIter = cVector<cFlowCmd>::iterator;

bool IsLoop(const cFlowCmd& cmd) { return cmd.FlowKindNumber() == FlowKind::Loop; }

// Parameter `n` of a loop, 0 when the command carries fewer.
int LoopParam(const cFlowCmd& cmd, int n) { return n < cmd.m_vParam.Count() ? cmd.m_vParam[n] : 0; }

// The length of the block a loop repeats, cut at the end of the list.
int BlockLength(cVector<cFlowCmd>& commands, CmdIter loop) {
    const auto after = static_cast<long>(std::distance(loop, commands.end())) - 1;
    return static_cast<int>(std::min<long>(LoopParam(*loop, 1), after));
}

// The loop to expand next: the first one, or the innermost of the loops
// that each open the block of the one before.
CmdIter NextLoop(cVector<cFlowCmd>& commands) {
    CmdIter loop = std::find_if(commands.begin(), commands.end(), IsLoop);
    while (loop != commands.end() && BlockLength(commands, loop) > 0 && IsLoop(*std::next(loop))) ++loop;
    return loop;
}

}  // namespace

void ExpandLoopCommands(cVector<cFlowCmd>& commands) {
    bool capped = false;
    for (CmdIter loop = NextLoop(commands); loop != commands.end(); loop = NextLoop(commands)) {
        const int repeat = LoopParam(*loop, 0);
        const int block = BlockLength(commands, loop);
        if (repeat > 1 && block > 0) {
            const long room = std::max<long>(0, kMaxExpandedCommands - static_cast<long>(commands.size()));
            const long copies = std::min<long>(repeat - 1, room / block);
            if (copies < repeat - 1 && !capped) {
                WriteLogF("loop expansion stopped at %d commands", kMaxExpandedCommands);
                capped = true;
            }
            const std::vector<cFlowCmd> body(std::next(loop), std::next(loop, block + 1));
            const auto at = std::distance(commands.begin(), loop);
            for (long n = 0; n < copies; ++n)
                commands.insert(std::next(commands.begin(), at + 1), body.begin(), body.end());
            loop = std::next(commands.begin(), at);
        }
        commands.erase(loop);
    }
}
