#pragma once
// One working day in the café. Set-up decides from the current profile which machines
// stand in the room, which foods can be ordered, which distributors and customer types
// take part and how long the day lasts, and makes every object of the room under one
// invisible day window. Each frame drives them, runs the tutorial script of the first
// days, and once the clock has finished and the last customer has gone, ends the day:
// its figures go into the profile and the level is won.

#include <memory>
#include <string>
#include <vector>

#include "framework/GameLogicBase.h"

namespace Vantor {
class GUIWindow;
}

namespace GameFramework {
class Tutorial;
}

namespace GameTools {
class DataKeeper;
}

namespace GUITools {
class GUIToolManager;
}

namespace Morvane {

class AutomaticMachine;
class Background;
class Clock;
class CursorFood;
class CustomerManager;
class Distributor;
class Finances;
class GameData;
class GUIGameLogicTextManager;
class OrderManager;
class Profile;
class ProfileManager;
class TutorialScript;

class GameLogic : public GameFramework::GameLogicBase {
public:
    static constexpr const char* kDustbin = "dustbin";
    static constexpr const char* kFloatingTextFont = "tip";
    static constexpr const char* kDayEndSound = "22";
    // Seconds the room stays open after the last customer of a finished day has gone.
    static constexpr float kDayEndWait = 1.0f;
    // Added to the average rating before it is truncated.
    static constexpr float kServiceRounding = 0.35f;

    // The day of the profile manager's current profile. The day data keeper is kept for
    // the game and may be null. Throws what the room objects throw (a missing resource
    // or definition is fatal there).
    GameLogic(ProfileManager* profileManager, GameFramework::AudioManager* audio, GameData* gameData,
              GameTools::DataKeeper* dayData, GameFramework::Tutorial* tutorial, GUITools::GUIToolManager* tools,
              const GameFramework::StageEntry* stage, const GameFramework::LevelEntry* level,
              std::int32_t progress);
    ~GameLogic() override;

    // One frame of the day.
    void Update() override;
    void OnCheatKey(bool shift, int number) override;

    // The day's service rating from its customers' ratings; 0 when nobody came.
    static int AverageServiceRating(float ratingSum, unsigned customersCome);
    // Sales and tips so far.
    unsigned GetDayIncome() const;
    // The first machine, respectively distributor, of the name in the room, or null.
    AutomaticMachine* FindAutomaticMachine(const std::string& name) const;
    Distributor* FindDistributor(const std::string& name) const;

    unsigned GetDay() const { return day_; }
    float GetDayLength() const { return dayLength_; }
    // Seconds since the day could end.
    float GetDayEndWait() const { return dayEndWait_; }
    GameData* GetGameData() const { return gameData_; }
    GameTools::DataKeeper* GetDayData() const { return dayData_; }
    GameFramework::Tutorial* GetTutorial() const { return tutorial_; }
    Vantor::GUIWindow* GetDayWindow() const { return dayWindow_; }
    // "dustbin" followed by the machines bought.
    const std::vector<std::string>& GetRoomMachineNames() const { return roomMachineNames_; }
    const std::vector<std::string>& GetDistributorNames() const { return distributorNames_; }
    GUIGameLogicTextManager* GetFloatingTexts() const { return floatingTexts_.get(); }
    Background* GetBackground() const { return background_.get(); }
    Finances* GetFinances() const { return finances_.get(); }
    OrderManager* GetOrderManager() const { return orders_.get(); }
    CursorFood* GetCursorFood() const { return cursorFood_.get(); }
    CustomerManager* GetCustomerManager() const { return customers_.get(); }
    Clock* GetClock() const { return clock_.get(); }
    const std::vector<std::unique_ptr<Distributor>>& GetDistributors() const { return distributors_; }
    const std::vector<std::unique_ptr<AutomaticMachine>>& GetMachines() const { return machines_; }

private:
    Profile& CurrentProfile() const;
    // The class of the number of machines bought; a short list gives its last class.
    void ChooseCafeClass(std::size_t machineCount, float& costMultiplier, float& dayMultiplier) const;
    void MakeRoomObjects(float costMultiplier, std::size_t machineCount);
    void ResetTutorial();
    void EndDay();
    void FillDayResult();
    // House building opens once a player with two machines could pay the first upgrade.
    void UnlockHouseBuilding();
    void ChangeMood();

    ProfileManager* profileManager_;
    GameData* gameData_;
    GameTools::DataKeeper* dayData_;
    GameFramework::Tutorial* tutorial_;
    GUITools::GUIToolManager* tools_;
    Vantor::GUIWindow* dayWindow_ = nullptr;
    std::vector<std::string> roomMachineNames_;
    std::vector<std::string> distributorNames_;
    std::unique_ptr<GUIGameLogicTextManager> floatingTexts_;
    std::unique_ptr<Background> background_;
    std::unique_ptr<Finances> finances_;
    std::unique_ptr<OrderManager> orders_;
    std::unique_ptr<CursorFood> cursorFood_;
    std::unique_ptr<CustomerManager> customers_;
    std::unique_ptr<Clock> clock_;
    std::vector<std::unique_ptr<Distributor>> distributors_;
    std::vector<std::unique_ptr<AutomaticMachine>> machines_;
    std::unique_ptr<TutorialScript> tutorialScript_;
    float dayEndWait_ = 0.0f;
    unsigned day_ = 0;
    float dayLength_ = 0.0f;
};

}  // namespace Morvane
