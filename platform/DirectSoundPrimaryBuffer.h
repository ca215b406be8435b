#pragma once
// The primary DirectSound buffer: the output's format and volume, its lost state, and
// (when made with DSBCAPS_CTRL3D) the 3D listener, which shares its reference count.
// The output is always mixed by the SoundMixer, so the primary holds no samples.

#include <memory>

#include "platform/DirectSoundBufferObject.h"

namespace platform {

class DirectSoundPrimaryBuffer final : public DirectSoundBufferObject<IDirectSound3DListener> {
public:
    DirectSoundPrimaryBuffer(std::shared_ptr<SoundMixer> mixer, DWORD flags);

    void MarkLost();
    Sound3DListenerSettings Applied3DSettings();

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
    HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                           DWORD apply) override;
    HRESULT CommitDeferredSettings() override;

private:
    ~DirectSoundPrimaryBuffer() override = default;
};

}  // namespace platform
