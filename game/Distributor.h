#pragma once
// A dispenser in the café room offering one ingredient as a row of ready items. A left
// click adds the ingredient as a new layer to the held food when some recipe can still
// be completed that way; the row empties from its highest slot, and once the last item
// is gone it refills, the slots fading in one after another, during which nothing can
// be taken. With a selection area the whole area offers the last full slot; without
// one, each hovered item offers itself.

#include <memory>
#include <string>
#include <vector>

namespace Vantor {
class GUIWindow;
}

namespace GameFramework {
class AudioManager;
}

namespace Morvane {

class AnimatedPart;
class CursorFood;
class Food;
class GameData;
struct DistributorInfo;

class Distributor {
public:
    static constexpr int kOrder = 30;
    static constexpr int kUpperOrder = 50;
    // Slot models "input_0" to "input_9"; slot n draws at order n * 5 + 2.
    static constexpr int kMaxSlots = 10;
    static constexpr int kSlotOrderStep = 5;
    static constexpr int kSlotOrderBase = 2;
    // The refill runs this many time units a second; slot i fades in over the unit that
    // starts at i * kRefillDelay.
    static constexpr float kRefillSpeed = 3.0f;
    static constexpr float kRefillDelay = 0.5f;
    static constexpr const char* kTakeSound = "26";

    // Ends the run with a fatal error when the game data has no distributor of the name.
    Distributor(GameFramework::AudioManager* audio, GameData* gameData, CursorFood* cursorFood,
                Vantor::GUIWindow* parent, const std::string& name);
    virtual ~Distributor();
    Distributor(const Distributor&) = delete;
    Distributor& operator=(const Distributor&) = delete;

    // Once per running frame.
    void Update();
    // Admits only this distributor to the pointer (a tutorial highlight): its selection
    // area, else the items of its last full slot.
    void EnableInput();

    const std::string& GetName() const { return name_; }
    const std::vector<std::unique_ptr<Food>>& GetSlotFoods() const { return slotFoods_; }
    const std::vector<Vantor::GUIWindow*>& GetSlotWindows() const { return slotWindows_; }
    Vantor::GUIWindow* GetWindow() const { return window_; }
    Vantor::GUIWindow* GetSelectionWindow() const { return selection_; }
    AnimatedPart* GetLowerPart() const { return lower_.get(); }
    AnimatedPart* GetUpperPart() const { return upper_.get(); }
    bool IsRefilling() const { return refilling_; }

private:
    std::size_t CountFullSlots() const;
    void Refill();
    void Take(Food& slot);
    void OfferToHand(std::size_t fullSlots);

    GameFramework::AudioManager* audio_;
    GameData* gameData_;
    CursorFood* cursorFood_;
    std::string name_;
    const DistributorInfo* definition_;
    Vantor::GUIWindow* window_;
    std::vector<Vantor::GUIWindow*> slotWindows_;
    std::vector<std::unique_ptr<Food>> slotFoods_;
    std::unique_ptr<AnimatedPart> lower_;
    std::unique_ptr<AnimatedPart> upper_;
    Vantor::GUIWindow* selection_ = nullptr;
    bool refilling_ = false;
    float refillTime_ = 0.0f;
};

}  // namespace Morvane
