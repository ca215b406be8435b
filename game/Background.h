#pragma once
// The café room behind a day of play ("data\background\background.xml"), all layers
// made and shown at once. A decoration that stands where a bought machine stands is
// switched off for the background's whole life.

#include <string>
#include <vector>

#include "gui_tools/GUIBackgroundBase.h"

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class GameData;

class Background : public GUITools::GUIBackgroundBase {
public:
    static constexpr const wchar_t* kDescriptionFile = L"data\\background\\background.xml";

    // machineNames: the automatic machines standing in the room.
    Background(GameData* data, Vantor::GUIWindow* parent, const std::vector<std::string>& machineNames);
};

}  // namespace Morvane
