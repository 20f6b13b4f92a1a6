#include <gtest/gtest.h>

#include "foundation/data_record.h"
#include "support/byte_builder.h"

namespace {

class NamedRecord : public cDataRecord {
public:
    NamedRecord() {
        RegisterFields(kDataVersion);
        Reset();
    }
    void RegisterFields(int) override {
        ClearFieldLists();
        AddString(&m_strName);
        AddString(&m_strFile);
    }
    std::string m_strName;
    std::string m_strFile;
};

// An empty string is stored as its length 1 alone, so a record that ends a
// file with an empty string has no byte after that length.
TEST(DataRecordStrings, EmptyStringAtTheEndOfTheFileLoads) {
    ByteBuilder b;
    b.I32(0).I32(2).Str("a").Str("");
    cDataFile f("fixture", b.Data());
    FileVersion = kDataVersion;
    NamedRecord r;
    r.m_strFile = "old";
    EXPECT_TRUE(r.Load(f));
    EXPECT_EQ(r.m_strName, "a");
    EXPECT_EQ(r.m_strFile, "");
}

TEST(DataRecordStrings, LengthBeyondTheFileIsRefused) {
    ByteBuilder b;
    b.I32(0).I32(2).Str("a").I32(3).Bytes("x");
    cDataFile f("fixture", b.Data());
    FileVersion = kDataVersion;
    NamedRecord r;
    EXPECT_FALSE(r.Load(f));
}

}  // namespace
