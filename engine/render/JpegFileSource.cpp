#include "engine/render/JpegFileSource.h"

#include <algorithm>

#include "engine/kernel/FileBinary.h"

namespace Vantor {

namespace {

JpegFileSource* SourceOf(j_decompress_ptr decompressor) {
    return reinterpret_cast<JpegFileSource*>(decompressor->src);
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// Never throws: the library's frames are C and cannot be unwound.
boolean FillInputBuffer(j_decompress_ptr decompressor) {
    JpegFileSource* self = SourceOf(decompressor);
    std::uint32_t count = 0;
    const JOCTET* next = self->buffer;
    if (self->stream) {
        try {
            self->stream->Read(self->buffer, 1, JpegFileSource::kBufferBytes, &count);
        } catch (...) {
            count = 0;
        }
    } else {
        count = std::min(JpegFileSource::kBufferBytes, self->size - self->position);
        next = self->memory + self->position;
        self->position += count;
    }
    if (count == 0) {
        next = self->endOfImage;
        count = sizeof(self->endOfImage);
    }
    self->source.next_input_byte = next;
    self->source.bytes_in_buffer = count;
    return TRUE;
}

void SkipInputData(j_decompress_ptr decompressor, long count) {
    if (count <= 0) return;
    JpegFileSource* self = SourceOf(decompressor);
    while (static_cast<unsigned long>(count) > self->source.bytes_in_buffer) {
        count -= static_cast<long>(self->source.bytes_in_buffer);
        FillInputBuffer(decompressor);
    }
    self->source.next_input_byte += count;
    self->source.bytes_in_buffer -= static_cast<std::size_t>(count);
}

}  // namespace

void SetJpegFileSource(j_decompress_ptr decompressor, FileBinary& stream) {
    auto* self = static_cast<JpegFileSource*>((*decompressor->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT, sizeof(JpegFileSource)));
    self->source.init_source = InitSource;
    self->source.fill_input_buffer = FillInputBuffer;
    self->source.skip_input_data = SkipInputData;
    self->source.resync_to_restart = jpeg_resync_to_restart;
    self->source.term_source = TermSource;
    self->source.next_input_byte = nullptr;
    self->source.bytes_in_buffer = 0;
    self->endOfImage[0] = 0xFF;
    self->endOfImage[1] = JPEG_EOI;
    if (stream.GetMemory()) {
        self->stream = nullptr;
        self->buffer = nullptr;
        self->memory = stream.GetMemory();
        self->position = stream.GetPosition();
        self->size = stream.GetSize();
    } else {
        self->stream = &stream;
        self->buffer = static_cast<JOCTET*>((*decompressor->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT, JpegFileSource::kBufferBytes));
        self->memory = nullptr;
        self->position = 0;
        self->size = 0;
    }
    decompressor->src = &self->source;
}

}  // namespace Vantor
