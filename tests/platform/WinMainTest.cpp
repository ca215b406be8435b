// The command line that the process's main hands to the program's WinMain.

#include "platform/WinMain.h"

#include <gtest/gtest.h>

namespace {

TEST(WinMainTest, CommandLineHoldsTheArgumentsAfterTheProgramsName) {
    const char* none[] = {"morvane"};
    EXPECT_EQ(platform::CommandLineOf(1, none), "");
    const char* some[] = {"morvane", "-window", "two words", "", "x"};
    EXPECT_EQ(platform::CommandLineOf(5, some), "-window \"two words\" \"\" x");
}

}  // namespace
