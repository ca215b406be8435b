#pragma once
// What the picture reader fuzz targets share: a workspace for the input as a disk file,
// and streams over the input held in memory (like a pack entry) and read through a file
// handle (like a loose file).

#include <cstdint>
#include <memory>
#include <string>

#include "engine/kernel/FileBinary.h"
#include "engine/render/Image.h"
#include "fuzz/file_fuzz_support.h"
#include "platform/WinPaths.h"

namespace fuzzing {

class PictureWorkspace : public Workspace {
public:
    explicit PictureWorkspace(const char* fileName)
        : fileName_(fileName), windowsFile_(platform::ToWindowsPath(HostPath(fileName_))) {}

    std::unique_ptr<Vantor::FileBinary> MemoryStream(const std::uint8_t* data, std::size_t size) const {
        // A stream is held in memory only over a real block, even an empty one.
        static const std::uint8_t kNoBytes = 0;
        return std::make_unique<Vantor::FileBinary>(windowsFile_, 0, 0, static_cast<std::uint32_t>(size),
                                                    data ? data : &kNoBytes, false);
    }
    std::unique_ptr<Vantor::FileBinary> DiskStream(const std::uint8_t* data, std::size_t size) const {
        WriteFile(fileName_, data, size);
        return std::make_unique<Vantor::FileBinary>(windowsFile_);
    }

private:
    std::string fileName_;
    std::wstring windowsFile_;
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
