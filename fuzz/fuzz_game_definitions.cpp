// Fuzzes the game's definitions: the input holds the five definition files one after
// the other, separated by lines "%%" (missing files stay missing), read into a fresh
// game data with LoadAll, with the engine on the headless backend and a small house
// pack. A broken definition ends in the fatal error; loaded data must keep its
// invariants: unique foods of 1 to 1000 layers, parallel lists of equal length, the
// made-by-hand flags, values a day can run on, and lookups that find every record.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "content/GameTexturePackWriter.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "fuzz/engine_fuzz_support.h"
#include "game/GameData.h"

namespace {

using Morvane::GameData;

constexpr std::string_view kSeparator = "\n%%\n";
const char* const kFiles[] = {"data/game_objects/provisions.xml", "data/game_objects/room.xml",
                              "data/game_objects/customers.xml", "data/game_objects/character.xml",
                              "data/house/upgrades.xml"};

struct DefinitionsWorkspace : fuzzing::EngineWorkspace {
    DefinitionsWorkspace() : EngineWorkspace("data") {
        CreateFolder("data/game_objects");
        CreateFolder("data/house");
        Content::GameTexturePackWriter::Pack pack;
        pack.pictures = {{"roof", 0, {0, 0}, {1, 1}}};
        Content::GameTexturePackWriter::WriteFile(L"data\\house\\textures\\texture_pack.tpf", pack);
    }

    // Each piece of the input into its file, in order; files without a piece are removed.
    void WriteDefinitions(std::string_view input) const {
        for (const char* file : kFiles) {
            if (input.data() == nullptr) {
                std::filesystem::remove(HostPath(file));
                continue;
            }
            const std::size_t end = input.find(kSeparator);
            const std::string_view piece = input.substr(0, end);
            WriteFile(file, reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
            input = end == std::string_view::npos ? std::string_view() : input.substr(end + kSeparator.size());
        }
    }
};

void Check(bool holds) {
    if (!holds) std::abort();
}

template <class Records, class Find>
void CheckFound(const Records& records, Find find) {
    for (const auto& record : records) {
        const auto* found = find(record->name);
        Check(found != nullptr && found->name == record->name);
    }
}

void CheckInvariants(const GameData& data) {
    for (const auto& food : data.GetFoods()) {
        Check(data.FindFood(food->name) == food.get());
        Check(!food->ingredientNames.empty() && food->ingredientNames.size() <= GameData::kMaxLayers);
        Check(food->ingredientNames.size() == food->visibleFlags.size());
        Check(food->cost >= 0);
        bool made = false;
        for (const auto& machine : data.GetAutomaticMachines())
            for (const std::string& output : machine->outputs) made = made || output == food->name;
        Check(food->madeByHand == !made);
    }
    for (const auto& machine : data.GetAutomaticMachines()) {
        Check(machine->inputs.size() == machine->outputs.size());
        for (const auto& animation : machine->animations)
            Check(animation->time > 0 && std::isfinite(animation->time) && animation->speed >= 0);
    }
    for (const auto& customer : data.GetCustomerTypes()) Check(customer->groups.size() == customer->mustOrderFlags.size());
    CheckFound(data.GetIngredients(), [&](const std::string& name) { return data.FindIngredient(name); });
    CheckFound(data.GetDistributors(), [&](const std::string& name) { return data.FindDistributor(name); });
    CheckFound(data.GetAutomaticMachines(), [&](const std::string& name) { return data.FindAutomaticMachine(name); });

    Check(data.GetDayTime() > 0 && std::isfinite(data.GetDayTime()));
    Check(data.GetMinMoodTime() >= 0 && data.GetMaxMoodTime() >= 0);
    Check(data.GetCustomerPlaceCount() == 0 && data.GetBalloonPlaceCount() == 0);
    const Morvane::CharacterInfo& character = data.GetCharacter();
    Check(!character.cafeClasses.empty());
    for (const auto& cafeClass : character.cafeClasses)
        Check(cafeClass->costMultiplier >= 0 && cafeClass->dayMultiplier > 0 && std::isfinite(cafeClass->dayMultiplier));
    const auto levels = static_cast<int>(character.qualificationThresholds.size());
    for (unsigned points : {0u, 1u, 100u, 65535u, 0xFFFFFFFFu}) {
        const int level = data.GetQualificationLevel(points);
        Check(level >= 0 && (level < levels || level == 0));
    }
    Check(data.GetRootWindow() != nullptr && data.GetFrontWindow()->GetParent() == data.GetRootWindow());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DefinitionsWorkspace workspace;
    workspace.WriteDefinitions(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        GameData gameData;
        gameData.LoadAll();
        CheckInvariants(gameData);
    } catch (const Vantor::FatalError&) {
        // A broken definition.
    }
    Vantor::MessageManager::Instance()->ClearMessages();
    return 0;
}
