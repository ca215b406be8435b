#pragma once
// What the picture reader fuzz targets share: a private folder for the input as a disk
// file, a log that is never written to disk, and streams over the input held in memory
// (like a pack entry) and read through a file handle (like a loose file).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/Image.h"
#include "platform/WinPaths.h"

namespace fuzzing {

class PictureWorkspace {
public:
    explicit PictureWorkspace(const char* fileName) {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        hostFile_ = folder_ + "/" + fileName;
        windowsFile_ = platform::ToWindowsPath(hostFile_);
        log_ = new Vantor::MessageManager(L"fuzz", false, false, L"", L"fuzz");
        Vantor::MessageManager::Instance(log_);
    }
    ~PictureWorkspace() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::unique_ptr<Vantor::FileBinary> MemoryStream(const std::uint8_t* data, std::size_t size) const {
        // A stream is held in memory only over a real block, even an empty one.
        static const std::uint8_t kNoBytes = 0;
        return std::make_unique<Vantor::FileBinary>(windowsFile_, 0, 0, static_cast<std::uint32_t>(size),
                                                    data ? data : &kNoBytes, false);
    }
    std::unique_ptr<Vantor::FileBinary> DiskStream(const std::uint8_t* data, std::size_t size) const {
        FILE* file = std::fopen(hostFile_.c_str(), "wb");
        if (file == nullptr) std::abort();
        if (size > 0) std::fwrite(data, 1, size, file);
        std::fclose(file);
        return std::make_unique<Vantor::FileBinary>(windowsFile_);
    }
    void ClearLog() { log_->ClearMessages(); }

private:
    std::string folder_;
    std::string hostFile_;
    std::wstring windowsFile_;
    Vantor::MessageManager* log_;
};

// Runs the pixel operations over what a reader produced.
inline void ExercisePixels(Vantor::Image& image) {
    if (image.GetPixels() == nullptr) return;
    Vantor::Image target;
    image.ResizeTo(image.GetWidth() / 2 + 1, image.GetHeight() / 3 + 1, 0, target);
    image.Crop(image.GetWidth() / 3, image.GetHeight() / 2, 5, 5, target);
    image.Paste(1, 1, target);
    for (std::uint32_t bits : {8u, 24u, 32u}) image.ConvertBits(bits, &target);
    image.SwapRedBlue();
}

// Reads the input as a header alone and whole, from memory and from disk.
template <typename Reader>
void FuzzPictureReader(PictureWorkspace& workspace, const std::uint8_t* data, std::size_t size, Reader read) {
    for (bool readPixels : {false, true}) {
        Vantor::Image image;
        read(image, *workspace.MemoryStream(data, size), readPixels);
        ExercisePixels(image);
    }
    Vantor::Image image;
    read(image, *workspace.DiskStream(data, size), true);
    workspace.ClearLog();
}

}  // namespace fuzzing
