#pragma once
// The single-instance owner of the device lights and of the scene's ambient colour: it
// sends both once per frame and switches the device's lighting for each model drawn.
// Lights are made through the render system and kept the way the camera manager keeps
// its cameras.

#include <cstdint>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/Vector4.h"
#include "engine/kernel/SlotTable.h"

namespace Vantor {

class Light;

class LightManager : public GlobalPointerHolder<LightManager> {
public:
    // No lights; the ambient colour is opaque black.
    LightManager() = default;
    virtual ~LightManager();
    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;

    // A new light for the device light of that index, owned by the manager.
    Light* CreateLight(std::int32_t index);
    // Deletes a light of this manager (switching it off); null or an unknown light is
    // left alone.
    void DeleteLight(Light* light);

    // Once per frame: the ambient colour, then every light again.
    void Update();
    // The device's lighting for the next model.
    void SetLighting(bool on);

    const SlotTable<Light>& GetLights() const { return lights_; }

    Color ambientColour{0.0f, 0.0f, 0.0f, 1.0f};

private:
    SlotTable<Light> lights_;
};

}  // namespace Vantor
