// The process's main: everything of the program starts in its WinMain.

#include <string>

#include "platform/WinMain.h"
#include "platform/WinUser.h"

int main(int argc, char** argv) {
    std::string commandLine = platform::CommandLineOf(argc, argv);
    return WinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
