#include "engine/sound/SoundFileReaderWAV.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "engine/kernel/FileBinary.h"

namespace Vantor {

namespace {

constexpr std::uint32_t kFirstChunkOffset = 12;
constexpr std::uint32_t kFormatFieldsSize = 16;
constexpr std::uint16_t kFormatPcm = 1;

std::uint16_t ReadU16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t ReadU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

SoundFileReaderWAV::SoundFileReaderWAV(const std::wstring& fileName) : SoundFileReader(fileName) {
    ReadRiffHeader();
    FindFormatChunk();
    FindDataChunk();
}

void SoundFileReaderWAV::ReadRiffHeader() {
    std::uint8_t header[12];
    file_->Read(header, 1, sizeof(header));
    if (std::memcmp(header, "RIFF", 4) != 0 || ReadU32(header + 4) == 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        Fail("no RIFF header");
}

bool SoundFileReaderWAV::FindChunk(const char* id, std::uint32_t minimumSize, std::uint32_t& size) {
    file_->Seek(0, static_cast<std::int32_t>(kFirstChunkOffset));
    for (;;) {
        std::uint8_t header[8];
        file_->Read(header, 1, sizeof(header));
        size = ReadU32(header + 4);
        if (std::memcmp(header, id, 4) == 0 && size >= minimumSize) return true;
        // The size is unsigned: a chunk that runs to or past the end ends the walk
        // rather than moving the position backwards.
        const std::uint64_t next = std::uint64_t{file_->GetPosition()} + size;
        if (next >= file_->GetSize() || next > std::numeric_limits<std::int32_t>::max()) return false;
        file_->Seek(0, static_cast<std::int32_t>(next));
    }
}

void SoundFileReaderWAV::FindFormatChunk() {
    std::uint32_t size = 0;
    if (!FindChunk("fmt ", kFormatFieldsSize, size)) Fail("no format chunk");
    std::uint8_t fields[kFormatFieldsSize];
    file_->Read(fields, 1, sizeof(fields));
    const std::uint16_t formatTag = ReadU16(fields);
    channels_ = ReadU16(fields + 2);
    sampleRate_ = ReadU32(fields + 4);
    bitsPerSample_ = ReadU16(fields + 14);
    const bool pcm = formatTag == kFormatPcm && (bitsPerSample_ == 8 || bitsPerSample_ == 16) &&
                     IsPlayableLayout(channels_, sampleRate_);
    // The rest of the chunk must lie inside the file; it may end the file when the
    // data chunk came first.
    const bool inside = std::uint64_t{file_->GetPosition()} + (size - kFormatFieldsSize) <= file_->GetSize();
    if (!pcm || !inside) Fail("no format chunk");
}

void SoundFileReaderWAV::FindDataChunk() {
    std::uint32_t size = 0;
    if (!FindChunk("data", 0, size)) Fail("no data chunk");
    dataStart_ = file_->GetPosition();
    totalBytes_ = size;
    remaining_ = size;
}

void SoundFileReaderWAV::Open() { Rewind(); }

void SoundFileReaderWAV::Close() {}

void SoundFileReaderWAV::Rewind() {
    remaining_ = totalBytes_;
    // A data chunk header that ends the file has no bytes to give.
    if (dataStart_ >= file_->GetSize()) {
        remaining_ = 0;
        return;
    }
    file_->Seek(0, static_cast<std::int32_t>(dataStart_));
}

void SoundFileReaderWAV::Read(std::uint8_t* destination, std::uint32_t bytes, std::uint32_t& read, bool& end) {
    read = 0;
    end = true;
    if (bytes == 0) return;
    const std::uint32_t wanted = std::min(bytes, remaining_);
    remaining_ -= wanted;
    if (wanted > 0) file_->Read(destination, 1, wanted, &read);
    // The file is shorter than its data chunk claims: the data ends here.
    if (read < wanted) remaining_ = 0;
    end = remaining_ == 0;
}

}  // namespace Vantor
