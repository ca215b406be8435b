#pragma once
// What the game data's tests share: the whole engine on the headless backend in a
// private home, game data folders written below it, and game data loaded at once from
// them, or the fatal line that loading ends in.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Engine.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "game/GameData.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"
#include "tests/game/GameDataFolder.h"

namespace gametest {

class GameDataTest : public enginetest::EngineSceneTest {
protected:
    void SetUp() override {
        EngineSceneTest::SetUp();
        engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
        Vantor::MessageManager::Instance()->ClearMessages();
    }
    void TearDown() override {
        data_.reset();
        engine_.reset();
        EngineSceneTest::TearDown();
    }

    // Writes the definitions and the house pack, queues the resource lists and loads it
    // all at once into a new game data.
    Morvane::GameData& Load(const Definitions& definitions = SmallGame(),
                            const std::vector<std::wstring>& resourceLists = {}) {
        GameDataFolder::WriteDefinitions(definitions);
        GameDataFolder::WriteHousePack();
        data_ = std::make_unique<Morvane::GameData>();
        for (const std::wstring& list : resourceLists) data_->LoadResourceList(list, false);
        data_->LoadAll();
        return *data_;
    }

    // The text of the fatal error that loading ends in, after checking that it is the
    // one fatal line of the log; "" (and a failure) when loading succeeds.
    std::string LoadFatal(const Definitions& definitions) {
        try {
            Load(definitions);
        } catch (const Vantor::FatalError& error) {
            EXPECT_EQ(Fatals(), std::vector<std::string>{error.GetText()});
            return error.GetText();
        }
        ADD_FAILURE() << "the definitions loaded";
        return "";
    }

    static std::vector<std::string> Fatals() { return enginetest::Fatals(*Vantor::MessageManager::Instance()); }
    // The warning lines logged since the log was last emptied; empties it.
    static std::vector<std::string> Warnings() {
        Vantor::MessageManager& log = *Vantor::MessageManager::Instance();
        std::vector<std::string> warnings;
        for (const Vantor::LogMessage* message : log.GetMessages())
            if (message->kind == Vantor::MessageKind::Warning) warnings.push_back(message->text);
        log.ClearMessages();
        return warnings;
    }

    std::unique_ptr<Vantor::Engine> engine_;
    std::unique_ptr<Morvane::GameData> data_;
};

}  // namespace gametest
