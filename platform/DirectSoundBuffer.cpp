#include "platform/DirectSoundBuffer.h"

#include <algorithm>
#include <cstring>

#include "platform/FailureInjection.h"

namespace platform {

DirectSoundBuffer::DirectSoundBuffer(std::shared_ptr<SoundMixer> mixer, DWORD flags,
                                     std::shared_ptr<SampleMemory> memory)
    : DirectSoundBufferObject(std::move(mixer), flags, IID_IDirectSound3DBuffer),
      frequency_(memory->format.nSamplesPerSec) {
    voice_.memory = std::move(memory);
    voice_.step = SoundMixer::StepOf(frequency_);
    SoundMixer::Guard guard(*mixer_);
    mixer_->Attach(&voice_);
}

DirectSoundBuffer::~DirectSoundBuffer() {
    SoundMixer::Guard guard(*mixer_);
    mixer_->Detach(&voice_);
}

DirectSoundBuffer* DirectSoundBuffer::Duplicate() {
    auto* duplicate = new DirectSoundBuffer(mixer_, flags_, voice_.memory);
    SoundMixer::Guard guard(*mixer_);
    duplicate->frequency_ = frequency_;
    duplicate->volume_ = volume_;
    duplicate->voice_.step = voice_.step;
    duplicate->voice_.gain = voice_.gain;
    duplicate->voice_.applied3D = voice_.applied3D;
    duplicate->voice_.pending3D = voice_.pending3D;
    return duplicate;
}

void DirectSoundBuffer::MarkLost() {
    SoundMixer::Guard guard(*mixer_);
    voice_.lost = true;
    voice_.playing = false;
}

DWORD DirectSoundBuffer::Cursor() const { return static_cast<DWORD>(voice_.position >> 32) * FrameBytes(); }

// The mixer reads ahead of nothing: what it has taken is what has played, so the play
// and the write cursor are the same byte.
HRESULT DirectSoundBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) {
    SoundMixer::Guard guard(*mixer_);
    if (playCursor) *playCursor = Cursor();
    if (writeCursor) *writeCursor = Cursor();
    return DS_OK;
}

HRESULT DirectSoundBuffer::GetFrequency(DWORD* frequency) {
    if (!frequency) return DSERR_INVALIDPARAM;
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
    *frequency = frequency_;
    return DS_OK;
}

HRESULT DirectSoundBuffer::GetStatus(DWORD* status) {
    if (!status) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    *status = 0;
    if (voice_.lost) *status |= DSBSTATUS_BUFFERLOST;
    if (voice_.playing) *status |= DSBSTATUS_PLAYING | (voice_.looping ? DSBSTATUS_LOOPING : 0);
    return DS_OK;
}

HRESULT DirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2,
                                DWORD* bytes2, DWORD flags) {
    if (!region1 || !bytes1 || (flags & ~(DSBLOCK_FROMWRITECURSOR | DSBLOCK_ENTIREBUFFER)))
        return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    if (voice_.lost) return DSERR_BUFFERLOST;
    if (ShouldFail("IDirectSoundBuffer::Lock")) return DSERR_GENERIC;
    if (flags & DSBLOCK_FROMWRITECURSOR) offset = Cursor();
    if (flags & DSBLOCK_ENTIREBUFFER) bytes = Size();
    if (bytes == 0 || bytes > Size() || offset >= Size()) return DSERR_INVALIDPARAM;

    const DWORD first = std::min(bytes, Size() - offset);
    // Without a second region pointer the lock ends at the end of the buffer.
    const DWORD second = (region2 && bytes2) ? bytes - first : 0;
    PendingLock lock{offset, first, std::vector<uint8_t>(first + second)};
    const uint8_t* samples = voice_.memory->bytes.data();
    std::memcpy(lock.copy.data(), samples + offset, first);
    if (second) std::memcpy(lock.copy.data() + first, samples, second);

    *region1 = lock.copy.data();
    *bytes1 = first;
    if (region2 && bytes2) {
        *region2 = second ? lock.copy.data() + first : nullptr;
        *bytes2 = second;
    }
    locks_.push_back(std::move(lock));
    return DS_OK;
}

HRESULT DirectSoundBuffer::Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) {
    auto lock = std::find_if(locks_.begin(), locks_.end(),
                             [&](const PendingLock& pending) { return pending.copy.data() == region1; });
    if (lock == locks_.end()) return DSERR_INVALIDPARAM;
    const DWORD second = static_cast<DWORD>(lock->copy.size()) - lock->firstBytes;
    uint8_t* secondRegion = second ? lock->copy.data() + lock->firstBytes : nullptr;
    if (bytes1 > lock->firstBytes || bytes2 > second || (bytes2 && region2 != secondRegion))
        return DSERR_INVALIDPARAM;

    SoundMixer::Guard guard(*mixer_);
    uint8_t* samples = voice_.memory->bytes.data();
    std::memcpy(samples + lock->offset, lock->copy.data(), bytes1);
    if (bytes2) std::memcpy(samples, secondRegion, bytes2);
    locks_.erase(lock);
    return DS_OK;
}

HRESULT DirectSoundBuffer::Play(DWORD reserved, DWORD priority, DWORD flags) {
    if (reserved != 0 || priority != 0 || (flags & ~DSBPLAY_LOOPING)) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    if (voice_.lost) return DSERR_BUFFERLOST;
    // A playing buffer keeps its position; only the looping flag changes.
    voice_.looping = (flags & DSBPLAY_LOOPING) != 0;
    voice_.playing = true;
    return DS_OK;
}

HRESULT DirectSoundBuffer::SetCurrentPosition(DWORD position) {
    SoundMixer::Guard guard(*mixer_);
    if (position >= Size()) return DSERR_INVALIDPARAM;
    voice_.position = static_cast<uint64_t>(position / FrameBytes()) << 32;
    return DS_OK;
}

HRESULT DirectSoundBuffer::SetFormat(LPCWAVEFORMATEX) { return DSERR_INVALIDCALL; }

HRESULT DirectSoundBuffer::SetVolume(LONG volume) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    volume_ = volume;
    voice_.gain = SoundMixer::GainOf(volume);
    return DS_OK;
}

HRESULT DirectSoundBuffer::SetFrequency(DWORD frequency) {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
    if (frequency == DSBFREQUENCY_ORIGINAL) frequency = voice_.memory->format.nSamplesPerSec;
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    frequency_ = frequency;
    voice_.step = SoundMixer::StepOf(frequency);
    return DS_OK;
}

HRESULT DirectSoundBuffer::Stop() {
    SoundMixer::Guard guard(*mixer_);
    voice_.playing = false;
    return DS_OK;
}

HRESULT DirectSoundBuffer::Restore() {
    if (ShouldFail("IDirectSoundBuffer::Restore")) return DSERR_BUFFERLOST;
    SoundMixer::Guard guard(*mixer_);
    voice_.lost = false;
    return DS_OK;
}

HRESULT DirectSoundBuffer::SetPosition(float x, float y, float z, DWORD apply) {
    if (apply != DS3D_IMMEDIATE && apply != DS3D_DEFERRED) return DSERR_INVALIDPARAM;
    SoundMixer::Guard guard(*mixer_);
    voice_.pending3D.position = {x, y, z};
    if (apply == DS3D_IMMEDIATE) voice_.applied3D.position = voice_.pending3D.position;
    return DS_OK;
}

}  // namespace platform
