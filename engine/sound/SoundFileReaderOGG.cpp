#include "engine/sound/SoundFileReaderOGG.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "engine/kernel/FileBinary.h"

namespace Vantor {

namespace {

constexpr int kLittleEndian = 0;
constexpr int kWordBytes = 2;
constexpr int kSigned = 1;

// The library's callbacks; the data source is the reader's FileBinary.
std::size_t ReadCallback(void* destination, std::size_t size, std::size_t count, void* source) {
    const std::uint64_t wanted = std::uint64_t{size} * count;
    std::uint32_t read = 0;
    static_cast<FileBinary*>(source)->Read(
        destination, 1, static_cast<std::uint32_t>(std::min<std::uint64_t>(wanted, 0xFFFFFFFFu)), &read);
    return read;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<FileBinary*>(source);
    // The file layer addresses 32 bits.
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(offset));
    switch (whence) {
        case SEEK_SET: file->Seek(0, low); return 0;
        case SEEK_CUR: file->Seek(2, low); return 0;
        // The file layer counts back from the end, the library forward from it.
        case SEEK_END: file->Seek(1, static_cast<std::int32_t>(-static_cast<std::int64_t>(low))); return 0;
        default: return -1;
    }
}

int CloseCallback(void*) { return 0; }  // the file belongs to the reader

long TellCallback(void* source) { return static_cast<long>(static_cast<FileBinary*>(source)->GetPosition()); }

const ov_callbacks kCallbacks{ReadCallback, SeekCallback, CloseCallback, TellCallback};

}  // namespace

SoundFileReaderOGG::SoundFileReaderOGG(const std::wstring& fileName) : SoundFileReader(fileName) {
    bitsPerSample_ = 16;
    Open();
    if (decoder_ == nullptr) Fail("incorrect format");
    const vorbis_info* info = ov_info(decoder_, -1);
    if (info == nullptr || info->rate <= 0 || info->rate > std::numeric_limits<std::uint32_t>::max() ||
        !IsPlayableLayout(static_cast<std::uint32_t>(std::max(info->channels, 0)),
                          static_cast<std::uint32_t>(info->rate)))
        FailClosed();
    sampleRate_ = static_cast<std::uint32_t>(info->rate);
    channels_ = static_cast<std::uint32_t>(info->channels);
    // Any negative length (not only OV_EINVAL) means the length is unknown.
    const ogg_int64_t samples = ov_pcm_total(decoder_, -1);
    if (samples < 0) FailClosed();
    // A length beyond 32 bits is held at the largest one rather than wrapped round.
    const std::uint64_t bytes = static_cast<std::uint64_t>(samples) * channels_ * 2;
    totalBytes_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, 0xFFFFFFFFu));
}

SoundFileReaderOGG::~SoundFileReaderOGG() { Close(); }

void SoundFileReaderOGG::FailClosed() {
    Close();
    Fail("incorrect format");
}

void SoundFileReaderOGG::Open() {
    if (decoder_ != nullptr) {
        Rewind();
        return;
    }
    file_->Seek(0, 0);
    decoder_ = new OggVorbis_File;
    if (ov_open_callbacks(file_, decoder_, nullptr, 0, kCallbacks) < 0) Close();
}

void SoundFileReaderOGG::Close() {
    if (decoder_ == nullptr) return;
    ov_clear(decoder_);
    delete decoder_;
    decoder_ = nullptr;
}

void SoundFileReaderOGG::Rewind() {
    if (decoder_ != nullptr) ov_pcm_seek(decoder_, 0);
}

void SoundFileReaderOGG::Read(std::uint8_t* destination, std::uint32_t bytes, std::uint32_t& read, bool& end) {
    read = 0;
    end = true;
    if (decoder_ == nullptr || bytes == 0) return;
    std::uint32_t done = 0;
    long result = 0;
    int failures = 0;
    while (done < bytes) {
        const int request = static_cast<int>(std::min<std::uint32_t>(bytes - done, std::numeric_limits<int>::max()));
        int section = 0;
        result = ov_read(decoder_, reinterpret_cast<char*>(destination + done), request, kLittleEndian, kWordBytes,
                         kSigned, &section);
        if (result == 0) break;
        if (result > 0) {
            done += static_cast<std::uint32_t>(result);
            failures = 0;
        } else if (++failures == kMaxConsecutiveDecodeFailures) {
            break;  // no more data will come: treated as the end
        }
    }
    read = done;
    end = result <= 0;
}

}  // namespace Vantor
