// Fuzzes the JPEG reader of Vantor::Image over a stream held in memory and over a disk
// file, header alone and whole, then runs the pixel operations over the picture.

#include <cstddef>
#include <cstdint>

#include "fuzz/image_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::PictureWorkspace workspace("input.jpeg");
    fuzzing::FuzzPictureReader(workspace, data, size, [](Vantor::Image& image, Vantor::FileBinary& stream,
                                                         bool readPixels) { image.LoadJPEG(stream, readPixels); });
    return 0;
}
