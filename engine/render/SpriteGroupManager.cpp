#include "engine/render/SpriteGroupManager.h"

#include <memory>

#include "engine/render/SpriteGroup.h"

namespace Vantor {

// Defined here, where the registry's groups are complete types.
SpriteGroupManager::SpriteGroupManager() = default;
SpriteGroupManager::~SpriteGroupManager() = default;

SpriteGroup* SpriteGroupManager::CreateSpriteGroup(std::uint32_t capacity, const ShaderDescriptor* descriptor,
                                                   Camera* camera, bool lazyTextures) {
    return new SpriteGroup(capacity, descriptor, camera, lazyTextures);
}

SpriteGroup* SpriteGroupManager::CreateRegisteredSpriteGroup(std::uint32_t capacity, const ShaderDescriptor* descriptor,
                                                             Camera* camera, bool lazyTextures) {
    return Register(new SpriteGroup(capacity, descriptor, camera, lazyTextures));
}

SpriteGroup* SpriteGroupManager::CreateSpriteGroupInstance(const SpriteGroup& source) {
    return Register(new SpriteGroup(source));
}

SpriteGroup* SpriteGroupManager::Register(SpriteGroup* group) {
    std::unique_ptr<SpriteGroup> owned(group);
    groups_.AddObject(group);
    return owned.release();
}

void SpriteGroupManager::ReleaseSpriteGroup(SpriteGroup* group) {
    if (groups_.RemoveObject(group)) delete group;
}

void SpriteGroupManager::Update() {
    for (SpriteGroup* group : groups_.GetSlots())
        if (group) group->Rebuild();
}

}  // namespace Vantor
