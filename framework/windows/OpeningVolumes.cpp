#include "framework/windows/OpeningVolumes.h"

#include "framework/AudioManager.h"

namespace GameFramework {

void OpeningVolumes::Take(const AudioManager& audio) {
    sound = audio.GetSoundVolume();
    music = audio.GetMusicVolume();
}

void OpeningVolumes::Restore(AudioManager& audio) const {
    audio.SetSoundVolume(sound);
    audio.SetMusicVolume(music);
}

}  // namespace GameFramework
