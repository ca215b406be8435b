#pragma once
// The two volumes of the moment a window opened, for the windows whose sliders change
// them live and that put them back when the player leaves without applying.

namespace GameFramework {

class AudioManager;

struct OpeningVolumes {
    void Take(const AudioManager& audio);
    void Restore(AudioManager& audio) const;

    float sound = 0.0f;
    float music = 0.0f;
};

}  // namespace GameFramework
