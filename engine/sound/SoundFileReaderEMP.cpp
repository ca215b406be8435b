#include "engine/sound/SoundFileReaderEMP.h"

#include <algorithm>
#include <cstring>

namespace Vantor {

SoundFileReaderEMP::SoundFileReaderEMP() {
    totalBytes_ = kSilentBytes;
    channels_ = 1;
    bitsPerSample_ = 8;
    sampleRate_ = 22050;
}

void SoundFileReaderEMP::Open() { Rewind(); }

void SoundFileReaderEMP::Close() {}

void SoundFileReaderEMP::Rewind() { position_ = 0; }

void SoundFileReaderEMP::Read(std::uint8_t* destination, std::uint32_t bytes, std::uint32_t& read, bool& end) {
    read = 0;
    end = true;
    if (bytes == 0) return;
    read = std::min(bytes, totalBytes_ - position_);
    std::memset(destination, kSilence, read);
    position_ += read;
    end = position_ == totalBytes_;
}

}  // namespace Vantor
