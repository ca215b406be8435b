#include "game/GameLogic.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "framework/AudioManager.h"
#include "framework/Tutorial.h"
#include "game/AutomaticMachine.h"
#include "game/Background.h"
#include "game/Clock.h"
#include "game/CursorFood.h"
#include "game/CustomerManager.h"
#include "game/DayProducts.h"
#include "game/Distributor.h"
#include "game/Finances.h"
#include "game/GUIGameLogicTextManager.h"
#include "game/GameData.h"
#include "game/OrderManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/TutorialScript.h"
#include "gui_tools/GUIToolManager.h"

namespace Morvane {

namespace {

// The hints that open the first day's and the coffee machine's tutorials, and the last
// hint of the latter.
constexpr unsigned kFirstDayHint = 1;
constexpr unsigned kCoffeeHint = 10;
constexpr unsigned kLastCoffeeHint = 22;

}  // namespace

GameLogic::GameLogic(ProfileManager* profileManager, GameFramework::AudioManager* audio, GameData* gameData,
                     GameTools::DataKeeper* dayData, GameFramework::Tutorial* tutorial,
                     GUITools::GUIToolManager* tools, const GameFramework::StageEntry* stage,
                     const GameFramework::LevelEntry* level, std::int32_t progress)
    : GameLogicBase(audio, stage, level, progress),
      profileManager_(profileManager),
      gameData_(gameData),
      dayData_(dayData),
      tutorial_(tutorial),
      tools_(tools) {
    const Profile& profile = CurrentProfile();
    day_ = static_cast<unsigned>(std::max(profile.GetDay(), 0));
    const std::size_t machineCount = profile.GetMachines().size();
    float costMultiplier = 1.0f;
    float dayMultiplier = 1.0f;
    ChooseCafeClass(machineCount, costMultiplier, dayMultiplier);
    dayLength_ = gameData_->GetDayTime() * dayMultiplier;
    roomMachineNames_.push_back(kDustbin);
    roomMachineNames_.insert(roomMachineNames_.end(), profile.GetMachines().begin(), profile.GetMachines().end());
    MakeRoomObjects(costMultiplier, machineCount);
    tutorialScript_ = std::make_unique<TutorialScript>(*this);
    dayEndWait_ = 0.0f;
    SetTimerPaused(false);
    ResetTutorial();
}

GameLogic::~GameLogic() {
    tutorialScript_.reset();
    distributors_.clear();
    machines_.clear();
    clock_.reset();
    customers_.reset();
    cursorFood_.reset();
    orders_.reset();
    floatingTexts_.reset();
    finances_.reset();
    background_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(dayWindow_);
}

Profile& GameLogic::CurrentProfile() const { return *profileManager_->GetCurrent(); }

void GameLogic::ChooseCafeClass(std::size_t machineCount, float& costMultiplier, float& dayMultiplier) const {
    const auto& classes = gameData_->GetCharacter().cafeClasses;
    if (classes.empty()) return;
    std::size_t index = machineCount;
    if (index >= classes.size()) {
        index = classes.size() - 1;
        Vantor::MessageManager::Instance()->PrintWarning(
            "No cafe class for " + std::to_string(machineCount) + " machines bought: the last class is used");
    }
    costMultiplier = classes[index]->costMultiplier;
    dayMultiplier = classes[index]->dayMultiplier;
}

void GameLogic::MakeRoomObjects(float costMultiplier, std::size_t machineCount) {
    const Profile& profile = CurrentProfile();
    GameFramework::AudioManager* audio = GetAudioManager();
    background_ = std::make_unique<Background>(gameData_, gameData_->GetRootWindow(), roomMachineNames_);
    dayWindow_ = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown,
                                                                   background_->GetFrontWindow());
    finances_ = std::make_unique<Finances>();
    floatingTexts_ = std::make_unique<GUIGameLogicTextManager>(tools_->GetTextTool(), tools_->GetFontTool(),
                                                               kFloatingTextFont, dayWindow_);
    orders_ = std::make_unique<OrderManager>(gameData_, tutorial_, day_);
    cursorFood_ = std::make_unique<CursorFood>(gameData_, dayWindow_);
    customers_ = std::make_unique<CustomerManager>(
        audio, gameData_, tools_, orders_.get(), cursorFood_.get(), dayWindow_, finances_.get(), floatingTexts_.get(),
        static_cast<int>(day_), std::clamp(profile.GetMood(), 0.0f, 1.0f), costMultiplier,
        static_cast<unsigned>(machineCount));
    clock_ = std::make_unique<Clock>(audio, gameData_, GetTimer(), dayWindow_, dayLength_);
    for (const std::string& name : roomMachineNames_)
        machines_.push_back(std::make_unique<AutomaticMachine>(audio, gameData_, cursorFood_.get(), dayWindow_,
                                                               finances_.get(), floatingTexts_.get(), orders_.get(),
                                                               name));

