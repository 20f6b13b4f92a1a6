#include "foundation/list_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace {

cDataFile FileOf(const ByteBuilder& b) { return cDataFile("list", b.Data()); }

ByteBuilder Ints(std::int32_t count, std::vector<std::int32_t> values) {
    ByteBuilder b;
    b.I32(count);
    for (std::int32_t v : values) b.I32(v);
    return b;
}

}  // namespace

TEST(ListReader, TheStoredCountReplacesOrKeepsTheListAsTheShapeSays) {
    struct Case {
        const char* what;
        StoredCount how;
        ByteBuilder bytes;
        bool ok;
        std::vector<std::int32_t> after;  // checked when ok
    };
    const std::vector<std::int32_t> before = {7, 8, 9};
    const Case cases[] = {
        {"replaced", StoredCount::Replaces, Ints(2, {1, 2}), true, {1, 2}},
        {"emptied", StoredCount::Replaces, Ints(0, {}), true, {}},
        {"negative refused", StoredCount::Replaces, Ints(-1, {}), false, {}},
        {"zero keeps", StoredCount::ZeroKeeps, Ints(0, {}), true, {7, 8, 9}},
        {"negative refused though zero keeps", StoredCount::ZeroKeeps, Ints(-3, {}), false, {}},
        {"zero or less keeps", StoredCount::NoneKeeps, Ints(-5, {}), true, {7, 8, 9}},
        {"read over and cut", StoredCount::NoneKeeps, Ints(2, {4, 5}), true, {4, 5}},
        {"read over and grown", StoredCount::NoneKeeps, Ints(4, {1, 2, 3, 4}), true, {1, 2, 3, 4}},
        {"count past the bytes", StoredCount::Replaces, Ints(3, {1, 2}), false, {}},
        {"count past the bytes though none keeps", StoredCount::NoneKeeps, Ints(5, {1}), false, {}},
        {"no count at all", StoredCount::NoneKeeps, ByteBuilder().I16(1), false, {}},
    };
    for (const Case& c : cases) {
        cDataFile f = FileOf(c.bytes);
        std::vector<std::int32_t> list = before;
        EXPECT_EQ(ReadValueList(f, list, c.how), c.ok) << c.what;
        EXPECT_EQ(f.Failed(), !c.ok) << c.what;
        if (c.ok) { EXPECT_EQ(list, c.after) << c.what; }
    }
}

TEST(ListReader, AnAbsurdCountFailsBeforeAnythingIsAllocated) {
    ByteBuilder b;
    b.I32(0x7fffffff).I32(0).I32(0);
    cDataFile f = FileOf(b);
    std::vector<std::int32_t> list;
    EXPECT_FALSE(ReadList(f, list, {8}, [](std::int32_t&) { return true; }));
    EXPECT_EQ(list.capacity(), 0u);
    EXPECT_NE(f.FailReason().find("larger than the file"), std::string::npos) << f.FailReason();
}

// What a file's lists may ask for grows with the file: a floor, and a few
// times its size. Everything up to that is granted, one byte more refused.
TEST(ListReader, AFileMayAskForMemoryInProportionToItsSize) {
    for (std::size_t size : {std::size_t(0), std::size_t(1000), std::size_t(8) << 20}) {
        const std::size_t bound = kLoadMemoryFloor + kLoadMemoryPerFileByte * size;
        cDataFile whole("list", std::vector<std::uint8_t>(size));
        EXPECT_TRUE(whole.ChargeMemory(bound - 1)) << size;
        EXPECT_TRUE(whole.ChargeMemory(1)) << size;
        EXPECT_FALSE(whole.ChargeMemory(1)) << size;
        cDataFile over("list", std::vector<std::uint8_t>(size));
        EXPECT_FALSE(over.ChargeMemory(bound + 1)) << size;
        EXPECT_EQ(over.FailReason(), "needs " + std::to_string(bound + 1) + " bytes of memory, over the " +
                                         std::to_string(bound) + " left for this file");
    }
}

TEST(ListReader, ElementsAreReadOneAtATimeUnlessMadeFirst) {
    struct Entry {
        std::int32_t stored = 0;
        std::int32_t kept = -1;  // never stored: what the element held before
        std::size_t seen = 0;    // the list's length while this one loaded
    };
    const ByteBuilder three = Ints(3, {10, 20, 30});
    for (ListGrowth growth : {ListGrowth::OneByOne, ListGrowth::MadeFirst}) {
        cDataFile f = FileOf(three);
        std::vector<Entry> list(1, Entry{0, 99, 0});
        auto readOne = [&](Entry& e) {
            e.seen = list.size();
            return f.Read(&e.stored, 4);
        };
        ASSERT_TRUE(ReadList(f, list, {4, StoredCount::Replaces, growth}, readOne));
        ASSERT_EQ(list.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(list[i].stored, static_cast<std::int32_t>(10 * (i + 1)));
            EXPECT_EQ(list[i].kept, -1) << "replaced lists start from new elements";
            EXPECT_EQ(list[i].seen, growth == ListGrowth::MadeFirst ? 3u : i + 1);
        }
    }
    // A list read over keeps what its old elements hold beyond the stored part.
    cDataFile f = FileOf(Ints(2, {5, 6}));
    std::vector<Entry> list = {Entry{0, 1, 0}, Entry{0, 2, 0}, Entry{0, 3, 0}};
    ASSERT_TRUE(ReadList(f, list, {4, StoredCount::NoneKeeps}, [&](Entry& e) { return f.Read(&e.stored, 4); }));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].stored, 5);
    EXPECT_EQ(list[0].kept, 1);
    EXPECT_EQ(list[1].kept, 2);
}
