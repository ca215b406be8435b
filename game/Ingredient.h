#pragma once
// One layer of a food item: the ingredient's picture at its place in the stack, with a
// glow that fades in green while the player points at the item and blinks red when the
// player offers the wrong item. Only the food makes, places and deletes its layers.

#include <string>

#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {
class GUIWindow;
class Model;
}  // namespace Vantor

namespace Morvane {

class GameData;

class Ingredient {
public:
    // Strength gained or lost by the glow per second.
    static constexpr float kGlowRate = 5.0f;
    // The red blink ends when four times its time reaches this: two flashes.
    static constexpr float kBlinkEnd = 3.0f * 1.5707964f;

    // The picture and its glow from the ingredient's resources, below the parent.
    Ingredient(GameData* gameData, Vantor::GUIWindow* parent, const std::string& name);
    virtual ~Ingredient();
    Ingredient(const Ingredient&) = delete;
    Ingredient& operator=(const Ingredient&) = delete;

    // Takes effect at the next update.
    void SetVisible(bool visible) { visible_ = visible; }
    float GetAlpha() const { return alpha_; }
    void SetAlpha(float alpha);
    // The colour's alpha becomes the layer's alpha.
    void SetColor(const Vantor::Color& colour);
    void StartErrorBlink();
    // For the current frame only: call it every frame while the item is pointed at.
    void Highlight() { highlightRequest_ = true; }
    bool IsHovered() const;
    // Relative to the food's root window; a higher place draws in front.
    void SetPosition(const Vantor::Vector2& position, unsigned place);
    // At the placement model's lower corner.
    void SetPositionFromModel(const Vantor::Model* placement, unsigned place);
    // Keeps the layer reacting to the mouse while the tutorial restricts input.
    void EnableInput();
    void Update();

    const std::string& GetName() const { return name_; }
    float GetHighlight() const { return highlight_; }
    bool IsBlinking() const { return errorBlink_; }
    Vantor::GUIWindow* GetPictureWindow() const { return picture_; }
    Vantor::GUIWindow* GetSelectionWindow() const { return selection_; }

private:
    GameData* gameData_;
    std::string name_;
    Vantor::GUIWindow* picture_;
    Vantor::GUIWindow* selection_;
    float alpha_ = 1.0f;
    bool visible_ = true;
    bool highlightRequest_ = false;
    float highlight_ = 0.0f;
    bool errorBlink_ = false;
    float errorBlinkTime_ = 0.0f;
};

}  // namespace Morvane
