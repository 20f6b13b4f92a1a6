#include "platform/glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

TEST(HostFontFamily, MapsTheFacesGamesAskFor) {
    const struct {
        const char* face;
        const char* family;
    } cases[] = {
        {"ＭＳ ゴシック", "IPAGothic"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"MS UI Gothic", "IPAPGothic"},
        {"ＭＳ 明朝", "IPAMincho"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"Arial", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::HostFontFamily(c.face), c.family) << c.face;
}

// The cell is ascent plus descent; the monospaced gothic face draws
// half-width characters half a cell wide and full-width ones a cell wide.
TEST(GlyphFace, CellMetricsAndGlyphKinds) {
    auto face = platform::GlyphFace::Open("ＭＳ ゴシック", 0, 16);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(std::filesystem::canonical(face->File()).filename(), "ipag.ttf") << face->File();
    auto proportional = platform::GlyphFace::Open("ＭＳ Ｐゴシック", 0, 16);
    ASSERT_NE(proportional, nullptr);
    EXPECT_EQ(std::filesystem::canonical(proportional->File()).filename(), "ipagp.ttf");
    EXPECT_EQ(face->CellHeight(), 16);
    EXPECT_EQ(face->Ascent(), 14);

    const platform::Glyph a = face->Render("A", platform::GlyphMode::kMonochrome);
    EXPECT_EQ(a.advance, 8);
    ASSERT_FALSE(a.coverage.empty());
    EXPECT_TRUE(std::all_of(a.coverage.begin(), a.coverage.end(), [](std::uint8_t v) { return v == 0 || v == 255; }));
    EXPECT_GE(a.top, 0);
    EXPECT_LE(a.top + a.height, 16);

    const platform::Glyph kana = face->Render("あ", platform::GlyphMode::kCoverage);
    EXPECT_EQ(kana.advance, 16);
    EXPECT_TRUE(
        std::any_of(kana.coverage.begin(), kana.coverage.end(), [](std::uint8_t v) { return v > 0 && v < 255; }));

    for (const char* blank : {"\x01", " ", "\x81"}) {
        const platform::Glyph g = face->Render(blank, platform::GlyphMode::kCoverage);
        EXPECT_TRUE(g.coverage.empty()) << int(static_cast<unsigned char>(blank[0]));
    }
    // A width narrows half-width characters to it, the cell keeps its height.
    auto narrow = platform::GlyphFace::Open("ＭＳ ゴシック", 4, 16);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(narrow->Render("A", platform::GlyphMode::kMonochrome).advance, 4);
    EXPECT_EQ(narrow->CellHeight(), 16);
    EXPECT_EQ(platform::GlyphFace::Open("ＭＳ ゴシック", 0, 0), nullptr);
    EXPECT_EQ(platform::GlyphFace::Open("ＭＳ ゴシック", -1, 16), nullptr);
}

}  // namespace
