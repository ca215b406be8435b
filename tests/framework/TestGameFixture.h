#pragma once
// A test of the test game on the headless backend: its data folder in a private home,
// the game made there on the virtual clock, and the journal of what it did.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/framework/TestGame.h"
#include "tests/framework/TestGameData.h"

namespace frameworktest {

class TestGameFixture : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        EngineObjectTest::SetUp();
        platform::seam::SetVirtualTime(0);
        WriteTestGameData(home_.folder);
    }
    void TearDown() override {
        game_.reset();
        EngineObjectTest::TearDown();
    }

    TestGame& MakeGame(const TestGameOptions& options = {}) {
        game_ = std::make_unique<TestGame>(journal_, home_.root, options);
        return *game_;
    }
    // The game with every window made, and the journal cleared.
    TestGame& MakeGameWithWindows() {
        MakeGame().CreateWindows();
        journal_.clear();
        return *game_;
    }

    // The journal's entries that start with the prefix, without it.
    std::vector<std::string> Entries(const std::string& prefix) const {
        std::vector<std::string> entries;
        for (const std::string& entry : journal_)
            if (entry.rfind(prefix, 0) == 0) entries.push_back(entry.substr(prefix.size()));
        return entries;
    }

    // The player-data folder below the private home, host path with '/'.
    static constexpr const char* kGameFolder = "user/Test Maker/Test Game";

    Journal journal_;
    std::unique_ptr<TestGame> game_;
};

}  // namespace frameworktest
