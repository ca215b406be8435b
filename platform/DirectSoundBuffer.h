#pragma once
// A secondary DirectSound buffer: sample memory (shared with its duplicates) and its
// own play state, mixed by the SoundMixer. A buffer made with DSBCAPS_CTRL3D also
// answers as its IDirectSound3DBuffer; both interfaces share one reference count.

#include <memory>
#include <vector>

#include "platform/DirectSoundBufferObject.h"

namespace platform {

class DirectSoundBuffer final : public DirectSoundBufferObject<IDirectSound3DBuffer> {
public:
    DirectSoundBuffer(std::shared_ptr<SoundMixer> mixer, DWORD flags, std::shared_ptr<SampleMemory> memory);

    // A new buffer over the same sample memory, stopped at the start, with this
    // buffer's volume, frequency and 3D settings.
    DirectSoundBuffer* Duplicate();
    void MarkLost();
    const Sound3DBufferSettings& Applied3DSettings() const { return voice_.applied3D; }

    HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) override;
    HRESULT GetFrequency(DWORD* frequency) override;
    HRESULT GetStatus(DWORD* status) override;
    HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
                 DWORD flags) override;
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT SetCurrentPosition(DWORD position) override;
    HRESULT SetFormat(LPCWAVEFORMATEX format) override;
    HRESULT SetVolume(LONG volume) override;
    HRESULT SetFrequency(DWORD frequency) override;
    HRESULT Stop() override;
    HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) override;
    HRESULT Restore() override;

    HRESULT SetPosition(float x, float y, float z, DWORD apply) override;

private:
    // A locked range is handed out as a copy of the samples and written back at Unlock,
    // so the program never writes memory that the audio thread is reading.
    struct PendingLock {
        DWORD offset;
        DWORD firstBytes;
        std::vector<uint8_t> copy;
    };

    ~DirectSoundBuffer() override;
    DWORD FrameBytes() const { return voice_.memory->format.nBlockAlign; }
    DWORD Size() const { return static_cast<DWORD>(voice_.memory->bytes.size()); }
    DWORD Cursor() const;

    DWORD frequency_;
    LONG volume_ = DSBVOLUME_MAX;
    SoundVoice voice_;
    std::vector<PendingLock> locks_;
};

}  // namespace platform
