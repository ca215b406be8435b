#include "game/screens/VolumeSliders.h"

#include <cmath>

#include "engine/gui/GUIScroll.h"
#include "framework/AudioManager.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/RequiredControls.h"

namespace Morvane {

namespace {

// A thumb moves its volume only by more than this, so that truncation never nudges it.
constexpr float kVolumeTolerance = 0.001f;
// GetEffectState while an instance plays.
constexpr int kPlaying = 0;

float VolumeOf(const Vantor::GUIScroll& slider) {
    return static_cast<float>(slider.GetValue()) / static_cast<float>(VolumeSliders::kPositions - 1);
}

}  // namespace

VolumeSliders::VolumeSliders(GameFramework::AudioManager& audio, const GUIMenuWindow& window)
    : audio_(audio),
      sound_(RequiredControls(window).Scroll("/window/sound")),
      music_(RequiredControls(window).Scroll("/window/music")) {
    for (Vantor::GUIScroll* slider : {&sound_, &music_}) {
        slider->SetStepCount(kPositions);
        slider->SetStepPerRepeat(kArrowStep);
    }
}

std::uint32_t VolumeSliders::PositionOf(float volume) {
    return static_cast<std::uint32_t>(volume * static_cast<float>(kPositions - 1));
}

void VolumeSliders::ShowVolumes() const {
    sound_.SetValue(PositionOf(audio_.GetSoundVolume()));
    music_.SetValue(PositionOf(audio_.GetMusicVolume()));
}

void VolumeSliders::Update() const {
    if (std::fabs(VolumeOf(sound_) - audio_.GetSoundVolume()) > kVolumeTolerance)
        audio_.SetSoundVolume(VolumeOf(sound_));
    if (std::fabs(VolumeOf(music_) - audio_.GetMusicVolume()) > kVolumeTolerance)
        audio_.SetMusicVolume(VolumeOf(music_));
    const bool playing = audio_.GetEffectState(kSliderSound) == kPlaying;
    if (sound_.IsDragging() && !playing) audio_.PlayEffect(kSliderSound);
    if (!sound_.IsDragging() && playing) audio_.StopEffect(kSliderSound);
}

}  // namespace Morvane
