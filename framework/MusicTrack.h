#pragma once
// One piece of music registered under a short key: an engine sound with a volume of its
// own, the music group volume it is heard with, and a fade that moves the own volume a
// little every frame. The audio manager owns its tracks.

#include <string>

namespace Vantor {
class Sound;
class SoundManager;
}  // namespace Vantor

namespace GameFramework {

class MusicTrack {
public:
    enum FadeKind : int { kNoFade = 0, kFadeIn = 1, kFadeOut = 2, kFadeOutAndPause = 3, kFadeOutAndStop = 4 };

    // Without a sound manager the track has no sound and reports itself stopped.
    MusicTrack(Vantor::SoundManager* sounds, const std::wstring& file, bool loop, const std::string& key);
    ~MusicTrack();
    MusicTrack(const MusicTrack&) = delete;
    MusicTrack& operator=(const MusicTrack&) = delete;

    // The rate is volume per second: 0.5 fades between silence and full volume in two seconds.
    void SetFade(int kind, float rate);
    int GetState() const;
    // Each sends volume x group volume to the sound.
    void SetVolume(float volume);
    void SetGroupVolume(float groupVolume);
    // At once, not through the sound manager's queue.
    void Stop();
    void Pause();
    // Ends any fade first.
    void Play();
    // One frame of fading; the volume is re-sent even without a fade.
    void UpdateFade(float frameTime);

    const std::string& GetKey() const { return key_; }
    Vantor::Sound* GetSound() const { return sound_; }
    float GetVolume() const { return volume_; }
    float GetGroupVolume() const { return groupVolume_; }
    int GetFadeKind() const { return fadeKind_; }
    float GetFadeRate() const { return fadeRate_; }

private:
    Vantor::SoundManager* sounds_;   // not owned; null without sound
    Vantor::Sound* sound_ = nullptr;  // made by the sound manager
    std::string key_;
    float volume_ = 1.0f;
    float groupVolume_ = 1.0f;
    int fadeKind_ = kNoFade;
    float fadeRate_ = 0.0f;
};

}  // namespace GameFramework
