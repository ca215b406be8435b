#pragma once
// The item the player carries on the mouse during a day: a food that follows the
// pointer, is built up at distributors and handed to machines and customers. It always
// holds a food object; an empty one means an empty hand, and only then is the system
// cursor shown.

#include <memory>

#include "engine/kernel/Vector2.h"

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class Food;
class GameData;

class CursorFood {
public:
    // Drawn in front of the rest of the day.
    static constexpr int kOrder = 1000;
    // Where a paused day keeps the held food.
    static constexpr Vantor::Vector2 kOffScreen{10000.0f, 10000.0f};

    // Below the day window, with an empty hand.
    CursorFood(GameData* gameData, Vantor::GUIWindow* parent);
    virtual ~CursorFood();
    CursorFood(const CursorFood&) = delete;
    CursorFood& operator=(const CursorFood&) = delete;

    // The held food is consumed: deleted, and the hand is empty.
    void Clear();
    // The held food now belongs to its new holder: forgotten, and the hand is empty.
    void Release();
    // While the day is not running: the food off screen, the system cursor shown.
    void Hide();
    // Once per running frame: the food centred on the pointer, the system cursor hidden
    // while something is held.
    void Update();
    static bool IsLeftClick();
    static bool IsRightClick();
    // In GUI units.
    static Vantor::Vector2 GetCursorPosition();

    Food* GetFood() const { return food_.get(); }
    Vantor::GUIWindow* GetWindow() const { return window_; }

private:
    static void ShowSystemCursor(bool visible);

    GameData* gameData_;
    Vantor::GUIWindow* window_;
    std::unique_ptr<Food> food_;
};

}  // namespace Morvane
