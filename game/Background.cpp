#include "game/Background.h"

#include <algorithm>

#include "game/GameData.h"
#include "gui_tools/GUIBackgroundLayer.h"

namespace Morvane {

namespace {

// A decoration layer and the part of a machine name that takes its place.
struct Decoration {
    const char* layer;
    const char* machinePart;
};

constexpr Decoration kDecorations[] = {
    {"frame_soda", "soda"},
    {"frame_coffee", "coffee"},
    {"palm_ice_cream_chocolate", "ice_cream_chocolate"},
};

bool IsTakenByMachine(const std::string& layerName, const std::vector<std::string>& machineNames) {
    for (const Decoration& decoration : kDecorations) {
        if (layerName != decoration.layer) continue;
        return std::any_of(machineNames.begin(), machineNames.end(), [&decoration](const std::string& machine) {
            return machine.find(decoration.machinePart) != std::string::npos;
        });
    }
    return false;
}

}  // namespace

Background::Background(GameData* data, Vantor::GUIWindow* parent, const std::vector<std::string>& machineNames)
    : GUIBackgroundBase(data, parent, kDescriptionFile) {
    CreateBasicLayers();
    CreateAdditionalLayers();
    for (GUITools::GUIBackgroundLayer* layer : layers)
        if (IsTakenByMachine(layer->GetName(), machineNames)) layer->enabled = false;
    Show(true, false, 1.0f);
}

}  // namespace Morvane
