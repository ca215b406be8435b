#include "platform/Utf.h"

#include <gtest/gtest.h>

namespace {

TEST(UtfTest, RoundTripsBmpAndSurrogatePairs) {
    std::wstring text = {L'a', 0xE9, 0x20AC, 0xD83D, 0xDE00};
    std::string utf8 = platform::Utf16ToUtf8(text);
    EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(platform::Utf8ToUtf16(utf8), text);
}

TEST(UtfTest, BrokenInputBecomesQuestionMarks) {
    EXPECT_EQ(platform::Utf16ToUtf8(std::wstring(1, 0xDC00)), "?");
    EXPECT_EQ(platform::Utf8ToUtf16("a\xC3"), L"a?");
}

}  // namespace
