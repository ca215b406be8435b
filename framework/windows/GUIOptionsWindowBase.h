#pragma once
// The logic of the options window: a working copy of the display mode and the
// full-screen switch, written into the configuration only on Apply, and the volumes of
// the moment the window opened, put back when the player leaves without applying (the
// game's window sets the volumes live while its sliders move).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/GUIFrameworkWindow.h"
#include "framework/windows/FullscreenChoice.h"
#include "framework/windows/OpeningVolumes.h"

namespace GameFramework {

class AudioManager;
class ProfileManagerBase;

class GUIOptionsWindowBase : public GUIFrameworkWindow {
public:
    struct DisplayMode {
        std::string text;  // "1024x768"
        std::int32_t width = 0;
        std::int32_t height = 0;
    };

    GUIOptionsWindowBase(AudioManager* audio, ProfileManagerBase* profileManager)
        : audio_(audio), profileManager_(profileManager) {}

    void Update() override;
    void Open(WindowId source) override;
    // Writes a changed mode or switch and asks for the display to follow; always saves.
    virtual void Apply();
    // Full screen, the default mode and, at once, the default volumes.
    virtual void RestoreDefaults();
    virtual void RestoreVolumes();

    // The list stays sorted by width, then height, without duplicates.
    void AddMode(std::int32_t width, std::int32_t height);
    bool FindMode(std::int32_t width, std::int32_t height, std::int32_t* index = nullptr) const;
    // The mode of the default "v_mode" text, or 0 when the list lacks it.
    std::int32_t GetDefaultModeIndex() const;

    const std::vector<std::unique_ptr<DisplayMode>>& GetModes() const { return modes_; }
    AudioManager* GetAudioManager() const { return audio_; }
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }

    // The working copy, read and changed by the game's window.
    std::int32_t chosenMode = 0;
    FullscreenChoice fullscreenChoice;
    std::int32_t bitDepth = 0;

private:
    AudioManager* audio_;                 // not owned
    ProfileManagerBase* profileManager_;  // not owned
    std::vector<std::unique_ptr<DisplayMode>> modes_;
    OpeningVolumes volumesAtOpening_;
};

}  // namespace GameFramework
