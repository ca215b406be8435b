#pragma once
// The one registry of every 2D sprite. A sprite registers itself when it is made and
// takes itself out when it is destroyed; the registry owns the sprites still in it and
// destroys them with itself. The framework makes the manager at start-up and updates
// it once per frame, last in the game's update.

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/ObjectManager.h"

namespace GameTools {

class Sprite2D;

class SpriteManager : public Vantor::GlobalPointerHolder<SpriteManager> {
public:
    SpriteManager() = default;
    // Destroys every sprite still registered.
    virtual ~SpriteManager();
    SpriteManager(const SpriteManager&) = delete;
    SpriteManager& operator=(const SpriteManager&) = delete;

    // Updates every sprite in slot order.
    void Update();
    // Takes ownership of the sprite.
    void AddSprite(Sprite2D* sprite);
    // Takes the sprite out without destroying it; an unregistered one is left alone.
    void RemoveSprite(Sprite2D* sprite);

    const Vantor::ObjectManager<Sprite2D>& GetSprites() const { return sprites_; }

private:
    Vantor::ObjectManager<Sprite2D> sprites_;
};

}  // namespace GameTools
