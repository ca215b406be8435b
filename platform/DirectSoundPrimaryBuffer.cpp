#include "platform/DirectSoundPrimaryBuffer.h"

#include <algorithm>

#include "platform/FailureInjection.h"

namespace platform {

DirectSoundPrimaryBuffer::DirectSoundPrimaryBuffer(std::shared_ptr<SoundMixer> mixer, DWORD flags)
    : DirectSoundBufferObject(std::move(mixer), flags, IID_IDirectSound3DListener) {}

void DirectSoundPrimaryBuffer::MarkLost() {
    SoundMixer::Guard guard(*mixer_);
    mixer_->Primary().lost = true;
}

Sound3DListenerSettings DirectSoundPrimaryBuffer::Applied3DSettings() {
    SoundMixer::Guard guard(*mixer_);
    return mixer_->Primary().applied3D;
}

// The primary holds no samples of its own: writing it directly is not offered.
HRESULT DirectSoundPrimaryBuffer::GetCurrentPosition(DWORD*, DWORD*) { return DSERR_UNSUPPORTED; }
HRESULT DirectSoundPrimaryBuffer::Lock(DWORD, DWORD, void**, DWORD*, void**, DWORD*, DWORD) {
    return DSERR_UNSUPPORTED;
}
HRESULT DirectSoundPrimaryBuffer::Unlock(void*, DWORD, void*, DWORD) { return DSERR_UNSUPPORTED; }
HRESULT DirectSoundPrimaryBuffer::SetCurrentPosition(DWORD) { return DSERR_UNSUPPORTED; }
HRESULT DirectSoundPrimaryBuffer::GetFrequency(DWORD*) { return DSERR_CONTROLUNAVAIL; }
HRESULT DirectSoundPrimaryBuffer::SetFrequency(DWORD) { return DSERR_CONTROLUNAVAIL; }

// The primary plays, looping, while any secondary buffer plays.
HRESULT DirectSoundPrimaryBuffer::GetStatus(DWORD* status) {
    if (!status) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    const auto& voices = mixer_->Voices();
    const bool mixing = std::any_of(voices.begin(), voices.end(), [](const SoundVoice* voice) { return voice->playing; });
    *status = (mixer_->Primary().lost ? DSBSTATUS_BUFFERLOST : 0) |
              (mixing ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : 0);
    return DS_OK;
}

// The output runs whenever the device is open; Play and Stop only check their call.
HRESULT DirectSoundPrimaryBuffer::Play(DWORD reserved, DWORD priority, DWORD flags) {
    if (reserved != 0 || priority != 0 || flags != DSBPLAY_LOOPING) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    return mixer_->Primary().lost ? DSERR_BUFFERLOST : DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::Stop() { return DS_OK; }

HRESULT DirectSoundPrimaryBuffer::SetFormat(LPCWAVEFORMATEX format) {
    if (!format) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    PrimaryOutputState& primary = mixer_->Primary();
    if (primary.cooperativeLevel < DSSCL_PRIORITY) return DSERR_PRIOLEVELNEEDED;
    if (ShouldFail("IDirectSoundBuffer::SetFormat")) return DSERR_GENERIC;
    // The mixer produces one format only.
    if (!SoundMixer::CanMix(*format) || format->nSamplesPerSec != SoundMixer::kRate || format->nChannels != 2 ||
        format->wBitsPerSample != 16)
        return DSERR_BADFORMAT;
    primary.format = *format;
    primary.format.cbSize = 0;
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::SetVolume(LONG volume) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    mixer_->Primary().gain = SoundMixer::GainOf(volume);
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::Restore() {
    if (ShouldFail("IDirectSoundBuffer::Restore")) return DSERR_BUFFERLOST;
    SoundMixer::Guard guard(*mixer_);
    mixer_->Primary().lost = false;
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::SetPosition(float x, float y, float z, DWORD apply) {
    if (apply != DS3D_IMMEDIATE && apply != DS3D_DEFERRED) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    PrimaryOutputState& primary = mixer_->Primary();
    primary.pending3D.position = {x, y, z};
    if (apply == DS3D_IMMEDIATE) primary.applied3D.position = primary.pending3D.position;
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                                                 float topZ, DWORD apply) {
    if (apply != DS3D_IMMEDIATE && apply != DS3D_DEFERRED) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    PrimaryOutputState& primary = mixer_->Primary();
    primary.pending3D.front = {frontX, frontY, frontZ};
    primary.pending3D.top = {topX, topY, topZ};
    if (apply == DS3D_IMMEDIATE) {
        primary.applied3D.front = primary.pending3D.front;
        primary.applied3D.top = primary.pending3D.top;
    }
    return DS_OK;
}

// Deferred settings of the listener and of every 3D buffer take effect together.
HRESULT DirectSoundPrimaryBuffer::CommitDeferredSettings() {
    SoundMixer::Guard guard(*mixer_);
    PrimaryOutputState& primary = mixer_->Primary();
    primary.applied3D = primary.pending3D;
    for (SoundVoice* voice : mixer_->Voices()) voice->applied3D = voice->pending3D;
    return DS_OK;
}

}  // namespace platform
