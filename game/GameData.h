#pragma once
// The game's one store of read-only definitions: ingredients and recipes, the room (day
// length, distributors, automatic machines), customer types, the character tables and
// the house upgrades. As a data keeper it also holds every model, shader user, particle
// system and texture pack of the game's resource lists; the definitions are its one
// extra loading step, read after every queued resource. A broken definition ends the
// run through a fatal log line. Nothing changes after loading.

#include <memory>
#include <string>
#include <vector>

#include "game/AutomaticMachineInfo.h"
#include "game/CharacterInfo.h"
#include "game/CustomerInfo.h"
#include "game/DistributorInfo.h"
#include "game/FoodInfo.h"
#include "game/HouseUpgradeInfo.h"
#include "game/IngredientInfo.h"
#include "tools/DataKeeper.h"

namespace Vantor {
class GUIWindow;
class ShaderUser;
}  // namespace Vantor

namespace GameTools {
class XMLNode;
}

namespace Morvane {

class DefinitionReader;
class TexturePack;

class GameData : public GameTools::DataKeeper {
public:
    // The definition files, in their loading order.
    static constexpr const wchar_t* kProvisionsFile = L"data\\game_objects\\provisions.xml";
    static constexpr const wchar_t* kRoomFile = L"data\\game_objects\\room.xml";
    static constexpr const wchar_t* kCustomersFile = L"data\\game_objects\\customers.xml";
    static constexpr const wchar_t* kCharacterFile = L"data\\game_objects\\character.xml";
    static constexpr const wchar_t* kUpgradesFile = L"data\\house\\upgrades.xml";
    // The food's match flags hold at most this many layers.
    static constexpr std::size_t kMaxLayers = 1000;
    // Place models are numbered "00" to "99".
    static constexpr unsigned kMaxPlaces = 100;

    // Makes each partner logo whose picture and alpha picture both exist.
    GameData();
    ~GameData() override;

    // Loads every definition when the step is the first extra step (101) or all at once
    // (-1), and answers true; false at once for any other step.
    bool LoadExtraStep(int step) override;

    // The first record of that exact name, or null; silent.
    const FoodInfo* FindFood(const std::string& name) const;
    const IngredientInfo* FindIngredient(const std::string& name) const;
    const DistributorInfo* FindDistributor(const std::string& name) const;
    const AutomaticMachineInfo* FindAutomaticMachine(const std::string& name) const;

    // The index of the last cumulative qualification threshold reached by the points,
    // walking from the first until one lies above them; 0 when none is reached.
    int GetQualificationLevel(unsigned int points) const;

    // Partner logo 0 or 1, or null; released by the keeper.
    Vantor::ShaderUser* GetLogoShader(int index) const { return logoShaders_[index]; }
    Vantor::GUIWindow* GetRootWindow() const { return rootWindow_; }
    Vantor::GUIWindow* GetFrontWindow() const { return frontWindow_; }
    const std::vector<std::unique_ptr<IngredientInfo>>& GetIngredients() const { return ingredients_; }
    const std::vector<std::unique_ptr<FoodInfo>>& GetFoods() const { return foods_; }
    const std::vector<std::unique_ptr<CustomerInfo>>& GetCustomerTypes() const { return customerTypes_; }
    const std::vector<std::unique_ptr<AutomaticMachineInfo>>& GetAutomaticMachines() const { return machines_; }
    const std::vector<std::unique_ptr<DistributorInfo>>& GetDistributors() const { return distributors_; }
    unsigned int GetCustomerPlaceCount() const { return customerPlaceCount_; }
    unsigned int GetBalloonPlaceCount() const { return balloonPlaceCount_; }
    float GetMinMoodTime() const { return minMoodTime_; }
    float GetMaxMoodTime() const { return maxMoodTime_; }
    float GetDayTime() const { return dayTime_; }
    const CharacterInfo& GetCharacter() const { return character_; }
    const TexturePack* GetHouseTexturePack() const { return houseTexturePack_.get(); }
    const std::vector<std::unique_ptr<HouseUpgradeInfo>>& GetHouseUpgrades() const { return houseUpgrades_; }

private:
    void LoadDefinitions();
    void ReadProvisions(const GameTools::XMLNode& holder);
    void ReadFood(const DefinitionReader& reader, const GameTools::XMLNode& element);
    void ReadRoom(const GameTools::XMLNode& holder);
    void ReadDistributors(const GameTools::XMLNode& room);
    void ReadAutomaticMachines(const DefinitionReader& reader, const GameTools::XMLNode& room);
    // A food any machine makes is not made by hand.
    void ClearMadeByHand();
    void ReadCustomers(const GameTools::XMLNode& holder);
    // The consecutive place models from "00", at most kMaxPlaces.
    unsigned CountPlaces(const std::string& prefix, const std::string& suffix) const;
    void ReadCharacter(const GameTools::XMLNode& holder);
    void ReadHouseUpgrades(const GameTools::XMLNode& holder);

    Vantor::ShaderUser* logoShaders_[2] = {nullptr, nullptr};
    Vantor::GUIWindow* rootWindow_ = nullptr;   // the GUI manager's; destroyed here
    Vantor::GUIWindow* frontWindow_ = nullptr;  // child of the root window
    std::vector<std::unique_ptr<IngredientInfo>> ingredients_;
    std::vector<std::unique_ptr<FoodInfo>> foods_;
    std::vector<std::unique_ptr<CustomerInfo>> customerTypes_;
    std::vector<std::unique_ptr<AutomaticMachineInfo>> machines_;
    std::vector<std::unique_ptr<DistributorInfo>> distributors_;
    unsigned int customerPlaceCount_ = 0;
    unsigned int balloonPlaceCount_ = 0;
    float minMoodTime_ = 0.0f;
    float maxMoodTime_ = 0.0f;
    float dayTime_ = 0.0f;
    CharacterInfo character_;
    std::unique_ptr<TexturePack> houseTexturePack_;
    std::vector<std::unique_ptr<HouseUpgradeInfo>> houseUpgrades_;
};

}  // namespace Morvane
