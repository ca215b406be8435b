#include "tools/SpriteManager.h"

#include <algorithm>

#include "tools/Sprite2D.h"

namespace GameTools {

SpriteManager::~SpriteManager() {
    // A sprite's destructor takes it out of the registry, which may pack the slots: each
    // one is taken out before it is destroyed, so no walk runs while the slots change.
    const auto& slots = sprites_.GetSlots();
    while (sprites_.GetCount() > 0) {
        Sprite2D* sprite = *std::find_if(slots.begin(), slots.end(), [](const Sprite2D* slot) { return slot != nullptr; });
        sprites_.RemoveObject(sprite);
        delete sprite;
    }
}

void SpriteManager::Update() {
    for (Sprite2D* sprite : sprites_.GetSlots())
        if (sprite) sprite->Update();
}

void SpriteManager::AddSprite(Sprite2D* sprite) { sprites_.AddObject(sprite); }

void SpriteManager::RemoveSprite(Sprite2D* sprite) { sprites_.RemoveObject(sprite); }

}  // namespace GameTools
