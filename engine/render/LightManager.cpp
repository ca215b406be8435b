#include "engine/render/LightManager.h"

#include "engine/render/Light.h"
#include "engine/render/RenderSystem.h"

namespace Vantor {

LightManager::~LightManager() { lights_.DeleteAll(); }

Light* LightManager::CreateLight(std::int32_t index) {
    Light* light = RenderSystem::Instance()->CreateLight(index);
    lights_.Add(light);
    return light;
}

void LightManager::DeleteLight(Light* light) {
    if (lights_.Remove(light)) delete light;
}

void LightManager::Update() {
    RenderSystem::Instance()->SetAmbientColor(ambientColour);
    for (std::uint32_t slot : lights_.GetLiveIds()) lights_.Get(slot)->Refresh();
}

void LightManager::SetLighting(bool on) { RenderSystem::Instance()->SetLighting(on); }

}  // namespace Vantor
