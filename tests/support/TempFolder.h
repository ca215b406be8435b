#pragma once
// A fresh folder below the system's temporary folder, removed with everything in it
// when the object goes.

#include <filesystem>
#include <string>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes a file below the folder, creating its parent folders.
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    std::string ReadFile(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

}  // namespace testsupport
