#pragma once
// One food item on the screen (held on the cursor, lying in a distributor or machine,
// in an order balloon, flying): a stack of ingredient layers, laid out and named by the
// first recipe of the game data that contains the stack. It can fly to a point at a
// fixed speed, be marked done (a served order item) and pass glows on to its layers.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class GameData;
class Ingredient;
struct FoodInfo;

class Food {
public:
    // Flight speed in GUI units per second, whatever the distance.
    static constexpr float kFlightSpeed = 1200.0f;
    // Where a layer its recipe does not draw is parked.
    static constexpr Vantor::Vector2 kParked{20000.0f, 20000.0f};
    // Grey of a served item's layers.
    static constexpr float kDoneGrey = 0.6f;
    // Alpha gained by the done symbol per second.
    static constexpr float kDoneFadeRate = 5.0f;

    // An empty food below the parent.
    Food(GameData* gameData, Vantor::GUIWindow* parent);
    virtual ~Food();
    Food(const Food&) = delete;
    Food& operator=(const Food&) = delete;

    // Puts a layer on top and lays the stack out by the first recipe containing it.
    void AddIngredient(const std::string& name);
    // Each layer of the other food, bottom first; nothing for null.
    void AddIngredientsOf(const Food* other);
    // The recipe's ingredients in recipe order; nothing for an unknown recipe.
    void BuildRecipe(const std::string& recipeName);
    // Whether some recipe contains the layers plus the ingredient.
    bool CanAddIngredient(const std::string& name);
    bool HasIngredient(const std::string& name) const;
    // Deletes the layers; the name stays.
    void Clear();
    // Shows the done symbol over the stack; never reversed.
    void MarkDone();
    bool IsDone() const;
    // For the current frame, on every layer.
    void Highlight();
    bool IsHovered() const;
    // Nothing for an index beyond the layers.
    void BlinkLayer(std::size_t index);
    // "" beyond the layers.
    const std::string& GetLayerName(std::size_t index) const;
    void SetLayersVisible(bool visible);
    void SetAlpha(float alpha);
    // The bottom layer's alpha; 1 without layers.
    float GetAlpha() const;
    // Relative to the parent.
    void SetPosition(const Vantor::Vector2& position);
    // Absolute.
    Vantor::Vector2 GetPosition() const;
    // Starts a flight from the absolute position to the target.
    void MoveTo(const Vantor::Vector2& target);
    void SetParent(Vantor::GUIWindow* parent);
    void EnableInput();
    void Update();

    // Matching walks: each name takes the first still free slot of the same name, in the
    // recipe's ingredient list or the other food's layer list; a take answers that slot,
    // or the list's length when there is none.
    void ResetRecipeMatches(const FoodInfo& recipe);
    unsigned TakeRecipeMatch(const FoodInfo& recipe, const std::string& name);
    void ResetLayerMatches(const Food* other);
    unsigned TakeLayerMatch(const Food* other, const std::string& name);

    const std::string& GetName() const { return name_; }
    int GetPrice() const { return price_; }
    const Vantor::Vector2& GetExtent() const { return extent_; }
    const std::vector<std::unique_ptr<Ingredient>>& GetLayers() const { return layers_; }
    bool HasArrived() const { return arrived_; }
    bool IsFlying() const { return flying_; }
    Vantor::GUIWindow* GetRootWindow() const { return root_; }
    Vantor::GUIWindow* GetDoneWindow() const { return done_; }

private:
    std::vector<std::string> LayerNames() const;
    // Whether the recipe contains the names, leaving the match flags of the walk.
    bool Contains(const FoodInfo& recipe, const std::vector<std::string>& names);
    const FoodInfo* FindContainingRecipe(const std::vector<std::string>& names);
    void LayOut(const FoodInfo& recipe, const std::vector<std::string>& names);
    void ResetMatches(std::size_t count);
    unsigned TakeMatch(const std::vector<std::string>& slots, const std::string& name);

    GameData* gameData_;
    Vantor::GUIWindow* root_;
    Vantor::GUIWindow* done_;
    std::string name_;
    Vantor::Vector2 extent_;
    std::vector<std::unique_ptr<Ingredient>> layers_;
    std::array<bool, 1000> matches_{};
    bool flying_ = false;
    bool arrived_ = false;
    float flightTime_ = 0.0f;
    Vantor::Vector2 flightStart_;
    Vantor::Vector2 flightTarget_;
    int price_ = 0;
};

}  // namespace Morvane
