#pragma once
// The records the record-loader fuzz target reads: a root with members of
// every width, strings and members that only some versions store, and a
// list of leaves that each carry a list of values. Its seeds are built from
// the same records.
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/data_record.h"

namespace fuzz_records {

struct Leaf : cDataRecord {
    std::int16_t small = 0;
    std::string name;
    std::vector<std::int32_t> values;
    Leaf() { Leaf::RegisterFields(DataVersion); }
    void RegisterFields(int version) override {
        ClearFieldLists();
        if (version < 300) AddField(&DiscardedField16);
        AddField(&small);
        AddString(&name);
    }
    bool Load(cDataFile& f) override { return cDataRecord::Load(f) && ReadValueList(f, values); }
    void Save(cDataFile& f) override {
        cDataRecord::Save(f);
        SaveValueList(f, values);
    }
};

struct Root : cDataRecord {
    std::int32_t a = 0;
    double d = 0;
    std::int8_t flags[5] = {};
    std::int32_t late = 0;
    std::string s1, s2;
    cVector<Leaf> leaves;
    Root() { Root::RegisterFields(DataVersion); }
    void RegisterFields(int version) override {
        ClearFieldLists();
        AddField(&a);
        AddField(&d);
        AddField(flags, 5);
        if (version > 500) AddField(&late);
        AddString(&s1);
        if (version > 700) AddString(&s2);
    }
    bool Load(cDataFile& f) override { return cDataRecord::Load(f) && ReadRecordList(f, leaves); }
    void Save(cDataFile& f) override {
        cDataRecord::Save(f);
        SaveRecordList(f, leaves);
    }
    void OnLoadRefused() override {
        cDataRecord::OnLoadRefused();
        leaves.clear();
    }
};

}  // namespace fuzz_records
