#pragma once
// The sound and music scroll bars "/window/sound" and "/window/music" of a window, in
// thousandths of the volume (position = volume x 1000 truncated): a moved thumb sets
// its volume in the audio manager at once, and the looping slider sound "08" plays
// exactly while the sound thumb is held.

#include <cstdint>

namespace GameFramework {
class AudioManager;
}

namespace Vantor {
class GUIScroll;
}

namespace Morvane {

class GUIMenuWindow;

class VolumeSliders {
public:
    static constexpr const char* kSliderSound = "08";
    // Positions 0 to 1000.
    static constexpr std::uint32_t kPositions = 1001;
    // Positions moved by one press of an arrow.
    static constexpr std::uint32_t kArrowStep = 30;

    VolumeSliders(GameFramework::AudioManager& audio, const GUIMenuWindow& window);

    static std::uint32_t PositionOf(float volume);
    // The thumbs at the audio manager's volumes.
    void ShowVolumes() const;
    // Each shown frame: the volumes and the slider sound.
    void Update() const;

private:
    GameFramework::AudioManager& audio_;
    Vantor::GUIScroll& sound_;  // the window's
    Vantor::GUIScroll& music_;  // the window's
};

}  // namespace Morvane
