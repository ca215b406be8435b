#pragma once
// The program's entry point. The program defines WinMain; the platform's main (the
// library platform_entry) calls it with the program's module handle, no previous
// instance, the arguments after the program's name as one command line and
// SW_SHOWDEFAULT, and returns its value as the exit code.

#include <string>

#include "platform/WinTypes.h"

int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

namespace platform {

// The arguments as Windows passes them on: separated by blanks, each argument that
// holds a blank or is empty in double quotes.
std::string CommandLineOf(int argc, const char* const* argv);

}  // namespace platform
