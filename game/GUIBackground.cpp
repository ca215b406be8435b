#include "game/GUIBackground.h"

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"

namespace Morvane {

GUIBackground::GUIBackground(GameData* data) : GUIBackgroundBase(data, nullptr, kDescriptionFile) {
    CreateBasicLayers();
    GetFrontWindow()->SetOrder(GetFrontWindow()->GetOrder() + kFrontOrderRaise);
}

}  // namespace Morvane
