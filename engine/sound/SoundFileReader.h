#pragma once
// The source of raw PCM data for one sound buffer: it opens one file, tells the
// format (total PCM bytes, channels, bits per sample, sample rate) and hands out the
// data in pieces of any size, from the start or after a rewind.

#include <cstdint>
#include <string>

namespace Vantor {

class FileBinary;

class SoundFileReader {
public:
    // Opens the file below the data folder (or at its absolute path) through the file
    // manager, so it may come from a pack; a FileError of the file manager passes out.
    explicit SoundFileReader(const std::wstring& fileName);
    // No names and no file: the silent reader.
    SoundFileReader();
    virtual ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // Makes the reader ready to read from the first PCM byte.
    virtual void Open() = 0;
    // Frees decoding resources; the file stays open.
    virtual void Close() = 0;
    // Back to the first PCM byte.
    virtual void Rewind() = 0;
    // Copies up to `bytes` PCM bytes. A request for 0 bytes gives read 0 and end true;
    // otherwise end tells that no PCM data is left after the bytes read.
    virtual void Read(std::uint8_t* destination, std::uint32_t bytes, std::uint32_t& read, bool& end) = 0;

    const std::wstring& GetFileName() const { return fileName_; }
    const std::wstring& GetPath() const { return path_; }
    std::uint32_t GetTotalBytes() const { return totalBytes_; }
    std::uint32_t GetChannels() const { return channels_; }
    std::uint32_t GetBitsPerSample() const { return bitsPerSample_; }
    std::uint32_t GetSampleRate() const { return sampleRate_; }

protected:
    // Throws FileError "Failed to load \"<path>\" sound file - <reason>".
    [[noreturn]] void Fail(const std::string& reason) const;
    // Mono or stereo at a real sample rate: what a device buffer can be made of.
    static bool IsPlayableLayout(std::uint32_t channels, std::uint32_t sampleRate);

    std::wstring fileName_;
    std::wstring path_;
    FileBinary* file_ = nullptr;
    std::uint32_t totalBytes_ = 0;
    std::uint32_t channels_ = 0;
    std::uint32_t bitsPerSample_ = 0;
    std::uint32_t sampleRate_ = 0;
};

}  // namespace Vantor
