#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/pictures/bmp_decoder.h"
#include "support/byte_builder.h"

namespace {

// A BMP header (file + info) with a colour table of tableCount entries.
ByteBuilder Header(int w, int h, int bits, int tableCount, std::uint32_t dataSize, std::uint32_t compression = 0) {
    ByteBuilder b;
    const std::uint32_t offset = 54 + 4 * tableCount;
    b.U8('B').U8('M').U32(offset + dataSize).U32(0).U32(offset);
    b.U32(40).I32(w).I32(h).I16(1).I16(static_cast<std::int16_t>(bits)).U32(compression).U32(dataSize);
    b.I32(0).I32(0).U32(static_cast<std::uint32_t>(tableCount)).U32(0);
    return b;
}

void Table(ByteBuilder& b, const std::vector<std::uint32_t>& rgb) {
    for (std::uint32_t p : rgb) b.U8(p & 255).U8((p >> 8) & 255).U8((p >> 16) & 255).U8(0);
}

bool Decode(const ByteBuilder& b, BMPIMAGE& img, std::string& why) {
    return DecodeBmp(b.Data().data(), b.Size(), img, why);
}

TEST(BmpDecoder, ReadsEachDepthTopRowFirst) {
    struct Case {
        const char* name;
        ByteBuilder bytes;
        std::vector<std::uint32_t> rgb;
    };
    std::vector<Case> cases;
    {  // 1 bit, 3 x 2: bottom row 1,0,1 then top row 0,1,1
        ByteBuilder b = Header(3, 2, 1, 2, 8);
        Table(b, {0x000000, 0xFFFFFF});
        b.U32(0xA0).U32(0x60);
        cases.push_back({"1 bit", b, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xFFFFFF}});
    }
    {  // 4 bits, 3 x 1
        ByteBuilder b = Header(3, 1, 4, 3, 4);
        Table(b, {0x111111, 0x222222, 0x333333});
        b.U8(0x21).U8(0x00).U8(0).U8(0);
        cases.push_back({"4 bits", b, {0x333333, 0x222222, 0x111111}});
    }
    {  // 8 bits, 2 x 1 with a short colour table
        ByteBuilder b = Header(2, 1, 8, 2, 4);
        Table(b, {0xABCDEF, 0x123456});
        b.U8(1).U8(0).U8(0).U8(0);
        cases.push_back({"8 bits", b, {0x123456, 0xABCDEF}});
    }
    {  // 24 bits, top-down, 1 x 2
        ByteBuilder b = Header(1, -2, 24, 0, 8);
        b.U8(3).U8(2).U8(1).U8(0).U8(6).U8(5).U8(4).U8(0);
        cases.push_back({"24 bits top-down", b, {0x010203, 0x040506}});
    }
    {  // 32 bits, 2 x 1
        ByteBuilder b = Header(2, 1, 32, 0, 8);
        b.U32(0xFF102030).U32(0x00405060);
        cases.push_back({"32 bits", b, {0x102030, 0x405060}});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BMPIMAGE img;
        std::string why;
        ASSERT_TRUE(Decode(c.bytes, img, why)) << why;
        EXPECT_EQ(img.rgb, c.rgb);
    }
}

TEST(BmpDecoder, RefusesBrokenFiles) {
    const ByteBuilder good = [] {
        ByteBuilder b = Header(2, 2, 24, 0, 16);
        for (int i = 0; i < 16; ++i) b.U8(static_cast<std::uint8_t>(i));
        return b;
    }();
    auto withByte = [&](std::size_t at, std::uint8_t v) {
        std::string s = good.Str();
        s[at] = static_cast<char>(v);
        ByteBuilder b;
        b.Bytes(s);
        return b;
    };
    auto with32 = [&](std::size_t at, std::uint32_t v) {
        std::string s = good.Str();
        for (int k = 0; k < 4; ++k) s[at + k] = static_cast<char>((v >> (8 * k)) & 255);
        ByteBuilder b;
        b.Bytes(s);
        return b;
    };
    ByteBuilder truncatedTable = Header(2, 1, 8, 256, 8);
    Table(truncatedTable, {1, 2, 3});
    const struct {
        const char* name;
        ByteBuilder bytes;
    } cases[] = {
        {"empty", ByteBuilder()},
        {"no magic", withByte(0, 'X')},
        {"pixels cut short",
         [&] {
             ByteBuilder b;
             b.Bytes(good.Truncated(good.Size() - 1));
             return b;
         }()},
        {"header cut short",
         [&] {
             ByteBuilder b;
             b.Bytes(good.Truncated(30));
             return b;
         }()},
        {"huge width", with32(18, 0x7FFFFFFF)},
        {"negative width", with32(18, 0xFFFFFFFF)},
        {"zero height", with32(22, 0)},
        {"most negative height", with32(22, 0x80000000u)},
        {"16 bits", withByte(28, 16)},
        {"run-length compression", withByte(30, 1)},
        {"pixel offset past the end", with32(10, 0xFFFFFFF0u)},
        {"info size past the end", with32(14, 0x10000)},
        {"colour table past the end", truncatedTable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BMPIMAGE img;
        std::string why;
        EXPECT_FALSE(Decode(c.bytes, img, why));
        EXPECT_FALSE(why.empty());
        EXPECT_TRUE(img.rgb.empty());
    }
}

TEST(BmpDecoder, EveryTruncationRefusesCleanly) {
    ByteBuilder b = Header(5, 3, 8, 4, 24);
    Table(b, {1, 2, 3, 4});
    for (int i = 0; i < 24; ++i) b.U8(static_cast<std::uint8_t>(i % 4));
    BMPIMAGE img;
    std::string why;
    ASSERT_TRUE(Decode(b, img, why));
    for (std::size_t n = 0; n < b.Size(); ++n) {
        const std::string part = b.Truncated(n);
        EXPECT_FALSE(DecodeBmp(reinterpret_cast<const std::uint8_t*>(part.data()), part.size(), img, why)) << n;
    }
}

}  // namespace
