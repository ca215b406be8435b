#include "engine/sound/SoundBuffer.h"

#include <cstring>

#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"

namespace Vantor {

namespace {

constexpr std::uint8_t kSilence8Bit = 128;
constexpr std::uint8_t kSilence16Bit = 0;

}  // namespace

SoundBuffer::SoundBuffer(const std::wstring& file, std::uint8_t* scratch, bool resident)
    : scratch_(scratch), fileName_(ToLower(file)), resident_(resident) {}

SoundBuffer::~SoundBuffer() { delete reader_; }

void SoundBuffer::Update() {
    if (!streamed_ || streamState_ != kPlaying) return;
    std::vector<std::uint32_t> played;
    UnqueueProcessedBuffers(&played);
    for (std::uint32_t index : played)
        if (FillChunk(index, kChunkSize)) QueueChunk(index);
}

void SoundBuffer::Release() {
    delete reader_;
    reader_ = nullptr;
}

void SoundBuffer::Load(const SoundBuffer* source) {
    OpenReader();
    if (streamed_) resident_ = false;
    CreateDeviceBuffer(source);
    if (streamed_ && source == nullptr) {
        looping_ = false;
        streamState_ = kStopped;
    }
}

SoundFileReader* SoundBuffer::MakeReader() const {
    if (fileName_.empty()) return new SoundFileReaderEMP;
    const std::wstring extension = FileManager::GetExtension(fileName_);
    if (extension == L"wav") return new SoundFileReaderWAV(fileName_);
    if (extension == L"ogg") return new SoundFileReaderOGG(fileName_);
    MessageManager::Instance()->PrintError("Failed to load \"" + ToNarrow(fileName_) + "\" sound file - unknown type");
    return new SoundFileReaderEMP;
}

void SoundBuffer::OpenReader() {
    if (reader_ != nullptr) return;
    try {
        reader_ = MakeReader();
    } catch (const FileError& error) {
        MessageManager::Instance()->PrintError(error.GetText());
        reader_ = new SoundFileReaderEMP;
    }
    totalBytes_ = reader_->GetTotalBytes();
    sampleRate_ = reader_->GetSampleRate();
    bitsPerSample_ = reader_->GetBitsPerSample();
    channels_ = reader_->GetChannels();
    streamed_ = totalBytes_ > kRingSize;
}

bool SoundBuffer::FillChunk(std::uint32_t index, std::uint32_t bytes) {
    if (bytes == 0) return false;
    std::uint32_t got = 0;
    bool end = false;
    reader_->Read(scratch_, bytes, got, end);
    if (streamed_ && looping_) {
        while (got < bytes) {
            reader_->Rewind();
            std::uint32_t more = 0;
            reader_->Read(scratch_ + got, bytes - got, more, end);
            if (more == 0) break;
            got += more;
        }
    }
    if (got < bytes) std::memset(scratch_ + got, bitsPerSample_ == 8 ? kSilence8Bit : kSilence16Bit, bytes - got);
    if (!WriteChunk(index, bytes)) return false;
    if (!streamed_) return got == bytes;
    return looping_ || got > 0 || !end;
}

void SoundBuffer::SetStreamState(int state) {
    if (state == streamState_) return;
    if (state == kStopped) {
        UnqueueProcessedBuffers(nullptr);
    } else if (state == kPlaying && streamState_ == kStopped) {
        reader_->Rewind();
        for (std::uint32_t index = 0; index < kChunkCount; ++index)
            if (FillChunk(index, kChunkSize)) QueueChunk(index);
    }
    streamState_ = state;
}

}  // namespace Vantor
