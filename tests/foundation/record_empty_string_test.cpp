#include <gtest/gtest.h>

#include "foundation/data_record.h"
#include "support/byte_builder.h"

namespace {

class TitledRecord : public cDataRecord {
public:
    TitledRecord() { Reset(); }
    void RegisterFields(int) override {
        ClearFieldLists();
        AddField(&m_n);
        AddString(&m_a);
        AddString(&m_b);
    }
    std::int32_t m_n = 0;
    std::string m_a, m_b;
};

// An empty string is stored as the length 1 alone, so a record whose last
// string is empty ends the file right after that length.
TEST(RecordStrings, EmptyStringAtTheEndOfTheFileLoads) {
    for (const char* last : {"", "x"}) {
        TitledRecord r;
        r.m_n = 5;
        r.m_a = "a";
        r.m_b = last;
        cDataFile out("mem", cDataFile::Mode::Write);
        r.Save(out);
        TitledRecord back;
        back.m_b = "old";
        cDataFile in("mem", out.Bytes());
        FileVersion = DataVersion;
        EXPECT_TRUE(back.Load(in)) << in.FailReason();
        EXPECT_EQ(back.m_b, last);
        EXPECT_EQ(in.Remaining(), 0u);
    }
    // A non-empty length with nothing behind it still fails.
    TitledRecord r;
    cDataFile in("mem", ByteBuilder().I32(1).I32(0).I32(2).I32(1).I32(2).Data());
    EXPECT_FALSE(r.Load(in));
}

}  // namespace
