#pragma once
// The game's music and sound effects over the engine's sound manager. Music tracks are
// registered under short keys and played in numbered slots with fades; effects are
// registered under names with several instances each, so that an effect can overlap
// itself, and a second start within 0.02 s is ignored. The music and effects volumes are
// the saved configuration variables "g_music_volume" and "g_sound_volume"; the effects
// volume reaches every sound of the program that is not music, the GUI sounds included.
//
// Without a sound manager (the game runs silent) nothing is created or played, and every
// state query answers stopped.

#include <map>
#include <string>
#include <vector>

namespace Vantor {
class Sound;
class SoundManager;
}

namespace GameFramework {

class MusicTrack;
class SoundEffect;

class AudioManager {
public:
    // The engine's sound manager, or null when the game runs without sound (the
    // manager's holder may still name one of an earlier engine, so it is handed in).
    // Registers the two volume variables with the defaults written with six decimals.
    AudioManager(float musicDefault, float soundDefault, Vantor::SoundManager* engineSounds);
    ~AudioManager();
    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

    // No check for a key already registered: lookups find the first.
    void AddMusic(const std::string& key, const std::wstring& file, bool loop);
    // Instances of one effect are kept next to each other.
    void AddEffect(const std::string& key, const std::wstring& file, bool loop, unsigned instances, bool resident);
    // "audio\" + name, or the same with the extension "wav" when only that file exists.
    static std::wstring ResolveAudioPath(const std::wstring& name);

    // The last argument of the music operations is a fade rate in volume per second.
    void PlayMusic(int slot, const std::string& key, bool fade, float rate);
    void StopAllMusic(bool fade, float rate);
    void PauseAllMusic(bool pause, bool fade, float rate);
    void StopSlot(int slot, bool fade, float rate);
    void PauseSlot(int slot, bool pause, bool fade, float rate);
    // 0 playing, 1 paused, 2 stopped (also for an empty slot).
    int GetSlotState(int slot) const;
    std::string GetSlotTrackName(int slot) const;
    MusicTrack* FindSlotTrack(int slot) const;
    MusicTrack* FindTrack(const std::string& key) const;

    void PlayEffect(const std::string& name);
    // Through the sound manager's queue.
    void StopEffect(const std::string& name);
    // The first registered instance's state; 2 for an unknown name.
    int GetEffectState(const std::string& name) const;

    float GetMusicVolume() const { return musicVolume_; }
    float GetSoundVolume() const { return soundVolume_; }
    // Clamped to 0..1, stored and applied.
    void SetMusicVolume(float volume);
    void SetSoundVolume(float volume);
    // Gives sounds made elsewhere since the last call the effects volume.
    void ReapplySoundVolume();
    // The variables' default texts as numbers.
    float GetConfiguredMusicVolume() const;
    float GetConfiguredSoundVolume() const;

    // Once per frame: the fades, then both volumes re-sent (a value set in the console
    // is heard here).
    void Update();

    const std::vector<MusicTrack*>& GetTracks() const { return tracks_; }
    const std::vector<SoundEffect*>& GetEffects() const { return effects_; }

private:
    bool IsMusic(const Vantor::Sound* sound) const;

    Vantor::SoundManager* sounds_;  // not owned; null without sound
    std::vector<SoundEffect*> effects_;
    std::vector<MusicTrack*> tracks_;
    float musicVolume_ = 1.0f;
    float soundVolume_ = 1.0f;
    // Tracks of tracks_ by slot.
    std::map<int, MusicTrack*> slots_;
};

}  // namespace GameFramework
