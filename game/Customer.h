#pragma once
// One guest of the cafe: a figure that walks in at its place, shows a balloon with the
// items of its order and its patience, waits to be served, pays the order's price and a
// tip that grows with its mood once every item has been handed over, shows its verdict
// on the service and walks out. Items are handed over by a left click on the figure, or
// arrive flying after a right click anywhere (the customer manager picks the customer).

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"
#include "game/CustomerState.h"
#include "game/ServiceRating.h"

namespace Vantor {
class AnimationControl;
class GUIWindow;
class ParticleSystem;
}  // namespace Vantor

namespace GameFramework {
class AudioManager;
}

namespace GUITools {
class GUIFontTool;
class GUITextTool;
class GUIToolManager;
}  // namespace GUITools

namespace Morvane {

class CursorFood;
class CustomerMood;
class Finances;
class Food;
class GameData;
class GUIGameLogicTextManager;
class Order;
struct CustomerInfo;

class Customer {
public:
    // Frames per second of walking in and out.
    static constexpr float kWalkSpeed = 95.0f;
    // The figure is fully shown from this frame of its walk on.
    static constexpr float kFigureFadeFrames = 50.0f;
    // Balloon and items fade in and out over this after a pause of kFadeDelay.
    static constexpr float kFadeDelay = 0.35f;
    static constexpr float kFadeRate = 3.0f;
    // Below this mood no tip is paid; from the upper one on the full tip.
    static constexpr float kNoTipMood = 0.34f;
    static constexpr float kFullTipMood = 0.82f;
    // The full tip's share of the price.
    static constexpr float kTipShare = 0.32f;

    // Walks in at the place with the order's items, starting now.
    Customer(GameFramework::AudioManager* audio, GameData* gameData, GUITools::GUIToolManager* tools,
             CursorFood* cursorFood, Vantor::GUIWindow* dayWindow, Finances* finances,
             GUIGameLogicTextManager* floatingTexts, float mood, Order* order, const CustomerInfo* type,
             unsigned place, float priceMultiplier);
    virtual ~Customer();
    Customer(const Customer&) = delete;
    Customer& operator=(const Customer&) = delete;

    // Once per frame.
    void Update(bool moodsDrain);
    float GetMood() const;
    // The first open item of the food's name, or null, also while a food of that name
    // flies here.
    Food* FindOrderItem(const Food* food) const;
    // Takes the food, which flies to its item; the caller made sure there is one.
    void ReceiveFood(Food* food);
    // A left click with food the order does not need: the wrong or missing layers blink.
    void ShowFoodMismatch(Food* held);
    // Lets the figure take the mouse while the tutorial restricts input.
    void EnableInput();
    // After an item was set done: pays once every item is done.
    void OnFoodDelivered();
    // The tip on the price at the mood: none at kNoTipMood or below, a share of the price
    // growing to kTipShare at kFullTipMood, rounded, and at least 1 when any is due.
    static unsigned ComputeTip(unsigned price, float mood);

    CustomerState GetState() const { return state_; }
    bool IsAlive() const { return alive_; }
    ServiceRating GetRating() const { return rating_; }
    const Vantor::Color& GetRatingColour() const { return ratingColour_; }
    const CustomerInfo* GetType() const { return type_; }
    unsigned GetPlace() const { return place_; }
    unsigned GetPrice() const { return price_; }
    unsigned GetTip() const { return tip_; }
    const std::wstring& GetRatingLine1() const { return ratingLine1_; }
    const std::wstring& GetRatingLine2() const { return ratingLine2_; }
    const std::wstring& GetTipLine() const { return tipLine_; }
    const CustomerMood& GetPatience() const { return *patience_; }
    const std::vector<std::unique_ptr<Food>>& GetOrderItems() const { return orderItems_; }
    const std::vector<std::unique_ptr<Food>>& GetFlyingItems() const { return flyingItems_; }
    Vantor::GUIWindow* GetFigureWindow() const { return figureWindow_; }
    Vantor::GUIWindow* GetBalloonWindow() const { return balloonWindow_; }
    Vantor::ParticleSystem* GetGoodParticles() const { return goodParticles_; }
    Vantor::ParticleSystem* GetBadParticles() const { return badParticles_; }

private:
    void MakeOrderItems(const Order& order);
    Vantor::ParticleSystem* MakeBurst(const std::string& key) const;
    void EnterState(CustomerState state);
    // The phases' steps; each answers the order items' alpha for this frame.
    float WalkIn();
    float FadeBalloonIn();
    float Wait();
    float FadeItemsOut();
    float ShowRating();
    void WalkOut();
    void Rate();
    void ArriveFlyingItems();
    void Pay();

    GameFramework::AudioManager* audio_;
    GameData* gameData_;
    GUITools::GUIFontTool* fontTool_;
    GUITools::GUITextTool* textTool_;
    CursorFood* cursorFood_;
    Finances* finances_;
    GUIGameLogicTextManager* floatingTexts_;
    const CustomerInfo* type_;
    unsigned place_;
    float priceMultiplier_;
    Vantor::GUIWindow* rootWindow_;
    Vantor::GUIWindow* figureWindow_;
    Vantor::GUIWindow* balloonWindow_;
    Vantor::AnimationControl* figureAnimation_;
    Vantor::ParticleSystem* goodParticles_ = nullptr;
    Vantor::ParticleSystem* badParticles_ = nullptr;
    Vantor::Vector2 figureCentre_;
    std::vector<std::unique_ptr<Food>> orderItems_;
    std::vector<std::unique_ptr<Food>> flyingItems_;
    std::unique_ptr<CustomerMood> patience_;
    CustomerState state_ = kWalkingIn;
    float stateTime_ = 0.0f;
    bool alive_ = true;
    bool hidden_ = false;
    unsigned price_ = 0;
    unsigned tip_ = 0;
    ServiceRating rating_ = kServedQuickly;
    Vantor::Color ratingColour_;
    std::wstring ratingLine1_;
    std::wstring ratingLine2_;
    std::wstring tipLine_;
};

}  // namespace Morvane
