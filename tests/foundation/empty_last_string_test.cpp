#include <gtest/gtest.h>

#include "foundation/data_record.h"
#include "support/byte_builder.h"
#include "support/temp_dir.h"

namespace {

class TwoStrings : public cDataRecord {
public:
    TwoStrings() { RegisterFields(DataVersion); }
    void RegisterFields(int) override {
        ClearFieldLists();
        AddField(&value);
        AddString(&first);
        AddString(&last);
    }
    int value = 0;
    std::string first, last;
};

}  // namespace

TEST(EmptyLastString, AFileMayEndWithAnEmptyString) {
    TempDir dir;
    ByteBuilder b;
    b.I32(920).I32(1).I32(42).I32(2).Str("text").Str("");
    dir.WriteHostFile("r.dat", b.Str());
    TwoStrings r;
    r.last = "old";
    ASSERT_EQ(r.LoadFile("r.dat"), 1);
    EXPECT_EQ(r.value, 42);
    EXPECT_EQ(r.first, "text");
    EXPECT_EQ(r.last, "");
    // A non-empty last string still needs its bytes.
    dir.WriteHostFile("r.dat", b.Truncated(b.Size() - 4).append("\x03\x00\x00\x00", 4));
    EXPECT_EQ(r.LoadFile("r.dat"), 0);
}