    const DayProducts products(*gameData_, roomMachineNames_);
    for (const std::string& name : products.OrderableProducts()) orders_->AddProduct(name);
    distributorNames_ = products.DistributorNames();
    for (const std::string& name : distributorNames_)
        distributors_.push_back(
            std::make_unique<Distributor>(audio, gameData_, cursorFood_.get(), dayWindow_, name));
    for (const CustomerInfo* type : products.CustomerTypes()) customers_->AddCustomerType(type);
}

void GameLogic::ResetTutorial() {
    const bool firstDayAgain = day_ == 0 && tutorial_->IsShown(kFirstDayHint);
    const bool coffeeInterrupted = tutorial_->IsShown(kCoffeeHint) && !tutorial_->IsShown(kLastCoffeeHint);
    if (firstDayAgain || coffeeInterrupted) tutorial_->ClearAllShown();
}

void GameLogic::OnCheatKey(bool shift, int number) { GameLogicBase::OnCheatKey(shift, number); }

int GameLogic::AverageServiceRating(float ratingSum, unsigned customersCome) {
    // A day without customers has nothing to average: it rates as the best service.
    if (customersCome == 0) return 0;
    return static_cast<int>(ratingSum / static_cast<float>(customersCome) + kServiceRounding);
}

unsigned GameLogic::GetDayIncome() const { return finances_->income; }

AutomaticMachine* GameLogic::FindAutomaticMachine(const std::string& name) const {
    for (const auto& machine : machines_)
        if (machine->GetName() == name) return machine.get();
    return nullptr;
}

Distributor* GameLogic::FindDistributor(const std::string& name) const {
    for (const auto& distributor : distributors_)
        if (distributor->GetName() == name) return distributor.get();
    return nullptr;
}

void GameLogic::Update() {
    GameLogicBase::Update();
    background_->Update();
    floatingTexts_->Update();
    if (GetState() != GameFramework::LevelState::Running) {
        cursorFood_->Hide();
        return;
    }
    clock_->Update();
    if (tutorial_->IsReady() && !tutorial_->IsShown(0)) tutorialScript_->RunStarts();
    orders_->Update();
    for (const auto& distributor : distributors_) distributor->Update();
    for (const auto& machine : machines_) machine->Update();

    const bool running = !clock_->IsFinished();
    const bool hintActive = tutorial_->IsActive();
    const bool moodsDrain = day_ != 0 && !hintActive;
    const bool rightClickServing = TutorialScript::AllowsRightClickServing(hintActive, tutorial_->GetHint());
    if (hintActive) tutorialScript_->RunFinishes();
    customers_->Update(clock_->GetProgress(), running, moodsDrain, rightClickServing);
    cursorFood_->Update();

    if (running || !customers_->GetCustomers().empty()) return;
    dayEndWait_ += Vantor::TimerManager::Instance()->GetFrameTime();
    if (dayEndWait_ > kDayEndWait) EndDay();
}

void GameLogic::EndDay() {
    GetAudioManager()->PlayEffect(kDayEndSound);
    FillDayResult();
    Profile& profile = CurrentProfile();
    const std::uint32_t income = finances_->income;
    const std::uint32_t tips = finances_->tips;
    profile.SetDay(profile.GetDay() + 1);
    profile.Save();
    profile.SetMoney(profile.GetMoney() + static_cast<std::int32_t>(income));
    profile.Save();
    profile.SetQualification(profile.GetQualification() + static_cast<std::int32_t>(tips));
    profile.Save();
    UnlockHouseBuilding();
    ChangeMood();
    SetState(GameFramework::LevelState::Won);
}

void GameLogic::FillDayResult() {
    Profile& profile = CurrentProfile();
    DayResult& result = profile.GetDayResult();
    result.shown = false;
    result.foodSales = static_cast<std::int32_t>(finances_->income - finances_->tips);
    result.tips = static_cast<std::int32_t>(finances_->tips);
    const unsigned come = customers_->GetCustomersCome();
    result.serviceRating = AverageServiceRating(customers_->GetRatingSum(), come);
    result.customersServed = static_cast<std::int32_t>(customers_->GetCustomersServed());
    result.customersCome = static_cast<std::int32_t>(come);
    result.mood = std::clamp(profile.GetMood(), 0.0f, 1.0f);
}

void GameLogic::UnlockHouseBuilding() {
    Profile& profile = CurrentProfile();
    const auto& upgrades = gameData_->GetHouseUpgrades();
    if (profile.HasFlag(Profile::kFlagHouseUnlocked) || profile.GetMachines().size() <= 1 || upgrades.empty() ||
        profile.GetMoney() < upgrades.front()->cost)
        return;
    profile.SetFlag(Profile::kFlagHouseUnlocked);
    profile.Save();
}

void GameLogic::ChangeMood() {
    Profile& profile = CurrentProfile();
    if (!profile.HasFlag(Profile::kFlagHouseUnlocked) ||
        profile.GetHouseUpgrades().size() >= gameData_->GetHouseUpgrades().size())
        return;
    const float mood = std::clamp(profile.GetMood(), 0.0f, 1.0f) + gameData_->GetCharacter().dayChange;
    profile.SetMood(std::max(mood, 0.0f));
    profile.Save();
}

}  // namespace Morvane
