#include "framework/AudioManager.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/kernel/Config.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "framework/MusicTrack.h"
#include "framework/SoundEffect.h"

namespace GameFramework {

namespace {

constexpr const char* kMusicVolumeName = "g_music_volume";
constexpr const char* kSoundVolumeName = "g_sound_volume";
// Within this many seconds a second start of one effect is taken for the same start.
constexpr float kEffectRestartGuard = 0.02f;
// How far the per-frame re-send moves the volumes, so every sound is touched each frame.
constexpr float kVolumeJitter = 0.0005f;
// The old track of a slot fades out over one second when another key is played there.
constexpr float kTrackChangeRate = 1.0f;

float Clamped(float volume) { return std::clamp(volume, 0.0f, 1.0f); }

}  // namespace

AudioManager::AudioManager(float musicDefault, float soundDefault, Vantor::SoundManager* engineSounds)
    : sounds_(engineSounds) {
    Vantor::Config* config = Vantor::Config::Instance();
    config->RegisterVariable(kMusicVolumeName, Vantor::ConfigVariableType::Float, false, true, &musicVolume_,
                             Vantor::ToString(musicDefault, 6), false);
    config->RegisterVariable(kSoundVolumeName, Vantor::ConfigVariableType::Float, false, true, &soundVolume_,
                             Vantor::ToString(soundDefault, 6), false);
    SetMusicVolume(musicVolume_);
    SetSoundVolume(soundVolume_);
}

AudioManager::~AudioManager() {
    for (SoundEffect* effect : effects_) {
        if (sounds_) sounds_->DestroySound(effect->sound);
        delete effect;
    }
    for (MusicTrack* track : tracks_) delete track;
    Vantor::Config::Instance()->UnregisterVariable(kMusicVolumeName);
    Vantor::Config::Instance()->UnregisterVariable(kSoundVolumeName);
}

void AudioManager::AddMusic(const std::string& key, const std::wstring& file, bool loop) {
    if (!sounds_) return;
    MusicTrack* track = new MusicTrack(sounds_, file, loop, key);
    tracks_.push_back(track);
    track->SetGroupVolume(musicVolume_);
}

void AudioManager::AddEffect(const std::string& key, const std::wstring& file, bool loop, unsigned instances,
                             bool resident) {
    if (!sounds_) return;
    for (unsigned instance = 0; instance < instances; ++instance) {
        Vantor::Sound* sound = sounds_->CreateSound(file, resident, "");
        sound->SetLooping(loop);
        sound->SetVolume(soundVolume_);
        effects_.push_back(new SoundEffect(key, file, sound, loop));
    }
}

std::wstring AudioManager::ResolveAudioPath(const std::wstring& name) {
    const Vantor::FileManager* files = Vantor::FileManager::Instance();
    const std::wstring path = L"audio\\" + name;
    if (files->Exists(files->GetDataFolder() + path)) return path;
    std::wstring wave = path;
    Vantor::FileManager::ChangeExtension(wave, L"wav");
    if (files->Exists(files->GetDataFolder() + wave)) return wave;
    return path;
}

void AudioManager::PlayMusic(int slot, const std::string& key, bool fade, float rate) {
    if (!sounds_) return;
    MusicTrack* track = FindTrack(key);
    if (!track) {
        // The slot keeps whatever it holds rather than a track that cannot be started.
        Vantor::MessageManager::Instance()->PrintWarning("No music is registered under the key \"" + key + "\"");
        return;
    }
    MusicTrack*& held = slots_[slot];
    if (held && held->GetKey() != key) {
        held->SetFade(MusicTrack::kFadeOutAndStop, kTrackChangeRate);
    } else if (held && held->GetState() == Vantor::Sound::kPlaying) {
        return;
    }
    held = track;
    if (fade) {
        track->SetVolume(0.0f);
        track->Play();
        track->SetFade(MusicTrack::kFadeIn, rate);
    } else {
        track->SetVolume(1.0f);
        track->Play();
    }
}

void AudioManager::StopAllMusic(bool fade, float rate) {
    for (const auto& [slot, track] : slots_) StopSlot(slot, fade, rate);
}

void AudioManager::PauseAllMusic(bool pause, bool fade, float rate) {
    for (const auto& [slot, track] : slots_) PauseSlot(slot, pause, fade, rate);
}

void AudioManager::StopSlot(int slot, bool fade, float rate) {
    MusicTrack* track = FindSlotTrack(slot);
    if (!sounds_ || !track) return;
    const int state = track->GetState();
    if (state == Vantor::Sound::kPlaying && fade) {
        track->SetFade(MusicTrack::kFadeOutAndStop, rate);
    } else if (state != Vantor::Sound::kStopped) {
        track->Stop();
    }
}

void AudioManager::PauseSlot(int slot, bool pause, bool fade, float rate) {
    MusicTrack* track = FindSlotTrack(slot);
    if (!sounds_ || !track) return;
    const int state = track->GetState();
    if (pause) {
        if (state != Vantor::Sound::kPlaying) return;
        const bool fadingToStop = track->GetFadeKind() == MusicTrack::kFadeOutAndStop;
        if (fade) {
            if (!fadingToStop) track->SetFade(MusicTrack::kFadeOutAndPause, rate);
        } else if (fadingToStop) {
            track->Stop();
        } else {
            track->Pause();
        }
        return;
    }
    // A stopped track stays stopped: only a paused one resumes.
    if (state != Vantor::Sound::kPaused) return;
    track->SetVolume(fade ? 0.0f : 1.0f);
    track->Play();
    if (fade) track->SetFade(MusicTrack::kFadeIn, rate);
}

int AudioManager::GetSlotState(int slot) const {
    const MusicTrack* track = FindSlotTrack(slot);
    return sounds_ && track ? track->GetState() : Vantor::Sound::kStopped;
}

std::string AudioManager::GetSlotTrackName(int slot) const {
    const MusicTrack* track = FindSlotTrack(slot);
    return track ? track->GetKey() : std::string();
}

MusicTrack* AudioManager::FindSlotTrack(int slot) const {
    const auto found = slots_.find(slot);
    return found == slots_.end() ? nullptr : found->second;
}

MusicTrack* AudioManager::FindTrack(const std::string& key) const {
    const auto found = std::find_if(tracks_.begin(), tracks_.end(),
                                    [&key](const MusicTrack* track) { return track->GetKey() == key; });
    return found == tracks_.end() ? nullptr : *found;
}

void AudioManager::PlayEffect(const std::string& name) {
    if (!sounds_) return;
    const float now = Vantor::TimerManager::Instance()->GetFrameTimer()->GetTime();
    SoundEffect* oldest = nullptr;
    // From infinity, so that an instance is found however long the clock has run.
    float oldestStart = std::numeric_limits<float>::infinity();
    for (SoundEffect* effect : effects_) {
        if (effect->key != name) continue;
        if (std::fabs(now - effect->lastStart) < kEffectRestartGuard) return;
        if (effect->lastStart < oldestStart) {
            oldest = effect;
            oldestStart = effect->lastStart;
        }
    }
    if (!oldest) return;
    // A looping instance that plays goes on as it is.
    if (!oldest->loop || oldest->sound->GetState() != Vantor::Sound::kPlaying) sounds_->Play(oldest->sound, false);
    oldest->lastStart = now;
}

void AudioManager::StopEffect(const std::string& name) {
    if (!sounds_) return;
    for (SoundEffect* effect : effects_)
        if (effect->key == name) sounds_->Stop(effect->sound, false);
}

int AudioManager::GetEffectState(const std::string& name) const {
    if (!sounds_) return Vantor::Sound::kStopped;
    for (const SoundEffect* effect : effects_)
        if (effect->key == name) return effect->sound->GetState();
    return Vantor::Sound::kStopped;
}

void AudioManager::SetMusicVolume(float volume) {
    if (!sounds_) return;
    musicVolume_ = Clamped(volume);
    for (MusicTrack* track : tracks_) track->SetGroupVolume(musicVolume_);
}

void AudioManager::SetSoundVolume(float volume) {
    if (!sounds_) return;
    soundVolume_ = Clamped(volume);
    for (std::size_t index = 0; index < sounds_->GetSoundCount(); ++index) {
        Vantor::Sound* sound = sounds_->GetSound(index);
        if (!IsMusic(sound)) sound->SetVolume(soundVolume_);
    }
}

void AudioManager::ReapplySoundVolume() { SetSoundVolume(soundVolume_); }

float AudioManager::GetConfiguredMusicVolume() const {
    return Vantor::ToFloat(Vantor::Config::Instance()->GetDefaultText(kMusicVolumeName));
}

float AudioManager::GetConfiguredSoundVolume() const {
    return Vantor::ToFloat(Vantor::Config::Instance()->GetDefaultText(kSoundVolumeName));
}

void AudioManager::Update() {
    if (!sounds_) return;
    const float frameTime = Vantor::TimerManager::Instance()->GetFrameTime();
    for (MusicTrack* track : tracks_) track->UpdateFade(frameTime);
    const float musicVolume = musicVolume_;
    const float soundVolume = soundVolume_;
    SetSoundVolume(soundVolume + Vantor::RandomSigned() * kVolumeJitter);
    SetMusicVolume(musicVolume + Vantor::RandomSigned() * kVolumeJitter);
    musicVolume_ = musicVolume;
    soundVolume_ = soundVolume;
}

bool AudioManager::IsMusic(const Vantor::Sound* sound) const {
    return std::any_of(tracks_.begin(), tracks_.end(),
                       [sound](const MusicTrack* track) { return track->GetSound() == sound; });
}

}  // namespace GameFramework
