#pragma once
// A sound buffer over a DirectSound secondary buffer (with its 3D interface for mono
// data while 3D sound is on). A stream's play position is estimated from an engine
// timer rather than asked of the device; from it the chunks played since the last
// frame are found, and a stream that does not loop is stopped one chunk after its data.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/Vector3.h"
#include "engine/sound/SoundBuffer.h"
#include "platform/DirectSound.h"

namespace Vantor {

class Timer;

class SoundBuffer_DS7 : public SoundBuffer {
public:
    // Loads at once; the device is the registered sound system's.
    SoundBuffer_DS7(const std::wstring& file, std::uint8_t* scratch, bool resident);
    // A copy of the source's file with its resident flag; a resident copy shares the
    // source's device memory.
    SoundBuffer_DS7(const SoundBuffer_DS7& source, std::uint8_t* scratch);
    ~SoundBuffer_DS7() override;

    void Release() override;
    void Load(const SoundBuffer* source) override;
    void CreateDeviceBuffer(const SoundBuffer* source) override;
    void ReleaseDeviceBuffer() override;
    bool WriteChunk(std::uint32_t index, std::uint32_t bytes) override;
    // The ring plays on its own: a written chunk is heard when the device reaches it.
    void QueueChunk(std::uint32_t index) override;
    void UnqueueProcessedBuffers(std::vector<std::uint32_t>* played) override;

    // Makes the device buffer when there is none; does not rewind a paused buffer.
    void Play(bool loop);
    void Pause();
    // Back to the start; a non-resident buffer gives its device buffer back.
    void Stop();
    bool IsPlaying() const;
    bool IsLost() const;
    // Restores lost device memory; a static buffer is loaded again. False when there
    // is no device buffer or the device refuses.
    bool Restore();
    void SetVolume(float volume);
    void SetTempo(float tempo);
    void SetPosition(const Vector3& position);
    // Makes (and for static data fills) the secondary buffer; on failure it stays
    // without one and the overflow line is logged.
    void CreateDirectSoundBuffer();

    IDirectSoundBuffer* GetSecondaryBuffer() const { return secondary_; }
    IDirectSound3DBuffer* Get3DBuffer() const { return buffer3D_; }
    float GetVolume() const { return volume_; }
    bool HasEnded() const { return ended_; }
    std::uint64_t GetBytesPlayed() const { return bytesPlayed_; }

private:
    // The clock back at 0, paused.
    void RewindClock();

    IDirectSound* device_;
    IDirectSoundBuffer* secondary_ = nullptr;
    IDirectSound3DBuffer* buffer3D_ = nullptr;
    // The stream's estimated position in the ring at the previous update.
    std::uint32_t lastRingPosition_ = 0;
    // The stream's estimated bytes played since it started; 64 bits, so that a looping
    // stream keeps its place in the ring however long it plays.
    std::uint64_t bytesPlayed_ = 0;
    bool ended_ = false;
    float volume_ = 1.0f;
    // Streams only: the clock of the play position.
    Timer* timer_ = nullptr;
    // Seconds of the play position below the clock's resolution, kept when whole turns
    // of the ring are taken off the clock.
    double clockCarry_ = 0.0;
};

}  // namespace Vantor
