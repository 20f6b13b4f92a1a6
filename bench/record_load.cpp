// Throughput of loading a large record file: many list elements, each with
// raw members and strings, as stage and database files hold them, beside
// reading and copying the same file's bytes.
#include <benchmark/benchmark.h>

#include <string>

#include "file_reference.h"
#include "foundation/data_record.h"
#include "platform/files.h"
#include "run_folder.h"

namespace {

struct Entry : cDataRecord {
    std::int32_t id = 0;
    std::int32_t params[12] = {};
    double speed = 0;
    std::string name, text;
    Entry() { UseFields(DataVersion); }
    void RegisterFields(int) override {
        ClearFieldLists();
        AddField(&id);
        AddField(params, 12);
        AddField(&speed);
        AddString(&name);
        AddString(&text);
    }
};

struct Table : cDataRecord {
    cVector<Entry> entries;
    bool Load(cDataFile& f) override { return cDataRecord::Load(f) && ReadRecordList(f, entries); }
    void Save(cDataFile& f) override {
        cDataRecord::Save(f);
        SaveRecordList(f, entries);
    }
};

const char* kPath = "bench_record_load.dat";

std::int64_t WriteFixture(int count) {
    Table t;
    t.entries.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Entry& e = t.entries[i];
        e.id = i;
        for (int k = 0; k < 12; ++k) e.params[k] = i * k;
        e.speed = i * 0.5;
        e.name = "entry " + std::to_string(i);
        e.text = std::string(static_cast<std::size_t>(i % 40), 'x');
    }
    if (!t.SaveFile(kPath)) return 0;
    std::vector<std::uint8_t> bytes;
    platform::ReadWholeFile(kPath, bytes);
    return static_cast<std::int64_t>(bytes.size());
}

void BM_ReadAndCopyRecordFile(benchmark::State& state) {
    RunFolder folder("bench_record_load");
    if (WriteFixture(static_cast<int>(state.range(0))) == 0) {
        state.SkipWithError("could not write the fixture");
        return;
    }
    ReadAndCopyFile(state, kPath);
}

void BM_LoadRecordFile(benchmark::State& state) {
    RunFolder folder("bench_record_load");
    std::int64_t size = WriteFixture(static_cast<int>(state.range(0)));
    if (size == 0) {
        state.SkipWithError("could not write the fixture");
        return;
    }
    for (auto _ : state) {
        Table t;
        if (!t.LoadFile(kPath)) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(t.entries.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["file_MB"] = static_cast<double>(size) / (1 << 20);
}

}  // namespace

BENCHMARK(BM_ReadAndCopyRecordFile)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadRecordFile)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
