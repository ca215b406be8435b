#include "platform/Crt.h"

#include <gtest/gtest.h>

namespace {

// Restores the "C" state so that tests do not leak their locale into each other.
class CrtTest : public ::testing::Test {
protected:
    void TearDown() override { crt::setlocale(LC_ALL, "C"); }
};

TEST_F(CrtTest, CLocaleMapsEveryByteToTheSameUnit) {
    wchar_t unit = 0;
    EXPECT_EQ(crt::mbtowc(&unit, "\xE9", 1), 1);
    EXPECT_EQ(unit, 0xE9);
    EXPECT_EQ(crt::mbtowc(&unit, "", 1), 0);
    char out[4];
    EXPECT_EQ(crt::wctomb(out, 0xFF), 1);
    EXPECT_EQ(static_cast<unsigned char>(out[0]), 0xFF);
    EXPECT_EQ(crt::wctomb(out, 0x100), -1);
    EXPECT_EQ(crt::mb_cur_max(), 1);
}

TEST_F(CrtTest, LanguageNameSelectsUtf8WithUnicodeCase) {
    crt::setlocale(LC_ALL, "english");
    crt::setlocale(LC_CTYPE, "german");
    EXPECT_STREQ(crt::setlocale(LC_CTYPE, nullptr), "german");
    wchar_t unit = 0;
    EXPECT_EQ(crt::mbtowc(&unit, "\xC3\xA9", 4), 2);
    EXPECT_EQ(unit, 0xE9);
    EXPECT_EQ(crt::mbtowc(&unit, "\xC3", 4), -1);             // truncated sequence
    EXPECT_EQ(crt::mbtowc(&unit, "\xF0\x9F\x98\x80", 4), -1);  // no single UTF-16 unit
    char out[4];
    EXPECT_EQ(crt::wctomb(out, 0x20AC), 3);
    EXPECT_EQ(crt::wctomb(out, 0xD800), -1);
    EXPECT_EQ(crt::towupper(0xE9), 0xC9u);
    EXPECT_TRUE(crt::iswspace(0x3000));
}

TEST_F(CrtTest, CLocaleCaseTouchesOnlyAscii) {
    EXPECT_EQ(crt::towupper(0xE9), 0xE9u);
    EXPECT_EQ(crt::towupper(L'a'), static_cast<wint_t>(L'A'));
    EXPECT_EQ(crt::toupper(0xE9), 0xE9);
    EXPECT_FALSE(crt::isspace(0xA0));
}

// Classification beyond ASCII follows the UTF-8 state only, like iswspace.
TEST_F(CrtTest, GraphicAndAlphanumericFollowTheState) {
    const wint_t eAcute = 0xE9, ideographicSpace = 0x3000, ideograph = 0x4E00, noBreakSpace = 0xA0;
    EXPECT_TRUE(crt::iswgraph(L'a'));
    EXPECT_TRUE(crt::iswgraph(L'~'));
    EXPECT_FALSE(crt::iswgraph(L' '));
    EXPECT_FALSE(crt::iswgraph(0x7F));
    EXPECT_FALSE(crt::iswgraph(eAcute));
    EXPECT_TRUE(crt::iswalnum(L'Z'));
    EXPECT_TRUE(crt::iswalnum(L'7'));
    EXPECT_FALSE(crt::iswalnum(L'_'));
    EXPECT_FALSE(crt::iswalnum(eAcute));

    crt::setlocale(LC_CTYPE, "french");
    EXPECT_TRUE(crt::iswgraph(eAcute));
    EXPECT_TRUE(crt::iswalnum(eAcute));
    EXPECT_FALSE(crt::iswgraph(ideographicSpace));
    EXPECT_FALSE(crt::iswgraph(0xD800));
    EXPECT_TRUE(crt::iswalnum(ideograph));
    EXPECT_TRUE(crt::iswgraph(noBreakSpace));
    EXPECT_FALSE(crt::iswalnum(noBreakSpace));
    EXPECT_FALSE(crt::iswgraph(L' '));
}

TEST_F(CrtTest, WideParsingKeepsThePointAndSaturates) {
    EXPECT_EQ(_wtoi(L"  -42x"), -42);
    EXPECT_EQ(_wtoi(L"99999999999"), 2147483647);
    EXPECT_EQ(_wtoi(L"-99999999999"), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(_wtof(L"1.5"), 1.5);
}

}  // namespace
