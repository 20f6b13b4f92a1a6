#include <gtest/gtest.h>

#include <cstring>

#include "foundation/abort.h"
#include "foundation/data_record.h"
#include "support/byte_builder.h"
#include "support/test_env.h"

namespace {

// Two ints, a double and two strings; a third int that appeared in version
// 501, and a list of sub-records appended behind the base data.
struct Item : cDataRecord {
    std::int32_t value = 0;
    Item() { Item::RegisterFields(DataVersion); }
    void RegisterFields(int) override {
        ClearFieldLists();
        AddField(&value);
    }
};

struct Sample : cDataRecord {
    std::int32_t a = 0, b = 0;
    double d = 0;
    std::int32_t late = 0;
    std::string s1, s2;
    cVector<Item> items;
    bool withLate = false;
    bool withItems = false;

    Sample() { Sample::RegisterFields(DataVersion); }
    void RegisterFields(int version) override {
        ClearFieldLists();
        AddField(&a);
        AddField(&b);
        AddField(&d);
        if (withLate && version > 500) AddField(&late);
        AddString(&s1);
        AddString(&s2);
    }
    bool Load(cDataFile& f) override {
        if (!cDataRecord::Load(f)) return false;
        return !withItems || ReadRecordList(f, items);
    }
    void Save(cDataFile& f) override {
        cDataRecord::Save(f);
        if (withItems) SaveRecordList(f, items);
    }
    void OnLoadRefused() override {
        cDataRecord::OnLoadRefused();
        items.clear();
    }
};

// The same record in a later shape, with the member that came in 501. The
// members a type stores depend only on the type and the version, so the
// later shape is a type of its own.
struct LateSample : Sample {
    LateSample() {
        withLate = true;
        UseFields(DataVersion);
    }
};

struct Empty : cDataRecord {};

ByteBuilder SampleBytes(std::int32_t version) {
    ByteBuilder b;
    b.I32(version).I32(3).I32(7).I32(-2).F64(1.5).I32(2).Str("").Str("ab");
    return b;
}

}  // namespace

TEST(DataRecord, SavesTheDocumentedByteLayout) {
    TestEnv env;
    Sample r;
    r.a = 7;
    r.b = -2;
    r.d = 1.5;
    r.s2 = "ab";
    ASSERT_EQ(r.SaveFile("rec.dat"), 1);
    EXPECT_EQ(env.Dir().ReadHostFile("rec.dat"), SampleBytes(kDataVersion).Str());

    Sample back;
    ASSERT_EQ(back.LoadFile("rec.dat"), 1);
    EXPECT_EQ(back.a, 7);
    EXPECT_EQ(back.b, -2);
    EXPECT_EQ(back.d, 1.5);
    EXPECT_EQ(back.s1, "");
    EXPECT_EQ(back.s2, "ab");
}

TEST(DataRecord, RefusesNewerFilesWithoutTouchingTheRecord) {
    for (std::uint32_t version : {921u, 0xFFFFFFFFu}) {
        TestEnv env;
        env.Dir().WriteHostFile("new.dat", SampleBytes(static_cast<std::int32_t>(version)).Str());
        Sample r;
        r.a = 99;
        r.s1 = "keep";
        EXPECT_EQ(r.LoadFile("new.dat"), 0) << version;
        EXPECT_EQ(NewerFileFlag, 1) << version;
        EXPECT_EQ(r.a, 99);
        EXPECT_EQ(r.s1, "keep");
    }
}

TEST(DataRecord, OlderFileKeepsMembersAddedLater) {
    TestEnv env;
    env.Dir().WriteHostFile("old.dat", SampleBytes(500).Str());
    LateSample r;
    r.late = 1234;
    ASSERT_EQ(r.LoadFile("old.dat"), 1);
    EXPECT_EQ(FileVersion, 500);
    EXPECT_EQ(NewerFileFlag, 0);
    EXPECT_EQ(r.a, 7);
    EXPECT_EQ(r.late, 1234) << "a member the old file does not store keeps its value";
    EXPECT_EQ(r.FieldCount(), 4) << "after the load the lists describe the current version";
}

