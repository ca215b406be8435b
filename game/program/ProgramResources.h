#pragma once
// The resources the game's executable carries: the window icon, a small picture of a
// cup of coffee, and the system cursors that stand behind the game cursor's three
// kinds. The executable defines them with the platform as it starts; tests that run
// the program in process define them the same way.

#include "platform/WinUser.h"

namespace Morvane {

class ProgramResources {
public:
    static constexpr int kIconSize = 32;

    // Icon 101 and the cursors 107 to 109.
    static void Define();
    // The icon, kIconSize pixels square.
    static platform::IconPicture IconPicture();
};

}  // namespace Morvane
