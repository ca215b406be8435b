#pragma once
// Whole files read in one go, as the data builder reads its sources and compares its
// outputs.

#include <filesystem>
#include <string>

namespace Content {

class SourceFiles {
public:
    // False when the file cannot be opened or read whole.
    static bool Read(const std::filesystem::path& path, std::string& bytes);
};

}  // namespace Content
