#include "platform/DirectSoundDevice.h"

#include "platform/DirectSoundBuffer.h"
#include "platform/DirectSoundPrimaryBuffer.h"
#include "platform/FailureInjection.h"

namespace platform {

DirectSoundDevice::DirectSoundDevice(std::shared_ptr<SoundMixer> mixer) : mixer_(std::move(mixer)) {}

HRESULT DirectSoundDevice::QueryInterface(REFIID iid, void** object) {
    if (!object) return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (!(iid == IID_IDirectSound)) return DSERR_NOINTERFACE;
    *object = static_cast<IDirectSound*>(this);
    AddRef();
    return DS_OK;
}

ULONG DirectSoundDevice::AddRef() { return ++references_; }

ULONG DirectSoundDevice::Release() {
    const ULONG remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
}

HRESULT DirectSoundDevice::SetCooperativeLevel(HWND window, DWORD level) {
    if (!window || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
    if (ShouldFail("IDirectSound::SetCooperativeLevel")) return DSERR_ALLOCATED;
    SoundMixer::Guard guard(*mixer_);
    mixer_->Primary().cooperativeLevel = level;
    return DS_OK;
}

HRESULT DirectSoundDevice::CreateSoundBuffer(LPCDSBUFFERDESC desc, IDirectSoundBuffer** buffer, void* outer) {
    if (!desc || !buffer) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (outer) return DSERR_NOAGGREGATION;
    if (ShouldFail("IDirectSound::CreateSoundBuffer")) return DSERR_OUTOFMEMORY;
    return (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) ? CreatePrimaryBuffer(*desc, buffer)
                                                   : CreateSecondaryBuffer(*desc, buffer);
}

HRESULT DirectSoundDevice::CreatePrimaryBuffer(const DSBUFFERDESC& desc, IDirectSoundBuffer** buffer) {
    // The primary's size and format are the output's; it has no frequency of its own.
    if (desc.lpwfxFormat || desc.dwBufferBytes != 0 || (desc.dwFlags & (DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY)))
        return DSERR_INVALIDPARAM;
    *buffer = new DirectSoundPrimaryBuffer(mixer_, desc.dwFlags);
    return DS_OK;
}

HRESULT DirectSoundDevice::CreateSecondaryBuffer(const DSBUFFERDESC& desc, IDirectSoundBuffer** buffer) {
    if (!desc.lpwfxFormat) return DSERR_INVALIDPARAM;
    const WAVEFORMATEX& format = *desc.lpwfxFormat;
    if (!SoundMixer::CanMix(format)) return DSERR_BADFORMAT;
    if (desc.dwBufferBytes < DSBSIZE_MIN || desc.dwBufferBytes > DSBSIZE_MAX || desc.dwBufferBytes < format.nBlockAlign)
        return DSERR_INVALIDPARAM;
    // 3D positioning needs mono data.
    if ((desc.dwFlags & DSBCAPS_CTRL3D) && format.nChannels != 1) return DSERR_INVALIDPARAM;

    auto memory = std::make_shared<SampleMemory>();
    memory->format = format;
    memory->format.cbSize = 0;
    memory->bytes.assign(desc.dwBufferBytes, format.wBitsPerSample == 8 ? 128 : 0);
    *buffer = new DirectSoundBuffer(mixer_, desc.dwFlags, std::move(memory));
    return DS_OK;
}

HRESULT DirectSoundDevice::DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) {
    if (!original || !duplicate) return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    // Only secondary buffers have sample memory to share.
    auto* secondary = dynamic_cast<DirectSoundBuffer*>(original);
    if (!secondary) return DSERR_INVALIDCALL;
    if (ShouldFail("IDirectSound::DuplicateSoundBuffer")) return DSERR_OUTOFMEMORY;
    *duplicate = secondary->Duplicate();
    return DS_OK;
}

}  // namespace platform
