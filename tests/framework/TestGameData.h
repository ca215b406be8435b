#pragma once
// The data folder of the test game below a private home: the levels, the two resource
// lists of the game base (the basic one holds the material "ui/quad", the additional one
// "ui/extra"), the tiny window template every test window is built from, the text table
// with "game_title", and the console's font and texture.

#include <string>

#include "tests/support/TempFolder.h"

namespace frameworktest {

// The template of most test windows: a white quad of 200 x 100 units at (300, 250).
inline constexpr const char* kTestWindowLayout = "test_window";
inline constexpr const char* kTestGameTitle = "Test Game Title";

// The windows a player must tell apart in a picture have their own template, "test_" and
// the window's name, in a colour of their own: the welcome window green, the level
// display a blue field over most of the screen, the pause window yellow and partly over
// it, the high scores red. Every other window takes kTestWindowLayout.
std::string TestWindowLayoutOf(const std::string& windowName);

void WriteTestGameData(const testsupport::TempFolder& folder);

}  // namespace frameworktest
