#pragma once
// The single-instance maker of sprite groups. Registered groups are owned here and
// rebuilt once per frame, after the particle systems moved their sprites and before
// the models are drawn; unregistered ones belong to whoever asked for them.

#include <cstdint>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/ObjectManager.h"

namespace Vantor {

class Camera;
class ShaderDescriptor;
class SpriteGroup;

class SpriteGroupManager : public GlobalPointerHolder<SpriteGroupManager> {
public:
    SpriteGroupManager();
    // The registry deletes every registered group.
    virtual ~SpriteGroupManager();
    SpriteGroupManager(const SpriteGroupManager&) = delete;
    SpriteGroupManager& operator=(const SpriteGroupManager&) = delete;

    // A new group the caller owns; never rebuilt by the manager.
    SpriteGroup* CreateSpriteGroup(std::uint32_t capacity, const ShaderDescriptor* descriptor, Camera* camera,
                                   bool lazyTextures);
    // A new group, registered.
    SpriteGroup* CreateRegisteredSpriteGroup(std::uint32_t capacity, const ShaderDescriptor* descriptor, Camera* camera,
                                             bool lazyTextures);
    // A copy of the source, registered.
    SpriteGroup* CreateSpriteGroupInstance(const SpriteGroup& source);
    // Removes and deletes a registered group; null or an unregistered group is left alone.
    void ReleaseSpriteGroup(SpriteGroup* group);

    // Once per frame: every registered group's rebuild, in slot order.
    void Update();

    std::uint32_t GetRegisteredCount() const { return groups_.GetCount(); }

private:
    SpriteGroup* Register(SpriteGroup* group);

    ObjectManager<SpriteGroup> groups_;
};

}  // namespace Vantor
