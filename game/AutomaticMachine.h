#pragma once
// An automatic machine of the café room, turning an item into another over an
// animation; the dustbin is one too, a machine without an input place that destroys
// whatever it is given. A click with the held food puts it in: it flies to the input
// place of its group, the machine's animation ranges for that group run, and the product
// then waits at its output place until the player takes it with an empty hand, combines
// it with the held food or swaps an input for it. A product can also be put back. Only
// one item is in production at a time.

#include <map>
#include <memory>
#include <set>
#include <string>

namespace Vantor {
class GUIWindow;
class Model;
}  // namespace Vantor

namespace GameFramework {
class AudioManager;
}

namespace Morvane {

class AnimatedPart;
class CursorFood;
class Finances;
class Food;
class GameData;
class GUIGameLogicTextManager;
class OrderManager;
struct AutomaticMachineInfo;

class AutomaticMachine {
public:
    // The machine's window draws at its definition's layer times this.
    static constexpr int kLayerOrderStep = 5;
    static constexpr int kUpperOrder = 10;
    static constexpr const char* kDefaultPlace = "default";
    static constexpr const char* kMoveSound = "26";

    // Ends the run with a fatal error when the game data has no machine of the name.
    // The day's finances and floating texts are handed to every room object; a machine
    // earns nothing itself.
    AutomaticMachine(GameFramework::AudioManager* audio, GameData* gameData, CursorFood* cursorFood,
                     Vantor::GUIWindow* parent, Finances* finances, GUIGameLogicTextManager* texts,
                     OrderManager* orders, const std::string& name);
    virtual ~AutomaticMachine();
    AutomaticMachine(const AutomaticMachine&) = delete;
    AutomaticMachine& operator=(const AutomaticMachine&) = delete;

    // Once per running frame.
    void Update();
    // Admits only this machine to the pointer (a tutorial highlight).
    void EnableInput();
    // The place of the food's group, else the general one, else null.
    const Vantor::Model* GetInputPlace(const std::string& foodName) const;
    const Vantor::Model* GetOutputPlace(const std::string& foodName) const;

    const std::string& GetName() const { return name_; }
    Food* GetItemInProduction() const { return item_.get(); }
    Food* GetFinishedItem() const { return finished_.get(); }
    // The effect played when an item arrives inside, or null.
    const char* GetSoundKey() const { return soundKey_; }
    Vantor::GUIWindow* GetWindow() const { return window_; }
    Vantor::GUIWindow* GetSelectionWindow() const { return selection_; }
    AnimatedPart* GetLowerPart() const { return lower_.get(); }
    AnimatedPart* GetUpperPart() const { return upper_.get(); }

private:
    using Places = std::map<std::string, const Vantor::Model*>;

    void FindPlaces(const std::string& kind, Places& places);
    static const Vantor::Model* FindPlace(const Places& places, const std::string& group);
    const std::string& GroupOf(const std::string& foodName) const;
    // Whether the food has a place of the kind; logs once per food when it has none.
    bool HasPlaceFor(const Vantor::Model* place, const std::string& kind, const std::string& foodName);

    void StartProduction();
    void HandleHand();
    // Whether something moved.
    bool HandleLeftClick(bool acceptInput, bool acceptProduct);
    bool CanCombineWithHand();
    void PutIn();
    void PutBack();
    void HandOverFinished();
    void UpdateParts();
    void CompleteProduction();

    // The window items in production move under, and the one products wait under.
    Vantor::GUIWindow* LowerWindow() const;
    Vantor::GUIWindow* UpperWindow() const;

    GameFramework::AudioManager* audio_;
    GameData* gameData_;
    CursorFood* cursorFood_;
    OrderManager* orders_;
    std::string name_;
    const AutomaticMachineInfo* definition_;
    Vantor::GUIWindow* window_;
    std::unique_ptr<AnimatedPart> lower_;
    std::unique_ptr<AnimatedPart> upper_;
    Vantor::GUIWindow* selection_ = nullptr;
    Places inputPlaces_;
    Places outputPlaces_;
    std::unique_ptr<Food> item_;
    std::unique_ptr<Food> finished_;
    const char* soundKey_ = nullptr;
    // A control ran since the item arrived, or none started at all.
    bool completePending_ = false;
    // Foods accepted without a place, already logged.
    std::set<std::string> placeless_;
};

}  // namespace Morvane
