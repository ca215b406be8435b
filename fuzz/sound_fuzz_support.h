#pragma once
// What the sound reader fuzz targets share: a workspace whose data folder holds the
// input as a file (readers open their files through the file manager), and a pass over
// everything a reader hands out: in pieces of changing sizes, again after a rewind.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/FileError.h"
#include "engine/sound/SoundFileReader.h"
#include "fuzz/file_fuzz_support.h"

namespace fuzzing {

class SoundWorkspace : public Workspace {
public:
    explicit SoundWorkspace(const char* fileName) : fileName_(fileName) {
        CreateFolder("data");
        OpenFileManager();
    }

    // Writes the input as the data folder's file; returns its name for a reader.
    std::wstring Write(const std::uint8_t* data, std::size_t size) const {
        WriteFile("data/" + fileName_, data, size);
        return std::wstring(fileName_.begin(), fileName_.end());
    }

private:
    std::string fileName_;
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
