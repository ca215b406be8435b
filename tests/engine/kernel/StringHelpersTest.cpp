#include "engine/kernel/StringHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "platform/Crt.h"
#include "platform/MessageBox.h"

namespace {

using namespace Vantor;

// Tests that change the code page put the "C" state back.
class StringHelpersTest : public ::testing::Test {
protected:
    void TearDown() override { crt::setlocale(LC_ALL, "C"); }
};

TEST_F(StringHelpersTest, ToIntFollowsRadixAndSaturates) {
    struct Case {
        const char* text;
        int radix;
        int expected;
    };
    const Case cases[] = {
        {"12abc", 10, 12},
        {"  -42", 10, -42},
        {"ff", 16, 255},
        {"0x1F", 0, 31},
        {"017", 0, 15},
        {"abc", 10, 0},
        {"", 10, 0},
        {"99999999999", 10, INT_MAX},
        {"-99999999999", 10, INT_MIN},
        {"fffffffff", 16, INT_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ToInt(c.text, c.radix), c.expected);
        EXPECT_EQ(ToInt(ToWide(c.text), c.radix), c.expected);
    }
    EXPECT_EQ(ToInt(static_cast<const char*>(nullptr)), 0);
}

TEST_F(StringHelpersTest, ToUnsignedStopsAtTheFirstNonDigitAndKeeps32Bits) {
    EXPECT_EQ(ToUnsigned("32x5", 10), 32u);
    EXPECT_EQ(ToUnsigned("ff", 16), 255u);
    EXPECT_EQ(ToUnsigned("-1", 10), 0xFFFFFFFFu);
    EXPECT_EQ(ToUnsigned("-5", 10), 0xFFFFFFFBu);
    EXPECT_EQ(ToUnsigned("4294967296", 10), 0xFFFFFFFFu);
    EXPECT_EQ(ToUnsigned("-4294967296", 10), 0xFFFFFFFFu);
}

TEST_F(StringHelpersTest, ToFloatAndToBool) {
    EXPECT_FLOAT_EQ(ToFloat("1.0"), 1.0f);
    EXPECT_FLOAT_EQ(ToFloat(L" -2.5x"), -2.5f);
    EXPECT_FLOAT_EQ(ToFloat("abc"), 0.0f);
    EXPECT_TRUE(std::isinf(ToFloat("1e300")));

    const std::pair<const char*, bool> flags[] = {
        {"1", true}, {"2", true}, {"-1", true}, {" 7", true}, {"0", false}, {"", false}, {"true", false}};
    for (const auto& [text, expected] : flags) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ToBool(text), expected);
        EXPECT_EQ(ToBool(ToWide(text)), expected);
    }
}

TEST_F(StringHelpersTest, CaseMappingTouchesOnlyMappedLetters) {
    EXPECT_EQ(ToUpper("abc-XYZ_1\xE9"), "ABC-XYZ_1\xE9");
    EXPECT_EQ(ToLower("ABC-xyz_1\xC9"), "abc-xyz_1\xC9");
    std::wstring wide = L"Caf\u00E9";
    MakeUpper(wide);
    EXPECT_EQ(wide, L"CAF\u00E9");  // the "C" state maps A-Z and a-z only
    crt::setlocale(LC_ALL, "english");
    EXPECT_EQ(ToLower(std::wstring(L"CAF\u00C9")), L"caf\u00E9");
}

TEST_F(StringHelpersTest, Trimming) {
    std::string blanks = " \t\r\n ";
    TrimRight(blanks);
    EXPECT_EQ(blanks, "");
    std::string empty;
    Trim(empty);
    EXPECT_EQ(empty, "");
    std::string both = "\t a b \n";
    Trim(both);
    EXPECT_EQ(both, "a b");
    std::string high = "\xA0x\xA0";  // a byte above 0x7F is no blank and must not crash the classifier
    Trim(high);
    EXPECT_EQ(high, "\xA0x\xA0");

    std::string path = "\\\\data\\ui";
    TrimLeft(path, '\\');
    EXPECT_EQ(path, "data\\ui");
    std::string onlySlashes = "\\\\";
    TrimLeft(onlySlashes, '\\');
    EXPECT_EQ(onlySlashes, "");

    EXPECT_EQ(Trimmed(L"  x y\t"), L"x y");
    EXPECT_EQ(TrimmedLeft(L"  x "), L"x ");
    EXPECT_EQ(TrimmedRight(std::string(" x  ")), " x");
}

