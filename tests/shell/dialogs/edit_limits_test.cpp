#include "shell/dialogs/edit_limits.h"

#include <gtest/gtest.h>

namespace {

// Japanese letters as the field holds them (Shift-JIS).
const std::string kA = "\x82\xA0";   // あ
const std::string kI = "\x82\xA2";   // い
const std::string kU = "\x82\xA4";   // う
const std::string kE = "\x82\xA6";   // え
const std::string kJi = "\x8E\x9A";  // 字

struct EditCase {
    const char* name;
    cEditLimits limits;
    std::string previous;
    cEditText typed;
    bool backspace;
    bool firstRun;
    cEditText shown;
};

// The ranking name field: 3 characters, a double-byte one counting one.
constexpr cEditLimits kName{4, 3, 1, 1};
// A plain field of three bytes on one line.
constexpr cEditLimits kBytes{4, 3, 1, 0};
// Three lines of four bytes.
constexpr cEditLimits kBlock{64, 4, 3, 0};

class EditChangeCheck : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditChangeCheck, ShowsTheExpectedTextAndSelection) {
    const EditCase& c = GetParam();
    cEditText shown = CheckEditChange(c.limits, c.previous, c.typed, c.backspace, c.firstRun);
    EXPECT_EQ(shown.text, c.shown.text);
    EXPECT_EQ(shown.selStart, c.shown.selStart);
    EXPECT_EQ(shown.selEnd, c.shown.selEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditChangeCheck,
    ::testing::Values(
        EditCase{"ThreeJapaneseLettersFit", kName, kA + kI, {kA + kI + kU, 6, 6}, false, false, {kA + kI + kU, 6, 6}},
        EditCase{"AFourthJapaneseLetterIsRefused",
                 kName,
                 kA + kI + kU,
                 {kA + kI + kU + kE, 8, 8},
                 false,
                 false,
                 {kA + kI + kU, 6, 6}},
        EditCase{"ThreeLatinLettersFit", kName, "ab", {"abc", 3, 3}, false, false, {"abc", 3, 3}},
        EditCase{"AFourthLatinLetterLeavesTheCaretAtTheEnd", kName, "abc", {"abcd", 4, 4}, false, false, {"abc", 3, 3}},
        EditCase{"ALatinLetterAfterTwoJapaneseOnesFits",
                 kName,
                 kA + kI,
                 {kA + kI + "x", 5, 5},
                 false,
                 false,
                 {kA + kI + "x", 5, 5}},
        EditCase{"APastedLineBreakRestoresThePreviousText", kName, "ab", {"a\r\nb", 3, 3}, false, false, {"ab", 2, 2}},
        EditCase{"AnInitialTextTooLongIsCutToItsFirstCharacters",
                 kName,
                 kA + kI + kU + kE + kJi,
                 {kA + kI + kU + kE + kJi, 0, 0},
                 false,
                 true,
                 {kA + kI + kU, 0, 0}},
        EditCase{"AByteFieldNeverKeepsHalfACharacter", kBytes, "ab", {"ab" + kJi, 4, 4}, false, false, {"ab", 2, 2}},
        EditCase{"AByteFieldTakesADoubleByteCharacterWhole",
                 kBytes,
                 "a",
                 {"a" + kJi, 3, 3},
                 false,
                 false,
                 {"a" + kJi, 3, 3}},
        EditCase{"ALongLineWrapsOntoTheNext", kBlock, "abcd", {"abcde", 5, 5}, false, false, {"abcd\r\ne", 7, 7}},
        EditCase{"WrappedCharactersJoinTheFollowingLine",
                 kBlock,
                 "abcd\r\nxy",
                 {"abcde\r\nxy", 5, 5},
                 false,
                 false,
                 {"abcd\r\nexy", 7, 7}},
        EditCase{"AWrapBeyondTheLastLineIsRefused",
                 kBlock,
                 "abcd\r\nefgh\r\nijkl",
                 {"abcd\r\nefgh\r\nijklm", 17, 17},
                 false,
                 false,
                 {"abcd\r\nefgh\r\nijkl", 16, 16}},
        EditCase{"BackspaceJoiningOntoAFullLineIsUndone",
                 kBlock,
                 "abcd\r\nef",
                 {"abcdef", 4, 4},
                 true,
                 false,
                 {"abcd\r\nef", 4, 4}},
        EditCase{
            "BackspaceJoiningOntoAShortLineWraps", kBlock, "ab\r\ncd", {"abcd", 2, 2}, true, false, {"abcd", 2, 2}},
        EditCase{"ACaretOnALineFeedMovesBehindIt",
                 kBlock,
                 "ab\r\ncd",
                 {"ab\r\ncd", 3, 3},
                 false,
                 false,
                 {"ab\r\ncd", 4, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
