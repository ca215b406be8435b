#pragma once
// The data side of one sound: it owns the reader of the sound's file, knows the PCM
// format and plays the data in one of two modes chosen by size. Data of at most
// kRingSize bytes is static and sits whole in one device buffer; longer data is
// streamed through a device ring of kChunkCount chunks, and the chunks played since
// the last frame are filled again from the reader each frame.

#include <cstdint>
#include <string>
#include <vector>

namespace Vantor {

class SoundFileReader;

class SoundBuffer {
public:
    static constexpr std::uint32_t kChunkSize = 0x6000;
    static constexpr std::uint32_t kChunkCount = 24;
    // Also the size of the shared scratch area and the largest static data.
    static constexpr std::uint32_t kRingSize = kChunkSize * kChunkCount;
    // How far the refilled chunks trail the estimated play position.
    static constexpr std::uint32_t kTrailingMargin = 2 * kChunkSize;
    // How far past its data a stream that does not loop plays before it is stopped.
    static constexpr std::uint32_t kEndMargin = kChunkSize;

    enum StreamState : int { kStopped = 0, kPaused = 1, kPlaying = 2 };

    // The name is kept lower-cased; the scratch area (kRingSize bytes) is not owned.
    SoundBuffer(const std::wstring& file, std::uint8_t* scratch, bool resident);
    virtual ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Refills the played chunks of a playing stream; once per frame.
    virtual void Update();
    // Deletes the reader.
    virtual void Release();
    // Opens the reader and makes the device buffer; source is the buffer being copied.
    virtual void Load(const SoundBuffer* source);
    virtual void CreateDeviceBuffer(const SoundBuffer* source) = 0;
    virtual void ReleaseDeviceBuffer() = 0;
    // Copies `bytes` bytes of the scratch area to the device at chunk `index`.
    virtual bool WriteChunk(std::uint32_t index, std::uint32_t bytes) = 0;
    virtual void QueueChunk(std::uint32_t index) = 0;
    // Replaces the list with the ring chunks played since the last call; null only
    // resets what a queueing device keeps.
    virtual void UnqueueProcessedBuffers(std::vector<std::uint32_t>* played) = 0;

    // Any failure to read the file falls back to the silent reader, with an error line.
    void OpenReader();
    // Reads `bytes` bytes into the scratch area (a looping stream wraps to the start of
    // its data), pads with silence and writes them to chunk `index`. True when the
    // chunk holds data to be queued.
    bool FillChunk(std::uint32_t index, std::uint32_t bytes);
    // Playing from stopped rewinds the reader and fills the whole ring.
    void SetStreamState(int state);
    void SetLooping(bool looping) { looping_ = looping; }

    const std::wstring& GetFileName() const { return fileName_; }
    std::uint32_t GetTotalBytes() const { return totalBytes_; }
    std::uint32_t GetSampleRate() const { return sampleRate_; }
    std::uint32_t GetBitsPerSample() const { return bitsPerSample_; }
    std::uint32_t GetChannels() const { return channels_; }
    bool IsStreamed() const { return streamed_; }
    bool IsLooping() const { return looping_; }
    bool IsResident() const { return resident_; }
    int GetStreamState() const { return streamState_; }
    const SoundFileReader* GetReader() const { return reader_; }

protected:
    SoundFileReader* reader_ = nullptr;
    std::uint8_t* scratch_;
    std::wstring fileName_;
    std::uint32_t totalBytes_ = 0;
    std::uint32_t sampleRate_ = 0;
    std::uint32_t bitsPerSample_ = 0;
    std::uint32_t channels_ = 0;
    bool streamed_ = false;
    bool looping_ = false;
    int streamState_ = kStopped;
    bool resident_;

private:
    SoundFileReader* MakeReader() const;
};

}  // namespace Vantor
