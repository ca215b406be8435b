#include "game/FinalBackground.h"

#include "game/GameData.h"

namespace Morvane {

FinalBackground::FinalBackground(ProfileManager* profiles, GameData* data, Vantor::GUIWindow* parent)
    : GUIBackgroundBase(data, parent, kDescriptionFile), profiles_(profiles), data_(data) {
    CreateBasicLayers();
    CreateAdditionalLayers();
}

}  // namespace Morvane
