#pragma once
// The game's mouse pointer: three cursor kinds over the framework's cursor base, a
// particle trail that follows the pointer and a particle burst at each left click while
// the trail is on (the menus; a day turns it off).

#include "engine/kernel/Vector2.h"
#include "framework/GUIGameCursorBase.h"

namespace Vantor {
class ParticleSystem;
}

namespace Morvane {

class GameData;

class GUIGameCursor : public GameFramework::GUIGameCursorBase {
public:
    // The kinds' system cursor resources of the program.
    static constexpr int kCursorResources[3] = {109, 108, 107};
    static constexpr float kCursorSize = 40.0f;
    // The trail hangs below and to the right of the pointer's tip.
    static constexpr Vantor::Vector2 kTrailOffset{13.0f, -16.0f};
    // The effects lie just behind the drawn cursor.
    static constexpr float kEffectDepth = -251.0f;

    // The three kinds, kind 0 chosen, the trail enabled; no effects yet.
    GUIGameCursor();
    // Releases the effects.
    ~GUIGameCursor() override;

    // The trail and the click burst, once the game data has loaded them.
    void CreateEffects(GameData* gameData);
    void SetTrailEnabled(bool enabled);
    bool IsTrailEnabled() const { return trailEnabled_; }
    void Show(bool visible) override;
    bool Update() override;

    Vantor::ParticleSystem* GetTrail() const { return trail_; }
    Vantor::ParticleSystem* GetClickBurst() const { return clickBurst_; }

private:
    static Vantor::ParticleSystem* CreateEffect(GameData* gameData, const char* key);

    Vantor::ParticleSystem* trail_ = nullptr;
    Vantor::ParticleSystem* clickBurst_ = nullptr;
    bool trailEnabled_ = true;
};

}  // namespace Morvane
