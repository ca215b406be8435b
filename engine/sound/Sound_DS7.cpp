#include "engine/sound/Sound_DS7.h"

#include "engine/sound/SoundBuffer_DS7.h"

namespace Vantor {

Sound_DS7::Sound_DS7(SoundBufferManager* bufferManager, const std::wstring& file, bool resident)
    : Sound(bufferManager, file, resident), buffer_(static_cast<SoundBuffer_DS7*>(GetBuffer())) {
    ApplySettings();
}

Sound_DS7::Sound_DS7(const Sound_DS7& source)
    : Sound(source), buffer_(static_cast<SoundBuffer_DS7*>(GetBuffer())) {
    ApplySettings();
}

void Sound_DS7::ApplySettings() {
    SetVolume(GetVolume());
    SetTempo(GetTempo());
    SetPosition(GetPosition());
}

void Sound_DS7::SetActive(bool active) {
    Sound::SetActive(active);
    if (buffer_->IsLost()) {
        if (!buffer_->Restore()) return;  // tried again next frame
        // Static data was loaded again by the restore; a stream starts over.
        if (buffer_->IsStreamed()) RestartLostStream();
    }
    // It ended, was stopped at the end of its stream, or has no device buffer.
    if (state_ == kPlaying && !buffer_->IsPlaying()) StopBuffer();
}

void Sound_DS7::RestartLostStream() {
    const int state = state_;
    StopBuffer();
    if (state == kStopped) return;
    StartBuffer();
    if (state == kPaused) PauseBuffer();
}

void Sound_DS7::Play() {
    ForgetSavedState();
    StartBuffer();
}

void Sound_DS7::Pause() {
    ForgetSavedState();
    PauseBuffer();
}

void Sound_DS7::Stop() {
    ForgetSavedState();
    StopBuffer();
}

void Sound_DS7::StartBuffer() {
    if (buffer_->IsPlaying()) {
        buffer_->Stop();
        if (buffer_->IsStreamed()) buffer_->SetStreamState(SoundBuffer::kStopped);
    }
    buffer_->Play(IsLooping());
    state_ = kPlaying;
}

void Sound_DS7::PauseBuffer() {
    buffer_->Pause();
    // A stopped stream stays stopped underneath: its ring holds nothing to resume, so
    // a Play after the Pause starts it from the beginning.
    if (buffer_->IsStreamed() && buffer_->GetStreamState() == SoundBuffer::kPlaying)
        buffer_->SetStreamState(SoundBuffer::kPaused);
    state_ = kPaused;
}

void Sound_DS7::StopBuffer() {
    buffer_->Stop();
    if (buffer_->IsStreamed()) buffer_->SetStreamState(SoundBuffer::kStopped);
    state_ = kStopped;
}

void Sound_DS7::SetLooping(bool looping) {
    Sound::SetLooping(looping);
    if (!buffer_->IsStreamed() && buffer_->IsPlaying()) buffer_->Play(looping);
}

void Sound_DS7::SetVolume(float volume) {
    Sound::SetVolume(volume);
    buffer_->SetVolume(volume);
}

void Sound_DS7::SetTempo(float tempo) {
    Sound::SetTempo(tempo);
    buffer_->SetTempo(tempo);
}

void Sound_DS7::SetPosition(const Vector3& position) {
    Sound::SetPosition(position);
    buffer_->SetPosition(position);
}

}  // namespace Vantor
