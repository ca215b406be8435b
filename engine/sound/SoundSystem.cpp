#include "engine/sound/SoundSystem.h"

namespace Vantor {

SoundSystem::SoundSystem(bool use3D) : use3D_(use3D) {}

void SoundSystem::SetListenerPosition(const Vector3& position) { listenerPosition_ = position; }

void SoundSystem::SetListenerOrientation(const Vector3& forward, const Vector3& up) {
    listenerForward_ = forward;
    listenerUp_ = up;
}

void SoundSystem::ResetListener() {
    SetListenerPosition(Vector3(0.0f, 0.0f, 0.0f));
    SetListenerOrientation(Vector3(0.0f, 0.0f, -1.0f), Vector3(0.0f, 1.0f, 0.0f));
}

}  // namespace Vantor