TEST_F(StringHelpersTest, ReplaceAllNeverSearchesInsertedText) {
    std::string text = "aaa";
    ReplaceAll(text, "a", "aa");
    EXPECT_EQ(text, "aaaaaa");
    EXPECT_EQ(Replaced(L"%MONEY% and %MONEY%", L"%MONEY%", L"12"), L"12 and 12");

    std::string four = "x    y";
    RemoveAll(four, "  ");
    EXPECT_EQ(four, "xy");
    std::string three = "x   y";
    RemoveAll(three, "  ");
    EXPECT_EQ(three, "x y");
    EXPECT_EQ(Removed(L"a--b--", L"--"), L"ab");
}

TEST_F(StringHelpersTest, EmptySearchTextChangesNothing) {
    std::string narrow = "abc";
    ReplaceAll(narrow, "", "x");
    EXPECT_EQ(narrow, "abc");
    EXPECT_EQ(Replaced(L"abc", L"", L"x"), L"abc");
    EXPECT_EQ(ReplacedNoCase(L"abc", L"", L"x"), L"abc");
}

TEST_F(StringHelpersTest, ReplaceNoCaseKeepsPositionsAligned) {
    EXPECT_EQ(ReplacedNoCase(L"Hello and HELLO", L"hello", L"Bye"), L"Bye and Bye");
    // The replacement is longer than the search and holds it: no endless loop, no re-match.
    EXPECT_EQ(ReplacedNoCase(L"aXa", L"x", L"XXx"), L"aXXxa");
}

TEST_F(StringHelpersTest, NarrowAndWideConversionInTheCState) {
    EXPECT_EQ(ToWide("caf\xE9"), L"caf\u00E9");
    EXPECT_EQ(ToWide(std::string("ab\0cd", 5)), L"ab");  // a zero byte ends the text
    EXPECT_EQ(ToNarrow(L"a\u00FF\u0100\u20ACb"), "a\xFF" "b");
    EXPECT_EQ(ToNarrow(std::wstring(L"ab\0cd", 5)), "ab");
}

TEST_F(StringHelpersTest, NarrowAndWideConversionInAMultibyteCodePage) {
    crt::setlocale(LC_CTYPE, "german");
    EXPECT_EQ(ToWide("a\xC3\xA9" "b\xFF" "c\xE2\x82"), L"a\u00E9bc");  // invalid bytes dropped
    EXPECT_EQ(ToNarrow(L"\u20AC\u00E9"), "\xE2\x82\xAC\xC3\xA9");
}

TEST_F(StringHelpersTest, NumberFormatting) {
    struct Case {
        std::string actual;
        const char* expected;
    };
    const Case cases[] = {
        {ToString(2.0f, 6), "2.000000"},
        {ToString(1.5f, 4), "1.5000"},
        {ToString(0.95f, 4), "0.9500"},
        {ToString(2.5f, 0), "2"},
        {ToString(5, 0), "5"},
        {ToString(-5, 3), "-005"},
        {ToString(5u, 2), "05"},
        {ToString(4000000000u, 0), "4000000000"},
        {ToString(7, -2), "7"},
        {ToString(false), "0"},
        {ToString(true), "1"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
    EXPECT_EQ(ToWideString(1.5f, 1), L"1.5");
    EXPECT_EQ(ToWideString(-7, 2), L"-07");
    EXPECT_EQ(ToWideString(9u, 3), L"009");
    EXPECT_EQ(ToString(1.0f, 80).size(), 82u);  // longer than 67 characters is not cut
}

TEST_F(StringHelpersTest, MessageBoxButtonsAndAnswers) {
    struct Case {
        int icon;
        int buttons;
        int answer;
        UINT style;
        int expected;
    };
    const Case cases[] = {
        {0, 0, IDOK, MB_OK | MB_ICONINFORMATION, 0},
        {1, 1, IDCANCEL, MB_OKCANCEL | MB_ICONHAND, 1},
        {1, 1, IDOK, MB_OKCANCEL | MB_ICONHAND, 0},
        {2, 2, IDNO, MB_YESNO | MB_ICONQUESTION, 1},
        {2, 2, IDYES, MB_YESNO | MB_ICONQUESTION, 0},
        {5, 3, IDCANCEL, MB_YESNOCANCEL, 2},
        {5, 3, IDNO, MB_YESNOCANCEL, 1},
        {5, 3, IDYES, MB_YESNOCANCEL, 0},
        {0, 9, IDOK, MB_OK | MB_ICONINFORMATION, 0},
    };
    for (const Case& c : cases) {
        platform::seam::ClearMessageBoxes();
        platform::seam::QueueMessageBoxAnswer(c.answer);
        EXPECT_EQ(ShowMessageBox(L"text", L"Fatal Error", c.icon, c.buttons), c.expected);
        const auto& shown = platform::seam::ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].type, c.style);
        EXPECT_EQ(shown[0].caption, L"Fatal Error");
    }
}

}  // namespace