TEST(DataRecord, StripsCarriageReturnsOnLoad) {
    TestEnv env;
    ByteBuilder b;
    b.I32(kDataVersion).I32(0).I32(1).Str("x\r\ny");
    env.Dir().WriteHostFile("cr.dat", b.Str());
    Sample r;
    ASSERT_EQ(r.LoadFile("cr.dat"), 1);
    EXPECT_EQ(r.s1, "x\ny");
}

TEST(DataRecord, SaveCutsAStringAtItsFirstZeroByte) {
    TestEnv env;
    Sample r;
    r.s1 = std::string("ab\0cd", 5);
    ASSERT_EQ(r.SaveFile("z.dat"), 1);
    EXPECT_EQ(r.s1, "ab");
    Sample back;
    ASSERT_EQ(back.LoadFile("z.dat"), 1) << env.Report();
    EXPECT_EQ(back.s1, "ab");
}

TEST(DataRecord, LongStringsAreSavedWhole) {
    TestEnv env;
    Sample r;
    r.s2.assign(20000, 'q');
    ASSERT_EQ(r.SaveFile("long.dat"), 1);
    Sample back;
    ASSERT_EQ(back.LoadFile("long.dat"), 1);
    EXPECT_EQ(back.s2, r.s2);
}

TEST(DataRecord, AbortFlagBlocksSavingAndKeepsTheOldFile) {
    TestEnv env;
    env.Dir().WriteHostFile("keep.dat", "old content");
    AbortFlag.store(1);
    Sample r;
    EXPECT_EQ(r.SaveFile("keep.dat"), 0);
    EXPECT_EQ(OpenDataFileWrite("other.dat"), nullptr);
    EXPECT_EQ(env.Dir().ReadHostFile("keep.dat"), "old content");
    EXPECT_FALSE(env.Dir().HostFileExists("other.dat"));
}

TEST(DataRecord, FailedSaveKeepsTheOldFile) {
    TestEnv env;
    env.Dir().WriteHostFile("dir.dat/inside", "x");  // target is a folder
    Sample r;
    EXPECT_EQ(r.SaveFile("dir.dat"), 0);
    EXPECT_EQ(r.SaveFile("missing\\folder\\x.dat"), 0);
    EXPECT_EQ(env.Dir().ReadHostFile("dir.dat/inside"), "x");
}

TEST(DataRecord, EmptyPathTriesTheFileErr) {
    TestEnv env;
    env.Dir().WriteHostFile("err", SampleBytes(kDataVersion).Str());
    Sample r;
    EXPECT_EQ(r.LoadFile(""), 1);
    EXPECT_EQ(r.a, 7);
}

TEST(DataRecord, RefusesDamagedFilesCleanly) {
    struct Case {
        const char* name;
        ByteBuilder bytes;
    };
    ByteBuilder tooManyMembers, tooManyStrings, zeroLength, longLength, hugeList, negativeList;
    tooManyMembers.I32(kDataVersion).I32(4).I32(1).I32(2).F64(3).I32(4).I32(0);
    tooManyStrings.I32(kDataVersion).I32(0).I32(3).Str("").Str("").Str("");
    zeroLength.I32(kDataVersion).I32(0).I32(1).I32(0);
    longLength.I32(kDataVersion).I32(0).I32(1).I32(1000).Bytes("abc");
    hugeList.Append(SampleBytes(kDataVersion)).I32(0x7FFFFFFF).I32(0).I32(0);
    negativeList.Append(SampleBytes(kDataVersion)).I32(-1);
    std::vector<Case> cases = {{"member count above the registered", tooManyMembers},
                               {"string count above the registered", tooManyStrings},
                               {"string length below 1", zeroLength},
                               {"string length beyond the file", longLength},
                               {"list count beyond the file", hugeList},
                               {"negative list count", negativeList}};
    for (auto& c : cases) {
        TestEnv env;
        env.Dir().WriteHostFile("bad.dat", c.bytes.Str());
        Sample r;
        r.withItems = true;
        r.items.resize(2);
        r.a = 5;
        EXPECT_EQ(r.LoadFile("bad.dat"), 0) << c.name;
        EXPECT_EQ(AbortFlag.load(), 0) << c.name << ": a bad file is refused, not a fatal close";
        EXPECT_EQ(r.a, 0) << c.name << ": a refused record is reset";
        EXPECT_TRUE(r.items.empty()) << c.name;
        EXPECT_NE(env.Report().find("bad.dat"), std::string::npos) << c.name << ": the report names the file";
    }
}

