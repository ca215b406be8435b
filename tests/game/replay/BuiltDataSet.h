#pragma once
// The data set make_data built, under a replay game's data folder: the test game's own
// files stay, every other file of the built set is linked in (folders found in both are
// merged), and the game data queues the resource lists of the café day as the game does.

#include <filesystem>
#include <string>
#include <vector>

namespace replay {

class BuiltDataSet {
public:
    // The test game's files that the built set's own replace: the text table (the day's
    // texts) and the additional list (the customers' particle systems).
    static const std::vector<std::string>& ReplacedFiles();
    // The lists holding the room, the house, the foods and the customers, in the game's
    // loading order.
    static const std::vector<std::wstring>& ResourceLists();

    // Links below the data folder every entry of the built one that is not there yet.
    static void LinkInto(const std::filesystem::path& built, const std::filesystem::path& data);
};

}  // namespace replay
