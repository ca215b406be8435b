#include "platform/DirectSound.h"

#include "platform/Clock.h"
#include "platform/DirectSoundBuffer.h"
#include "platform/DirectSoundDevice.h"
#include "platform/DirectSoundPrimaryBuffer.h"
#include "platform/FailureInjection.h"
#include "platform/SoundMixer.h"

HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, void* outer) {
    if (!directSound) return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer) return DSERR_NOAGGREGATION;
    // Only the default output exists.
    if (device && !(*device == GUID{})) return DSERR_NODRIVER;
    if (platform::ShouldFail("DirectSoundCreate")) return DSERR_NODRIVER;
    auto mixer = platform::SoundMixer::Acquire();
    if (!mixer) return DSERR_NODRIVER;
    *directSound = new platform::DirectSoundDevice(std::move(mixer));
    return DS_OK;
}

namespace platform::seam {

WAVEFORMATEX PrimarySoundFormat() {
    auto mixer = SoundMixer::Current();
    if (!mixer) return WAVEFORMATEX{};
    SoundMixer::Guard guard(*mixer);
    return mixer->Primary().format;
}

void MarkSoundBufferLost(IDirectSoundBuffer* buffer) {
    if (auto* secondary = dynamic_cast<DirectSoundBuffer*>(buffer)) secondary->MarkLost();
    if (auto* primary = dynamic_cast<DirectSoundPrimaryBuffer*>(buffer)) primary->MarkLost();
}

void MarkAllSoundBuffersLost() {
    auto mixer = SoundMixer::Current();
    if (!mixer) return;
    SoundMixer::Guard guard(*mixer);
    mixer->Primary().lost = true;
    for (SoundVoice* voice : mixer->Voices()) {
        voice->lost = true;
        voice->playing = false;
    }
}

Sound3DListenerSettings Applied3DListenerSettings(IDirectSound3DListener* listener) {
    return dynamic_cast<DirectSoundPrimaryBuffer&>(*listener).Applied3DSettings();
}

Sound3DBufferSettings Applied3DBufferSettings(IDirectSound3DBuffer* buffer) {
    return dynamic_cast<DirectSoundBuffer&>(*buffer).Applied3DSettings();
}

void AdvanceVirtualTimeUnmixed(uint64_t microseconds) {
    auto mixer = SoundMixer::Current();
    if (!mixer) {
        AdvanceVirtualTime(microseconds);
        return;
    }
    SoundMixer::Guard guard(*mixer);  // what was due before is mixed as usual
    AdvanceVirtualTime(microseconds);
    mixer->SkipToNow();
}

std::vector<int16_t> TakeMixedSamples() {
    auto mixer = SoundMixer::Current();
    if (!mixer) return {};
    SoundMixer::Guard guard(*mixer);
    return mixer->TakeRecorded();
}

}  // namespace platform::seam
