// The data builder: writes the game's data folder from the sources in content/.
#include <iostream>
#include <string>
#include <vector>

#include "content/MakeDataCommand.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const Content::MakeDataCommand command(MORVANE_CONTENT_SOURCE_FOLDER);
    return command.Run(arguments, std::cout);
}
