#pragma once
// The data source that feeds libjpeg from the program's own stream: the stream's
// memory block without copying when the content is in memory, otherwise reads of
// 4096 bytes. When the data runs out it hands the library an end-of-image marker.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

namespace Vantor {

class FileBinary;

struct JpegFileSource {
    static constexpr std::uint32_t kBufferBytes = 4096;

    jpeg_source_mgr source;
    // Read through when the content is not in memory, else null.
    FileBinary* stream;
    // The 4096-byte read buffer, null when reading the memory block.
    JOCTET* buffer;
    // The stream's memory block, null when reading through the stream.
    const JOCTET* memory;
    std::uint32_t position;  // in the memory block
    std::uint32_t size;      // of the memory block
    JOCTET endOfImage[2];
};

// Installs a source over the stream, from its current position, allocated from the
// decompressor's permanent pool. The stream must outlive the decompressor's use of it.
void SetJpegFileSource(j_decompress_ptr decompressor, FileBinary& stream);

}  // namespace Vantor
