#pragma once
// The data folder of the test game below a private home: the levels, the two resource
// lists of the game base (the basic one holds the material "ui/quad", the additional one
// "ui/extra"), the tiny window template every test window is built from, the text table
// with "game_title", and the console's font and texture.

#include "tests/support/TempFolder.h"

namespace frameworktest {

// The template of every test window: a white quad of 200 x 100 units at (300, 250).
inline constexpr const char* kTestWindowLayout = "test_window";
inline constexpr const char* kTestGameTitle = "Test Game Title";

void WriteTestGameData(const testsupport::TempFolder& folder);

}  // namespace frameworktest
