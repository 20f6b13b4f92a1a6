// Loading and copying the flows of a large character definition: commands
// with movement, shot and condition parts, as stage loading reads them.
#include <benchmark/benchmark.h>

#include "gamedata/base/data_limits.h"
#include "gamedata/flows/flow.h"

namespace {

cVector<cFlow> MakeFlows(int flows, int commandsPerFlow) {
    cVector<cFlow> list(static_cast<std::size_t>(flows));
    for (auto& f : list) {
        f.m_vCond.resize(3);
        f.m_vKeyCond.resize(2);
        for (int i = 0; i < commandsPerFlow; ++i) {
            cFlowCmd c;
            c.m_cKind = static_cast<std::int8_t>(i % 3 == 0 ? 2 : i % 3 == 1 ? 11 : 16);
            c.m_spMove = std::make_shared<cEdMove>();
            c.m_spShot = std::make_shared<cEdShot>();
            c.m_spCondList = std::make_shared<cCondList>();
            c.m_spCondList->m_vCond.resize(2);
            c.m_vParam = {1, 2, 3, 4};
            f.m_vCmd.push_back(c);
        }
    }
    return list;
}

std::vector<std::uint8_t> SaveList(cVector<cFlow>& list) {
    cDataFile f("bench", cDataFile::Mode::Write);
    SaveRecordList(f, list);
    return f.Bytes();
}

void BM_LoadFlows(benchmark::State& state) {
    SetDataLimits(DataLimits{});
    cVector<cFlow> src = MakeFlows(static_cast<int>(state.range(0)), 20);
    std::vector<std::uint8_t> bytes = SaveList(src);
    FileVersion = DataVersion;
    for (auto _ : state) {
        cDataFile f("bench", bytes);
        cVector<cFlow> list;
        bool ok = ReadRecordList(f, list, {kMinFlowBytes});
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_LoadFlows)->Arg(50)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_CopyFlows(benchmark::State& state) {
    cVector<cFlow> src = MakeFlows(static_cast<int>(state.range(0)), 20);
    for (auto _ : state) {
        cVector<cFlow> copy = src;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 20);
}
BENCHMARK(BM_CopyFlows)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
