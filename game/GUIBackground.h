#pragma once
// The background behind every menu window ("data\ui\background\background.xml"), a
// root window of its own. Only its basic layers are made here; the game adds the
// additional ones once loading has finished, and shows and hides it. The menu windows
// hang on its front window, raised well in front of the layers.

#include "gui_tools/GUIBackgroundBase.h"

namespace Morvane {

class GameData;

class GUIBackground : public GUITools::GUIBackgroundBase {
public:
    static constexpr const wchar_t* kDescriptionFile = L"data\\ui\\background\\background.xml";
    // How far the front window's order is raised.
    static constexpr int kFrontOrderRaise = 20;

    explicit GUIBackground(GameData* data);
};

}  // namespace Morvane