TEST(DataRecord, EveryTruncationOfAGoodFileIsRefused) {
    TestEnv env;
    Sample full;
    full.withItems = true;
    full.a = 3;
    full.s2 = "hello";
    full.items.resize(3);
    ASSERT_EQ(full.SaveFile("full.dat"), 1);
    std::string bytes = env.Dir().ReadHostFile("full.dat");
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        env.Dir().WriteHostFile("cut.dat", bytes.substr(0, n));
        Sample r;
        r.withItems = true;
        EXPECT_EQ(r.LoadFile("cut.dat"), 0) << "cut at " << n;
    }
    Sample whole;
    whole.withItems = true;
    EXPECT_EQ(whole.LoadFile("full.dat"), 1);
    EXPECT_EQ(whole.items.size(), 3u);
}

TEST(DataRecord, RecordWithoutMembersRefusesAnyMember) {
    TestEnv env;
    ByteBuilder good, bad;
    good.I32(kDataVersion).I32(0).I32(0);
    bad.I32(kDataVersion).I32(1).I32(5).I32(0);
    env.Dir().WriteHostFile("good.dat", good.Str());
    env.Dir().WriteHostFile("bad.dat", bad.Str());
    Empty e;
    EXPECT_EQ(e.LoadFile("good.dat"), 1);
    EXPECT_EQ(e.LoadFile("bad.dat"), 0);
}

TEST(DataRecord, CopiesDescribeTheirOwnMembers) {
    TestEnv env;
    Sample src;
    src.a = 1;
    src.s1 = "src";
    Sample copy(src);
    copy.a = 2;
    copy.s1 = "copy";
    ASSERT_EQ(copy.SaveFile("copy.dat"), 1);
    Sample assigned;
    assigned = src;
    assigned.a = 3;
    ASSERT_EQ(assigned.SaveFile("assigned.dat"), 1);

    Sample back;
    ASSERT_EQ(back.LoadFile("copy.dat"), 1);
    EXPECT_EQ(back.a, 2);
    EXPECT_EQ(back.s1, "copy");
    ASSERT_EQ(back.LoadFile("assigned.dat"), 1);
    EXPECT_EQ(back.a, 3);
    EXPECT_EQ(back.s1, "src");
    EXPECT_EQ(src.a, 1) << "the source is untouched";
}

TEST(DataRecord, AnOlderDescriptionStaysWithItsObject) {
    LateSample older;
    older.RegisterFields(500);
    LateSample current;
    EXPECT_EQ(older.FieldCount(), 3);
    EXPECT_EQ(current.FieldCount(), 4) << "objects made later use the shared description of the current version";
    LateSample copy(older);
    EXPECT_EQ(copy.FieldCount(), 3) << "a copy takes the description of its source";
    LateSample moved;
    moved = LateSample(older);
    EXPECT_EQ(moved.FieldCount(), 3) << "so does a record moved into another";
    copy.Reset();
    EXPECT_EQ(copy.FieldCount(), 4);
}

TEST(DataRecord, ResetAndCopyFrom) {
    Sample a, b;
    a.a = 4;
    a.d = 2.5;
    a.s2 = "x";
    b.CopyFrom(a);
    EXPECT_EQ(b.a, 4);
    EXPECT_EQ(b.d, 2.5);
    EXPECT_EQ(b.s2, "x");
    b.Reset();
    EXPECT_EQ(b.a, 0);
    EXPECT_EQ(b.d, 0.0);
    EXPECT_EQ(b.s2, "");
}
