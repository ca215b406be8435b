#pragma once
// The single-instance owner of the cameras: it makes them through the render system,
// keeps a default perspective camera for models without one of their own, updates every
// camera once per frame, and remembers the camera and depth mode last applied so that
// the device is re-programmed only when they change.

#include <cstdint>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/SlotTable.h"

namespace Vantor {

class Camera;

class CameraManager : public GlobalPointerHolder<CameraManager> {
public:
    // Makes the default camera (perspective); the render system must exist.
    CameraManager();
    virtual ~CameraManager();
    CameraManager(const CameraManager&) = delete;
    CameraManager& operator=(const CameraManager&) = delete;

    // A new camera of that kind (0 perspective, other orthographic), owned by the manager.
    Camera* CreateCamera(std::int32_t projectionKind);
    // Deletes a camera of this manager; null or an unknown camera is left alone.
    void DeleteCamera(Camera* camera);
    Camera* GetDefaultCamera() const { return defaultCamera_; }

    // Once per frame before drawing: the viewport follows the window, every camera is
    // updated, and the next SetCurrentCamera programs the device again.
    void ResizeCameras();
    // Applies the camera with the normal or the Z-biased projection, unless it is the one
    // applied last in the same mode.
    void SetCurrentCamera(Camera* camera, bool zBiased);

    const SlotTable<Camera>& GetCameras() const { return cameras_; }
    Camera* GetCurrentCamera() const { return currentCamera_; }
    std::int32_t GetViewportWidth() const { return viewportWidth_; }
    std::int32_t GetViewportHeight() const { return viewportHeight_; }

private:
    // The viewport's size (its origin is always 0, 0).
    std::int32_t viewportWidth_ = 0;
    std::int32_t viewportHeight_ = 0;
    SlotTable<Camera> cameras_;
    Camera* defaultCamera_ = nullptr;
    Camera* currentCamera_ = nullptr;
    bool currentZBiased_ = false;
};

}  // namespace Vantor
