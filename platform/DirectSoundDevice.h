#pragma once
// The DirectSound device: makes the primary and secondary buffers on the one output.
// Buffers keep the output open, not the device: releasing the device only drops its
// own reference.

#include <memory>

#include "platform/DirectSound.h"
#include "platform/SoundMixer.h"

namespace platform {

class DirectSoundDevice final : public IDirectSound {
public:
    explicit DirectSoundDevice(std::shared_ptr<SoundMixer> mixer);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, IDirectSoundBuffer** buffer, void* outer) override;
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD level) override;

private:
    ~DirectSoundDevice() override = default;
    HRESULT CreatePrimaryBuffer(const DSBUFFERDESC& desc, IDirectSoundBuffer** buffer);
    HRESULT CreateSecondaryBuffer(const DSBUFFERDESC& desc, IDirectSoundBuffer** buffer);

    ULONG references_ = 1;
    std::shared_ptr<SoundMixer> mixer_;
};

}  // namespace platform
