#include "platform/Com.h"

#include <gtest/gtest.h>

namespace {

TEST(ComTest, NestedInitialisationAnswersFalseAndCounts) {
    ASSERT_EQ(platform::seam::ComInitializationCount(), 0);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(platform::seam::ComInitializationCount(), 2);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(platform::seam::ComInitializationCount(), 0);
}

TEST(ComTest, ForcedResultAnswersOnceAndChangesNothing) {
    platform::seam::SetNextCoInitializeResult(S_FALSE);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(platform::seam::ComInitializationCount(), 0);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
}

}  // namespace
