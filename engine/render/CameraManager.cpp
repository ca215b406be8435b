#include "engine/render/CameraManager.h"

#include "engine/kernel/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/RenderSystem.h"

namespace Vantor {

CameraManager::CameraManager() { defaultCamera_ = CreateCamera(Camera::kPerspective); }

CameraManager::~CameraManager() {
    DeleteCamera(defaultCamera_);
    cameras_.DeleteAll();
}

Camera* CameraManager::CreateCamera(std::int32_t projectionKind) {
    Camera* camera = RenderSystem::Instance()->CreateCamera(projectionKind);
    cameras_.Add(camera);
    return camera;
}

void CameraManager::DeleteCamera(Camera* camera) {
    if (!cameras_.Remove(camera)) return;
    // A camera made later at the same address must still be applied.
    if (camera == currentCamera_) currentCamera_ = nullptr;
    if (camera == defaultCamera_) defaultCamera_ = nullptr;
    delete camera;
}

void CameraManager::ResizeCameras() {
    const Window* window = Window::Instance();
    viewportWidth_ = static_cast<std::int32_t>(window->GetWidth());
    viewportHeight_ = static_cast<std::int32_t>(window->GetHeight());
    for (std::uint32_t slot : cameras_.GetLiveIds()) cameras_.Get(slot)->Update();
    currentCamera_ = nullptr;
}

void CameraManager::SetCurrentCamera(Camera* camera, bool zBiased) {
    if (!camera || (camera == currentCamera_ && zBiased == currentZBiased_)) return;
    currentCamera_ = camera;
    currentZBiased_ = zBiased;
    if (zBiased)
        camera->ApplyZBiased();
    else
        camera->Apply();
}

}  // namespace Vantor
