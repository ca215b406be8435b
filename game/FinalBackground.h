#pragma once
// The background of the final window ("data\final\background.xml"), every layer made at
// once; the final window shows it.

#include "gui_tools/GUIBackgroundBase.h"

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class GameData;
class ProfileManager;

class FinalBackground : public GUITools::GUIBackgroundBase {
public:
    static constexpr const wchar_t* kDescriptionFile = L"data\\final\\background.xml";

    // Neither the profile manager nor the game data is owned.
    FinalBackground(ProfileManager* profiles, GameData* data, Vantor::GUIWindow* parent);

    ProfileManager* GetProfileManager() const { return profiles_; }
    GameData* GetGameData() const { return data_; }

private:
    ProfileManager* profiles_;
    GameData* data_;
};

}  // namespace Morvane
