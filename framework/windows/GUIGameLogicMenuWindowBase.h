#pragma once
// The logic of the level menu: the full-screen switch (applied on Apply) and the
// volumes of the moment it opened; closing saves the configuration, so that volumes
// changed in the menu reach the file.

#include "framework/GUIFrameworkWindow.h"
#include "framework/windows/FullscreenChoice.h"
#include "framework/windows/OpeningVolumes.h"

namespace GameFramework {

class AudioManager;
class ProfileManagerBase;

class GUIGameLogicMenuWindowBase : public GUIFrameworkWindow {
public:
    GUIGameLogicMenuWindowBase(AudioManager* audio, ProfileManagerBase* profileManager)
        : audio_(audio), profileManager_(profileManager) {}

    void Update() override;
    void Open(WindowId source) override;
    void Close() override;
    // A changed full-screen choice is written, saved and switched to.
    virtual void Apply();

    AudioManager* GetAudioManager() const { return audio_; }
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }
    const OpeningVolumes& GetVolumesAtOpening() const { return volumesAtOpening_; }

    FullscreenChoice fullscreenChoice;

private:
    AudioManager* audio_;                 // not owned
    ProfileManagerBase* profileManager_;  // not owned
    OpeningVolumes volumesAtOpening_;
};

}  // namespace GameFramework
