// Fuzzes the DDS reader: the input is opened as a device that takes every DXT format
// (raw blocks turned upside down) and as one that takes none (blocks decoded), and
// every level of its chain is read, from memory and from a disk file.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/kernel/FileError.h"
#include "engine/render/FileDDS.h"
#include "fuzz/image_fuzz_support.h"

namespace {

void ReadEveryLevel(std::unique_ptr<Vantor::FileBinary> stream, std::uint32_t supportedFormats) {
    try {
        Vantor::FileDDS file(stream.release(), supportedFormats);
        Vantor::Image image;
        for (std::uint32_t level = 0; level <= file.GetMipCount(); ++level) file.ReadLevel(level, image);
        file.GetSurfaceSize();
        file.GetLevelOffset(0, file.GetMipCount());
    } catch (const Vantor::FileError&) {
        // Refused at opening, as the texture loader expects.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::PictureWorkspace workspace("input.dds");
    for (std::uint32_t supportedFormats : {0u, 0xFFFFFFFFu})
        ReadEveryLevel(workspace.MemoryStream(data, size), supportedFormats);
    ReadEveryLevel(workspace.DiskStream(data, size), 0);
    workspace.ClearLog();
    return 0;
}
