#include "framework/MusicTrack.h"

#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"

namespace GameFramework {

MusicTrack::MusicTrack(Vantor::SoundManager* sounds, const std::wstring& file, bool loop, const std::string& key)
    : sounds_(sounds), key_(key) {
    if (!sounds_) return;
    sound_ = sounds_->CreateSound(file, false, "");
    volume_ = sound_->GetVolume();
    sound_->SetLooping(loop);
}

MusicTrack::~MusicTrack() {
    if (sounds_) sounds_->DestroySound(sound_);
}

void MusicTrack::SetFade(int kind, float rate) {
    fadeKind_ = kind;
    fadeRate_ = rate;
}

int MusicTrack::GetState() const { return sound_ ? sound_->GetState() : Vantor::Sound::kStopped; }

void MusicTrack::SetVolume(float volume) {
    volume_ = volume;
    if (sound_) sound_->SetVolume(volume_ * groupVolume_);
}

void MusicTrack::SetGroupVolume(float groupVolume) {
    groupVolume_ = groupVolume;
    if (sound_) sound_->SetVolume(volume_ * groupVolume_);
}

void MusicTrack::Stop() {
    if (sounds_) sounds_->Stop(sound_, true);
}

void MusicTrack::Pause() {
    if (sounds_) sounds_->Pause(sound_, true);
}

void MusicTrack::Play() {
    fadeKind_ = kNoFade;
    if (sounds_) sounds_->Play(sound_, true);
}

void MusicTrack::UpdateFade(float frameTime) {
    if (fadeKind_ == kFadeIn) {
        volume_ += fadeRate_ * frameTime;
        if (volume_ >= 1.0f) {
            volume_ = 1.0f;
            fadeKind_ = kNoFade;
        }
    } else if (fadeKind_ != kNoFade) {
        volume_ -= fadeRate_ * frameTime;
        // A fade that lands exactly on silence goes on for one more frame.
        if (volume_ < 0.0f) {
            if (fadeKind_ == kFadeOutAndStop) Stop();
            if (fadeKind_ == kFadeOutAndPause) Pause();
            volume_ = 0.0f;
            fadeKind_ = kNoFade;
        }
    }
    SetVolume(volume_);
}

}  // namespace GameFramework
