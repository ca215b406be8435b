#include "platform/MessageBox.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxTest, HeadlessBoxIsRecordedAndAnsweredFromTheQueue) {
    platform::seam::ClearMessageBoxes();
    EXPECT_EQ(MessageBoxW(nullptr, L"text", L"caption", MB_YESNOCANCEL), IDYES);
    platform::seam::QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, L"again", L"caption", MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
    const auto& shown = platform::seam::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, L"again");
    EXPECT_EQ(shown[1].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(shown[1].answer, IDCANCEL);
}

}  // namespace
