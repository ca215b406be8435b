#include "platform/WinMain.h"

namespace platform {

std::string CommandLineOf(int argc, const char* const* argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!commandLine.empty()) commandLine += ' ';
        const bool quoted = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        commandLine += quoted ? '"' + argument + '"' : argument;
    }
    return commandLine;
}

}  // namespace platform
