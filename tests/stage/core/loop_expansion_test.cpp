#include "stage/core/loop_expansion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/report.h"
#include "gamedata/flows/cmd_kinds.h"
#include "support/temp_dir.h"

namespace {

// A list written as letters: a plain command is its letter (kept in its
// time field), a loop "L(r,c)" is written {r, c}.
struct Entry {
    char name = 0;
    int repeat = 0, count = 0;
};

cVector<cFlowCmd> Commands(const std::vector<Entry>& entries) {
    cVector<cFlowCmd> list;
    for (const Entry& e : entries) {
        cFlowCmd cmd;
        if (e.name == 'L' || e.name == 'l') {
            // 'l' is the item table's loop, the same command under another number.
            cmd.m_cTable = e.name == 'L' ? 0 : 1;
            cmd.m_cKind = static_cast<std::int8_t>(e.name == 'L' ? FlowKind::Loop : FlowKind::Loop - 15);
            cmd.m_vParam = cVector<std::int32_t>{e.repeat, e.count};
        } else {
            cmd.m_cKind = 1;
            cmd.m_sTime = e.name;
        }
        list.push_back(cmd);
    }
    return list;
}

std::string Names(const cVector<cFlowCmd>& list) {
    std::string names;
    for (const cFlowCmd& cmd : list)
        names += cmd.FlowKindNumber() == FlowKind::Loop ? 'L' : static_cast<char>(cmd.m_sTime);
    return names;
}

struct ExpansionCase {
    const char* what;
    std::vector<Entry> list;
    std::string want;
};

TEST(LoopExpansion, Table) {
    const ExpansionCase cases[] = {
        {"three times two", {{'L', 3, 2}, {'A'}, {'B'}, {'C'}}, "ABABABC"},
        {"item table loop", {{'l', 2, 1}, {'A'}, {'B'}}, "AAB"},
        {"once", {{'L', 1, 2}, {'A'}, {'B'}}, "AB"},
        {"zero times", {{'L', 0, 2}, {'A'}, {'B'}}, "AB"},
        {"negative", {{'L', -5, -2}, {'A'}}, "A"},
        {"empty block", {{'L', 4, 0}, {'A'}}, "A"},
        {"block cut at the end", {{'L', 2, 5}, {'A'}, {'B'}}, "ABAB"},
        {"loop last", {{'A'}, {'L', 3, 1}}, "A"},
        {"inner loop inside the block", {{'L', 2, 3}, {'A'}, {'L', 2, 1}, {'B'}}, "ABBABB"},
        {"block opening with a loop", {{'L', 3, 1}, {'L', 3, 1}, {'X'}}, "XXXXX"},
        {"two loops in a row", {{'A'}, {'L', 2, 1}, {'B'}, {'L', 3, 1}, {'C'}}, "ABBCCC"},
    };
    for (const ExpansionCase& c : cases) {
        SCOPED_TRACE(c.what);
        cVector<cFlowCmd> list = Commands(c.list);
        ExpandLoopCommands(list);
        EXPECT_EQ(Names(list), c.want);
    }
}

TEST(LoopExpansion, LoopWithoutParametersIsDropped) {
    cVector<cFlowCmd> list = Commands({{'L', 3, 1}, {'A'}});
    list.front().m_vParam.clear();
    ExpandLoopCommands(list);
    EXPECT_EQ(Names(list), "A");
}

TEST(LoopExpansion, DeepNestingStopsAtTheCapWithALogLine) {
    TempDir dir;
    SetDebugLog(1, dir.HostPath() + "/debug.txt");
    // Six loops of 100, each repeating all that follows it: 10^12 commands
    // unless capped.
    std::vector<Entry> entries(6, Entry{'L', 100, 30000});
    entries.push_back({'X'});
    entries.push_back({'Y'});
    cVector<cFlowCmd> list = Commands(entries);
    ExpandLoopCommands(list);
    SetDebugLog(0, "");
    // Whole blocks only: as many copies of the 200-command block as fit
    // beside the loop command that makes them.
    EXPECT_LE(list.Count(), kMaxExpandedCommands);
    EXPECT_GT(list.Count(), kMaxExpandedCommands - 201);
    const std::string names = Names(list);
    EXPECT_EQ(names.find_first_not_of("XY"), std::string::npos) << "no loop is left";
    EXPECT_EQ(names.substr(0, 4), "XYXY");
    EXPECT_NE(dir.ReadHostFile("debug.txt").find("loop expansion stopped at 10000 commands"), std::string::npos);
}

}  // namespace
