#include "engine/sound/Sound.h"

#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundBufferManager.h"

namespace Vantor {

Sound::Sound(SoundBufferManager* bufferManager, const std::wstring& file, bool resident)
    : bufferManager_(bufferManager), fileName_(file), buffer_(bufferManager->CreateBuffer(file, resident)) {}

Sound::Sound(const Sound& source)
    : bufferManager_(source.bufferManager_),
      fileName_(source.fileName_),
      buffer_(bufferManager_->CreateBuffer(fileName_, true)),
      looping_(source.looping_),
      volume_(source.volume_),
      tempo_(source.tempo_),
      position_(source.position_) {
    // A stream reads its looping flag while it fills its ring.
    if (buffer_->IsStreamed()) buffer_->SetLooping(looping_);
}

Sound::~Sound() { bufferManager_->ReleaseBuffer(buffer_); }

void Sound::SetActive(bool active) {
    if (active == active_) return;
    if (active) {
        if (savedState_ == kPlaying) Play();
    } else {
        const int state = GetState();
        if (state == kPlaying) Pause();
        savedState_ = state;
    }
    active_ = active;
}

void Sound::SetLooping(bool looping) {
    looping_ = looping;
    if (buffer_->IsStreamed()) buffer_->SetLooping(looping);
}

void Sound::SetVolume(float volume) { volume_ = volume; }

void Sound::SetTempo(float tempo) { tempo_ = tempo; }

void Sound::SetPosition(const Vector3& position) { position_ = position; }

}  // namespace Vantor
