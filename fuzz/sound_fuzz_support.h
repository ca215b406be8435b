#pragma once
// What the sound reader fuzz targets share: a private base folder whose data folder
// holds the input as a file, a file manager over it (readers open their files through
// it), a log that is never written to disk, and a pass over everything a reader hands
// out: in pieces of changing sizes, again after a rewind.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/sound/SoundFileReader.h"
#include "platform/WinPaths.h"

namespace fuzzing {

class SoundWorkspace {
public:
    explicit SoundWorkspace(const char* fileName) : fileName_(fileName) {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        std::filesystem::create_directories(folder_ + "/data");
        log_ = new Vantor::MessageManager(L"fuzz", false, false, L"", L"fuzz");
        Vantor::MessageManager::Instance(log_);
        files_ = new Vantor::FileManager(platform::ToWindowsPath(folder_), false, L"data");
        Vantor::FileManager::Instance(files_);
    }
    ~SoundWorkspace() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Writes the input as the data folder's file; returns its name for a reader.
    std::wstring Write(const std::uint8_t* data, std::size_t size) const {
        FILE* file = std::fopen((folder_ + "/data/" + fileName_).c_str(), "wb");
        if (file == nullptr) std::abort();
        if (size > 0) std::fwrite(data, 1, size, file);
        std::fclose(file);
        return std::wstring(fileName_.begin(), fileName_.end());
    }

private:
    std::string fileName_;
    std::string folder_;
    Vantor::MessageManager* log_;
    Vantor::FileManager* files_;
};

// Reads at most `limit` bytes in pieces whose sizes come from the input, checking the
// read contract on the way.
inline void ReadThrough(Vantor::SoundFileReader& reader, const std::uint8_t* data, std::size_t size,
                        std::uint32_t limit) {
    static std::vector<std::uint8_t> buffer(0x10000);
    std::uint32_t total = 0;
    for (std::size_t step = 0; total < limit; ++step) {
        const std::uint32_t seed = size > 0 ? data[step % size] * 257u : 4095u;
        const std::uint32_t piece = 1 + (seed + static_cast<std::uint32_t>(step)) % 0xFFFF;
        std::uint32_t read = 0;
        bool end = false;
        reader.Read(buffer.data(), piece, read, end);
        if (read > piece) std::abort();
        total += read;
        if (end || read == 0) return;
    }
}

}  // namespace fuzzing
