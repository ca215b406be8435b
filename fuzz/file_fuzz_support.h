#pragma once
// What the fuzz targets of readers of files from disk share: a private temporary folder
// (removed with all it holds when the target ends) to write the input into, a log
// registered as the engine's that is never written to disk, and, for readers that open
// their files by name, a file manager over the folder.

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "platform/WinPaths.h"

namespace fuzzing {

// The stored strings of the input (a length byte n, then n - 1 bytes and a zero), at most
// maxNames of them, each in its letter case and in capitals, then the empty name.
inline std::vector<std::string> StoredNamesIn(const std::uint8_t* data, std::size_t size, std::size_t maxNames) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < size && names.size() < maxNames; ++i) {
        const std::size_t length = data[i];
        if (length == 0 || i + length >= size || data[i + length] != 0) continue;
        std::string name(reinterpret_cast<const char*>(data + i + 1), length - 1);
        names.push_back(name);
        for (char& letter : name) letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
        names.push_back(name);
    }
    names.emplace_back("");
    return names;
}

class Workspace {
public:
    Workspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        log_ = new Vantor::MessageManager(L"fuzz", false, false, L"", L"fuzz");
        Vantor::MessageManager::Instance(log_);
    }
    ~Workspace() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // The host path of the workspace, or of a file or folder below it ('/' separated).
    std::string HostPath(const std::string& relative = "") const {
        return relative.empty() ? folder_ : folder_ + "/" + relative;
    }

    void CreateFolder(const std::string& relative) const { std::filesystem::create_directories(HostPath(relative)); }

    // Writes the bytes as the file below the workspace; a failure ends the run.
    void WriteFile(const std::string& relative, const std::uint8_t* data, std::size_t size) const {
        FILE* file = std::fopen(HostPath(relative).c_str(), "wb");
        if (file == nullptr) std::abort();
        if (size > 0) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }

    // Registers a file manager whose base folder is the workspace, with the data folder
    // "data" and without packs; like the log, it lives as long as the target.
    void OpenFileManager() const {
        Vantor::FileManager::Instance(new Vantor::FileManager(platform::ToWindowsPath(folder_), false, L"data"));
    }

    void ClearLog() const { log_->ClearMessages(); }

private:
    std::string folder_;
    Vantor::MessageManager* log_;
};

}  // namespace fuzzing
